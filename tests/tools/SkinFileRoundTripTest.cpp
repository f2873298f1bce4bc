// The format model reads every byte of a configuration and writes it back unchanged, and the
// source written from it compiles back to the same bytes.
#include "ToolTestSupport.h"

#include "skin/ChunkIds.h"
#include "support/SkinConfigWriter.h"
#include "skin/FormatError.h"
#include "skin/SkinReader.h"
#include "skin/SkinWriter.h"
#include "skin/SourceWriter.h"

#include <gtest/gtest.h>

namespace windlecroft::skin {
namespace {

using test::MemoryAssets;

std::vector<std::uint8_t> payload(const std::function<void(ByteWriter&)>& fill)
{
    ByteWriter out;
    fill(out);
    return out.bytes();
}

// A configuration holding every chunk and record kind, unknown ones included, with odd values
// where a byte could take more than its named values.
std::vector<std::uint8_t> everyKind()
{
    SkinConfigWriter w("Przywr\xF3\xE6 skin", 600, 510);
    w.rawChunk(chunk::fontFile, payload([](ByteWriter& o) { o.string("fonts\\title.ttf"); }));
    w.rawChunk(chunk::font, payload([](ByteWriter& o) {
                   o.string("font");
                   o.string("DejaVu Sans");
                   o.u16(700);
                   o.u8(14);
                   for (std::uint32_t v : {1u, 2u, 0xFFFFFFFFu, 0u})
                       o.u32(v);
               }));
    w.plugin("spectrum", "libspectrum.so");
    w.startScene("intro");
    w.timing(0, 2000, 7);
    w.trayMenu("Windlecroft", {{"Play", 0x1001, 0}, {"Quit", 0xFFFF, 0}, {"Odd", 0x1234, 9}});
    w.stringMapping(4, {{"noc", 1}, {"dzien", 0}, {"jingle", 3}, {"\x81\x90", 2}});
    w.beginPage("noc", "Data\\noc.jpg", "Data\\noc_p.jpg", "Data\\noc_h.jpg", true);
    w.button({10, 20, 110, 40}, 0x1001, 0);
    w.button({0, 0, 5, 5}, 0x8001, 0);
    w.button({0, 0, 5, 5}, 0x8001, 2); // a text with no UTF-8 form: written as the index
    w.button({0, 0, 5, 5}, 0x1002, 7); // a name whose unused argument is not 0
    w.keyBinding(0x20, 0x1007, 0);
    w.keyBinding(0xFF, 0x1003, 0); // a key with no name
    w.indicator("musiclooped", {1, 2, 3, 4});
    w.actionRecord(record::backgroundAction, 0x1011, 3);
    w.actionRecord(record::rightClickAction, 0xFFFD, 0);
    w.actionRecord(record::enterAction, 0x1013, 3);
    w.actionRecord(record::leaveAction, 0x1016, 0);
    w.textList({100, 100, 300, 400}, 0, "font", 16);
    w.textList({100, 100, 300, 400}, 7, "font", 16);
    w.slider({10, 450, 590, 460}, 0, 0, "Data\\knob.bmp", 0x2001);
    w.slider({10, 450, 590, 460}, 2, 3, "Data\\knob.bmp", 0x2777);
    w.textViewer({300, 100, 500, 400}, "font", 12);
    w.textBlock("Read me", "docs\\readme.txt");
    w.pageTimer(500, 0x8001, 1);
    w.pagePlugin("spectrum", 1);
    w.wheelZone({0, 0, 600, 510}, 0x1017, 80, 0x1017, 20);
    w.rawChunk(0x4150, std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8});
    // The live records, byte by byte as the format lays them out, with values out of range.
    w.rawChunk(record::listStyle, payload([](ByteWriter& o) {
                   o.u8(1);
                   for (std::uint32_t colour : {0x00112233u, 0x00445566u, 0x00778899u, 0x00AABBCCu, 0xFFFFFFFFu})
                       o.u32(colour);
               }));
    w.rawChunk(record::liveSlider, payload([](ByteWriter& o) {
                   o.u16(0x2777);
                   o.u8(9);
               }));
    w.rawChunk(record::liveText, payload([](ByteWriter& o) {
                   for (std::int32_t v : {1, 2, 300, 40})
                       o.u32(static_cast<std::uint32_t>(v));
                   o.string("font");
                   o.u32(0x0012436B);
                   o.u8(2);
                   o.u8(3);
               }));
    w.rawChunk(record::livePlugin, payload([](ByteWriter& o) {
                   o.string("spectrum");
                   for (std::int32_t v : {424, 446, 556, 488})
                       o.u32(static_cast<std::uint32_t>(v));
                   o.u8(5);
               }));
    w.endPage();
    w.beginPage("empty", "");
    w.endPage();
    w.rawChunk(chunk::tracklist, payload([](ByteWriter& o) {
                   o.u8(0);
                   o.u16(1);
                   o.string("jingle");
                   o.string("Data\\jingle.xm");
               }));
    w.rawChunk(chunk::tracklist, payload([](ByteWriter& o) {
                   o.u8(1);
                   o.u16(2);
                   for (const char* text : {"One", "music/one.ogg", "Placeholder", ""})
                       o.string(text);
               }));
    w.rawChunk(chunk::tracklist, payload([](ByteWriter& o) {
                   o.u8(5);
                   o.u16(0);
               }));
    w.rawChunk(0x7000, std::vector<std::uint8_t>{0xAA, 0xBB});
    w.rawChunk(chunk::root, std::vector<std::uint8_t>{0x58, 0x02});
    return w.finish();
}

ArchiveContents everyEntryKind()
{
    ArchiveWriter a;
    a.add("Data\\noc.jpg", std::string("\xFF\xD8 not really a picture"));
    a.add("Data\\panel.rgn", std::string(12, '\0'));
    a.add("", "an entry without a name");
    a.add("Data\\noc.jpg", "a second entry of the same name");
    a.add("..\\escape.txt", "a name that must not leave the folder");
    a.add("Data", "a file where another entry needs a folder");
    a.add("Data\\empty.txt", "");
    return ArchiveContents::parse(a.bytes());
}

// Writes the source of (config, archive), compiles it again and returns the configuration bytes.
std::vector<std::uint8_t> throughSource(const std::vector<std::uint8_t>& config, const ArchiveContents& archive,
                                        ArchiveContents* rebuiltArchive = nullptr)
{
    MemoryAssets assets;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < archive.files().size(); ++i) {
        files.push_back("archive/" + std::to_string(i));
        assets.files[files.back()] = archive.files()[i].data;
    }
    const std::string source = writeSource(readSkinFile(config), archive, files);
    Diagnostics diagnostics;
    CompiledSkin compiled = compileSource(source, assets, diagnostics);
    EXPECT_FALSE(diagnostics.hasErrors()) << test::printed(diagnostics) << source;
    if (rebuiltArchive)
        *rebuiltArchive = std::move(compiled.archive);
    return writeSkinFile(compiled.config);
}

