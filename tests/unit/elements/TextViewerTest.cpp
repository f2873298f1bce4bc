#include "elements/TextBlock.h"
#include "elements/TextViewer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace windlecroft;

namespace {

std::vector<std::string> linesOf(const TextBlock& block)
{
    std::vector<std::string> lines;
    for (int i = 0; i < block.lineCount(); ++i)
        lines.emplace_back(block.line(i));
    return lines;
}

} // namespace

TEST(TextBlock, WrapBreaksAtSpacesNewlinesOrTheFullWidth)
{
    TextBlock spaced("abcd efgh", 4);
    EXPECT_EQ(linesOf(spaced), (std::vector<std::string>{"abcd", "efgh"}));

    // Without a space the byte that overflows the line ends it and is lost.
    TextBlock unbroken("abcdef", 4);
    EXPECT_EQ(linesOf(unbroken), (std::vector<std::string>{"abcd", "f"}));

    EXPECT_EQ(TextBlock("abc", 4).lineCount(), 1);
    EXPECT_EQ(TextBlock("", 4).lineCount(), 1);

    TextBlock lines("ab\ncd\r\n\nlong words here", 6);
    EXPECT_EQ(linesOf(lines), (std::vector<std::string>{"ab", "cd\r", "", "long", "words", "here"}));

    TextBlock lastSpace("aa bb cc dd", 7);
    EXPECT_EQ(linesOf(lastSpace), (std::vector<std::string>{"aa bb", "cc dd"}));
}

TEST(TextBlock, NoLineIsLongerThanTheWidth)
{
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += (i % 7 == 0) ? ' ' : static_cast<char>('a' + i % 26);
    TextBlock block(text, 28);
    for (const auto& line : linesOf(block))
        EXPECT_LE(line.size(), 28u);
}

namespace {

TextViewer viewerWithDocuments()
{
    // 100 pixels of 20-pixel rows: 5 rows a page.
    TextViewer viewer({0, 0, 200, 100}, nullptr, 20);
    std::string sixtyLines;
    for (int i = 0; i < 59; ++i)
        sixtyLines += "line\n";
    viewer.addDocument("first", std::make_unique<TextBlock>(sixtyLines + "end", 28));
    viewer.addDocument("second", std::make_unique<TextBlock>("one\ntwo\nthree", 28));
    return viewer;
}

} // namespace

TEST(TextViewer, ClickingATitleOpensItAndCloseReturnsToTheTitles)
{
    TextViewer viewer = viewerWithDocuments();
    EXPECT_EQ(viewer.titles().line(0), "second");
    EXPECT_FALSE(viewer.reading());

    // A press over the rows is taken but opens nothing until the release.
    EXPECT_TRUE(viewer.press(true, 10, 25));
    EXPECT_FALSE(viewer.reading());
    EXPECT_TRUE(viewer.press(false, 10, 25));
    EXPECT_TRUE(viewer.reading());
    EXPECT_EQ(viewer.openIndex(), 1);
    ASSERT_NE(viewer.openDocument(), nullptr);
    EXPECT_EQ(viewer.openDocument()->lineCount(), 60);

    // In reading mode any press inside is taken and changes nothing.
    EXPECT_TRUE(viewer.press(true, 150, 90));
    EXPECT_FALSE(viewer.press(true, 250, 90));
    EXPECT_EQ(viewer.openIndex(), 1);

    viewer.close();
    EXPECT_FALSE(viewer.reading());
    // A press below the titles but inside the viewer is still taken.
    EXPECT_TRUE(viewer.press(true, 10, 90));
    EXPECT_FALSE(viewer.reading());
}

TEST(TextViewer, ReadingScrollsByLinesWithinTheDocument)
{
    TextViewer viewer = viewerWithDocuments();
    viewer.press(true, 10, 25);
    viewer.press(false, 10, 25);
    // 60 lines, 5 per page: the last first line is 55.
    viewer.scrollUp();
    EXPECT_EQ(viewer.firstLine(), 0);
    viewer.scrollToPercent(50);
    EXPECT_EQ(viewer.firstLine(), 28); // 55 × 51 × 0.01
    viewer.scrollToPercent(99);
    EXPECT_EQ(viewer.firstLine(), 55);
    viewer.scrollDown();
    EXPECT_EQ(viewer.firstLine(), 55);
    viewer.scrollUp();
    EXPECT_EQ(viewer.firstLine(), 54);

    // A document shorter than a page never scrolls.
    viewer.close();
    viewer.press(true, 10, 5);
    viewer.press(false, 10, 5);
    EXPECT_EQ(viewer.openIndex(), 0);
    viewer.scrollDown();
    viewer.scrollToPercent(100);
    EXPECT_EQ(viewer.firstLine(), 0);
}
