#include "base/Error.h"
#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace windlecroft;

namespace {

std::string text(const ArchiveEntry& entry)
{
    return std::string(reinterpret_cast<const char*>(entry.bytes().data()), entry.size());
}

DataArchive archiveOf(const ArchiveWriter& writer)
{
    DataArchive archive;
    archive.openBytes(writer.bytes());
    return archive;
}

std::string notFoundMessage(const DataArchive& archive, const std::string& name)
{
    try {
        archive.findEntry(name);
    } catch (const Error& error) {
        return error.what();
    }
    return "found";
}

} // namespace

TEST(DataArchive, FindsEntriesByExactByteName)
{
    ArchiveWriter writer;
    writer.add("Data\\panel.rgn", "mask");
    writer.add("Data\\intro.rgn", "intro mask");
    writer.add("empty", "");
    DataArchive archive = archiveOf(writer);

    EXPECT_EQ(text(archive.findEntry("Data\\intro.rgn")), "intro mask");
    EXPECT_EQ(text(archive.findEntry("Data\\panel.rgn")), "mask");
    // A zero-size entry is found and yields an empty view.
    EXPECT_EQ(archive.findEntry("empty").size(), 0u);
    // Case, separators and prefixes matter: only the whole name in the same bytes matches.
    EXPECT_EQ(notFoundMessage(archive, "data\\panel.rgn"), "can't find file data\\panel.rgn in datafile");
    EXPECT_EQ(notFoundMessage(archive, "Data/panel.rgn"), "can't find file Data/panel.rgn in datafile");
    EXPECT_EQ(notFoundMessage(archive, "Data\\panel"), "can't find file Data\\panel in datafile");
    EXPECT_EQ(notFoundMessage(archive, "Data\\panel.rgn2"), "can't find file Data\\panel.rgn2 in datafile");
}

TEST(DataArchive, FirstOfTwoEqualNamesWinsEveryTime)
{
    ArchiveWriter writer;
    writer.add("a", "first");
    writer.add("a", "second");
    DataArchive archive = archiveOf(writer);
    EXPECT_EQ(text(archive.findEntry("a")), "first");
    EXPECT_EQ(text(archive.findEntry("a")), "first");
}

TEST(DataArchive, EmptyFileOpensAndFindsNothing)
{
    test::TempDir dir;
    writeFile(dir / "windlecroft.dat", {});
    DataArchive archive;
    archive.open(dir / "windlecroft.dat");
    EXPECT_TRUE(archive.isOpen());
    EXPECT_EQ(notFoundMessage(archive, ""), "can't find file  in datafile");
}

TEST(DataArchive, AFileIsReadEntryByEntryAndAShrunkenOneGivesNoStaleBytes)
{
    test::TempDir dir;
    ArchiveWriter writer;
    writer.add("a", "first");
    writer.add("Data\\big", std::string(5000, 'b'));
    writer.add("a", "second");
    const std::vector<std::uint8_t> bytes = writer.bytes();
    writeFile(dir / "windlecroft.dat", bytes);
    DataArchive archive;
    archive.open(dir / "windlecroft.dat");
    EXPECT_EQ(text(archive.findEntry("a")), "first");
    const ArchiveEntry big = archive.findEntry("Data\\big");
    EXPECT_EQ(text(big), std::string(5000, 'b'));
    // The entry keeps its bytes after the archive is gone.
    archive.close();
    EXPECT_EQ(big.size(), 5000u);
    EXPECT_EQ(big.bytes()[4999], 'b');

    // Cut inside the big entry after indexing: it is missing, the first one still found.
    archive.open(dir / "windlecroft.dat");
    std::filesystem::resize_file(dir / "windlecroft.dat", bytes.size() - 2000);
    EXPECT_EQ(notFoundMessage(archive, "Data\\big"), "can't find file Data\\big in datafile");
    EXPECT_EQ(text(archive.findEntry("a")), "first");
}

TEST(DataArchive, MissingFileIsReported)
{
    test::TempDir dir;
    DataArchive archive;
    try {
        archive.open(dir / "windlecroft.dat");
        FAIL() << "opened a missing archive";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "can't open data file");
    }
    EXPECT_FALSE(archive.isOpen());
}

TEST(DataArchive, CorruptTailEndsTheArchiveWithoutReadingOutside)
{
    ArchiveWriter good;
    good.add("first", "ok");
    std::vector<std::uint8_t> base = good.bytes();

    // A size that reaches past the end of the block: the entry and everything after it are gone.
    {
        std::vector<std::uint8_t> bytes = base;
        for (int b : std::initializer_list<int>{'b', 'a', 'd', 0, 0xFF, 0xFF, 0xFF, 0x7F, 'x'})
            bytes.push_back(static_cast<std::uint8_t>(b));
        DataArchive archive;
        archive.openBytes(bytes);
        EXPECT_EQ(text(archive.findEntry("first")), "ok");
        EXPECT_EQ(notFoundMessage(archive, "bad"), "can't find file bad in datafile");
    }
    // A name that runs to the end of the block without its zero byte.
    {
        std::vector<std::uint8_t> bytes = base;
        for (int b : {'t', 'a', 'i', 'l'})
            bytes.push_back(static_cast<std::uint8_t>(b));
        DataArchive archive;
        archive.openBytes(bytes);
        EXPECT_EQ(notFoundMessage(archive, "tail"), "can't find file tail in datafile");
    }
    // A size field cut short after the name.
    {
        std::vector<std::uint8_t> bytes = base;
        for (int b : std::initializer_list<int>{'c', 'u', 't', 0, 2, 0})
            bytes.push_back(static_cast<std::uint8_t>(b));
        DataArchive archive;
        archive.openBytes(bytes);
        EXPECT_EQ(notFoundMessage(archive, "cut"), "can't find file cut in datafile");
    }
    // Every prefix of a valid archive is readable up to its last whole entry.
    ArchiveWriter two;
    two.add("one", "1111");
    two.add("two", "22");
    const auto& full = two.bytes();
    for (std::size_t length = 0; length <= full.size(); ++length) {
        DataArchive archive;
        archive.openBytes(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(length)));
        const bool twoComplete = length == full.size();
        EXPECT_EQ(notFoundMessage(archive, "two") == "found", twoComplete) << "length " << length;
    }
}