TEST(SkinFileRoundTrip, EveryChunkAndRecordKindIsWrittenBackByteForByte)
{
    const std::vector<std::uint8_t> config = everyKind();
    const SkinFile file = readSkinFile(config);
    EXPECT_EQ(writeSkinFile(file), config);

    ASSERT_EQ(file.chunks.size(), 14u);
    EXPECT_TRUE(std::holds_alternative<RawChunk>(file.chunks[12].body));
    EXPECT_EQ(file.chunks[13].id(), chunk::root); // nested root ids are unknown chunks
    const auto& page = std::get<PageChunk>(file.chunks[7].body);
    ASSERT_EQ(page.records.size(), 25u);
    EXPECT_EQ(std::get<RawRecord>(page.records[20].body).payload.size(), 8u);
    const auto& style = std::get<ListStyleRecord>(page.records[21].body);
    EXPECT_EQ(style.target, 1);
    EXPECT_EQ(style.hover, 0x00AABBCCu);
    EXPECT_EQ(style.bar, ListStyleRecord::noBar);
    EXPECT_EQ(std::get<LiveSliderRecord>(page.records[22].body).sliderId, 0x2777);
    const auto& text = std::get<LiveTextRecord>(page.records[23].body);
    EXPECT_EQ(text.font, "font");
    EXPECT_EQ(text.rect.right, 300);
    EXPECT_EQ(text.colour, 0x0012436Bu);
    EXPECT_EQ(text.what, 3);
    const auto& plugin = std::get<LivePluginRecord>(page.records[24].body);
    EXPECT_EQ(plugin.rect.bottom, 488);
    EXPECT_EQ(plugin.flags, 5);
}

TEST(SkinFileRoundTrip, TheSourceCompilesBackToTheSameConfigurationAndArchive)
{
    const std::vector<std::uint8_t> config = everyKind();
    const ArchiveContents archive = everyEntryKind();
    ArchiveContents rebuilt;
    EXPECT_EQ(throughSource(config, archive, &rebuilt), config);
    EXPECT_EQ(rebuilt.bytes(), archive.bytes());
}

TEST(SkinFileRoundTrip, LengthsThatAreNotTrueAndTrailingBytesSurviveTheSource)
{
    std::vector<std::uint8_t> config = everyKind();
    SkinFile file = readSkinFile(config);
    // The walk ignores the lengths of known chunks and records, and never reads the bytes after
    // the root; all of them must still come back.
    file.chunks[0].length = 99;
    auto& page = std::get<PageChunk>(file.chunks[7].body);
    page.records[0].length = 3;
    file.trailing = {'S', 'I', 'G'};
    config = writeSkinFile(file);
    // The font-file chunk follows the root's 24 bytes; its length field holds what was set.
    EXPECT_EQ(config[26], 99);

    EXPECT_EQ(writeSkinFile(readSkinFile(config)), config);
    EXPECT_EQ(throughSource(config, ArchiveContents{}), config);
}

TEST(SkinFileRoundTrip, APageLengthBoundsItsRecordsAsThePlayerWalksThem)
{
    SkinConfigWriter w("", 600, 510);
    w.beginPage("p", "");
    w.button({1, 2, 3, 4}, 0x1001, 0);
    w.button({5, 6, 7, 8}, 0x1002, 0);
    w.endPage();
    std::vector<std::uint8_t> config = w.finish();
    // Shorten the page by one record: the second button then stands at the top level, where
    // its id means nothing and it is skipped by its length.
    const std::size_t pageStart = 6 + 1 + 4;
    config[pageStart + 2] = static_cast<std::uint8_t>(config[pageStart + 2] - 26);

    const SkinFile file = readSkinFile(config);
    ASSERT_EQ(file.chunks.size(), 2u);
    EXPECT_EQ(std::get<PageChunk>(file.chunks[0].body).records.size(), 1u);
    EXPECT_FALSE(file.chunks[0].length.has_value()); // the shortened length is the true one now
    EXPECT_EQ(file.chunks[1].id(), record::button);
    EXPECT_EQ(writeSkinFile(file), config);
    EXPECT_EQ(throughSource(config, ArchiveContents{}), config);
}

TEST(SkinFileRoundTrip, UnknownLengthsReachingPastTheFileKeepWhatIsThere)
{
    SkinConfigWriter w("", 600, 510);
    w.rawChunk(0x7000, std::vector<std::uint8_t>{1, 2, 3});
    std::vector<std::uint8_t> config = w.finish();
    config[6 + 1 + 4 + 2] = 200; // the unknown chunk now claims 200 bytes
    // The root ends with the file; a root claiming more is refused as the player refuses it.
    config[2] = static_cast<std::uint8_t>(config.size());

    const SkinFile file = readSkinFile(config);
    ASSERT_EQ(file.chunks.size(), 1u);
    EXPECT_EQ(std::get<RawChunk>(file.chunks[0].body).payload.size(), 3u);
    EXPECT_EQ(file.chunks[0].length, 200u);
    EXPECT_EQ(writeSkinFile(file), config);
    EXPECT_EQ(throughSource(config, ArchiveContents{}), config);
}

TEST(SkinFileReader, EveryCutOfAFileIsReadOrRefusedWithoutReadingPastIt)
{
    const std::vector<std::uint8_t> config = everyKind();
    for (std::size_t size = 0; size < config.size(); ++size) {
        // Each copy has exactly size bytes, so the sanitizer sees any read past the end.
        const std::vector<std::uint8_t> cut(config.begin(), config.begin() + static_cast<std::ptrdiff_t>(size));
        try {
            const SkinFile file = readSkinFile(cut);
            EXPECT_EQ(writeSkinFile(file), cut) << "cut at " << size;
        } catch (const FormatError& error) {
            EXPECT_NE(std::string(error.what()), "") << "cut at " << size;
        }
    }
}

TEST(SkinFileReader, RefusesWhatItCannotRepresentAndSaysWhere)
{
    EXPECT_THROW(readSkinFile(std::vector<std::uint8_t>{0x02, 0x58, 11, 0, 0, 0, 0, 0x80, 2, 0xE0, 1}), FormatError);

    SkinConfigWriter w("", 600, 510);
    w.startScene("intro");
    w.beginPage("noc", "");
    w.rawChunk(0x4150, std::vector<std::uint8_t>{});
    w.endPage();
    std::vector<std::uint8_t> config = w.finish();
    config[config.size() - 4] = 5; // the unknown record's length is below its header
    try {
        readSkinFile(config);
        FAIL() << "a record shorter than its header was accepted";
    } catch (const FormatError& error) {
        EXPECT_EQ(std::string(error.what()), "chunk 2, record 1: config file corrupted, chunk length smaller than its header");
    }

    std::vector<std::uint8_t> cut = w.finish();
    cut.resize(cut.size() - 8); // the page now ends inside its own fields
    cut[2] = static_cast<std::uint8_t>(cut.size());
    EXPECT_THROW(readSkinFile(cut), FormatError);
}

} // namespace
} // namespace windlecroft::skin
