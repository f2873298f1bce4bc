#include "support/SampleSkin.h"

#include "skin/ChunkIds.h"
#include "support/StandardSkin.h"
#include "support/TestSkin.h"
#include "support/BmpBuilder.h"
#include "skin/JpegEncoder.h"

#include <string>

namespace windlecroft::fuzz {

namespace {

constexpr int sampleWidth = 40;
constexpr int sampleHeight = 30;

// A picture with a little structure (two colours split at the middle), so that a mutated
// JPEG still has something to decode.
Surface twoColourPicture(int width, int height, std::uint32_t left, std::uint32_t right)
{
    Surface picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, x < width / 2 ? left : right);
    return picture;
}

// A mask whose border band of the given thickness is transparent.
std::vector<std::uint8_t> borderMask(int width, int height, int band)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width * height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (x < band || y < band || x >= width - band || y >= height - band)
                mask[static_cast<std::size_t>(y * width + x)] = 1;
    return mask;
}

// An RLE8 knob: an encoded run, an absolute run with its pad byte, a delta, line ends and
// the end of the picture.
std::vector<std::uint8_t> rleKnob()
{
    return test::BmpBuilder(6, 4, 8, 1)
        .colour(0, 0, 0)
        .colour(0x10, 0x20, 0x30)
        .colour(0xFF, 0xFF, 0xFF)
        .pixels({3, 1, 0, 3, 2, 1, 2, 0, 0, 0, 2, 1, 1, 6, 2, 0, 0, 0, 1})
        .build();
}

void addFonts(SkinConfigWriter& config)
{
    config.begin(chunk::fontFile);
    config.out().string("Fonts\\title.ttf");
    config.end();
    struct FontDefinition {
        const char* name;
        const char* face;
        std::uint16_t weight;
        std::uint8_t height;
    };
    for (const FontDefinition& font : {FontDefinition{"font", "DejaVu Sans", 700, 14}, FontDefinition{"small", "", 400, 9}}) {
        config.begin(chunk::font);
        config.out().string(font.name);
        config.out().string(font.face);
        config.out().u16(font.weight);
        config.out().u8(font.height);
        for (std::uint32_t value : {1u, 2u, 3u, 4u})
            config.out().u32(value);
        config.end();
    }
}

// Every element record kind, and one the loader does not know, on the day page.
void dayRecords(SkinConfigWriter& c)
{
    c.button({2, 2, 10, 8}, 0x1001, 0);
    c.keyBinding(0x20, 0x1003, 0);
    c.indicator("playing", {12, 2, 16, 8});
    c.actionRecord(record::backgroundAction, 0xFFFE, 0);
    c.actionRecord(record::rightClickAction, 0xFFFD, 0);
    c.actionRecord(record::enterAction, 0x6001, 0);
    c.actionRecord(record::leaveAction, 0x6002, 0);
    c.textList({2, 10, 20, 28}, 0, "font", 6);
    c.slider({22, 10, 38, 14}, 0, 0, "Data\\knob.bmp", 0x2001);
    c.slider({22, 16, 26, 28}, 1, 1, "Data\\knob.bmp", 0x2003);
    c.textViewer({2, 10, 20, 28}, "small", 5);
    c.textBlock("Read me", "Docs\\readme.txt");
    c.textBlock("Credits", "Docs\\credits.txt");
    c.pageTimer(500, 0x8001, 1);
    c.wheelZone({0, 0, 39, 29}, 0x5001, 0, 0x5002, 0);
    const std::uint8_t future[] = {1, 2, 3, 4};
    c.rawChunk(0x4150, future);
}

void addTracklists(SkinConfigWriter& c)
{
    c.begin(chunk::tracklist);
    c.out().u8(0);
    c.out().u16(2);
    for (const char* text : {"jingle", "Music\\jingle.xm", "applause", "Music\\applause.ogg"})
        c.out().string(text);
    c.end();
}

void addArchiveEntries(ArchiveWriter& archive, int width, int height)
{
    archive.add("Data\\knob.bmp", rleKnob());
    archive.add("Data\\dzien.jpg", skin::encodeJpeg(twoColourPicture(width, height, 0xC08000, 0x102030), {.quality = 80}));
    archive.add("Data\\intro.rgn", borderMask(width, height, 4));
    archive.add("Data\\outro.rgn", borderMask(width, height, 8));
    archive.add("Docs\\readme.txt", std::string_view("A short text that wraps at twenty-eight bytes.\r\nSecond line\n\n"
                                                      "averyveryverylongwordwithoutanyspaceinsideitatall end"));
    archive.add("Docs\\credits.txt", std::string_view("Everyone."));
    // Not a font: installing it must still leave the load going.
    archive.add("Fonts\\title.ttf", std::string_view("not a font file"));
    // A font file whose name would climb out of a folder; only seeds name it.
    archive.add(escapingFontFile, std::string_view("not a font file either"));
    archive.add("Music\\jingle.xm", std::string_view("Extended Module: "));
}

SkinFiles filesOf(test::TestSkin& skin)
{
    skin.archive.add("Data\\panel.rgn", borderMask(skin.width(), skin.height(), 2));
    SkinFiles files;
    files.config = skin.config.finish();
    files.archive = skin.archive.bytes();
    return files;
}

SkinFiles buildSkin(int width, int height)
{
    test::TestSkin skin(width, height, "Sample skin");
    SkinConfigWriter& c = skin.config;
    addFonts(c);
    c.trayMenu("Sample tip", {{"Play", 0x1001, 0}, {"Quit", 0xFFFF, 0}});
    c.timing(0, 2000, 0);
    test::PageRecords records;
    records.day = dayRecords;
    test::buildStandardSkin(skin, "intro", true, false, records);
    // A page of JPEG pictures whitened through each of the three masks, and a picture of a
    // kind the loader ignores.
    c.beginPage("galeria", "Data\\dzien.jpg", "Data\\intro.jpg", "Data\\outro.jpg");
    c.endPage();
    c.beginPage("inne", "Data\\inne.png");
    c.endPage();
    skin.archive.add("Data\\intro.jpg", skin::encodeJpeg(twoColourPicture(width, height, 0x203040, 0xFFFFFF), {.quality = 60}));
    skin.archive.add("Data\\outro.jpg", skin::encodeJpeg(twoColourPicture(width, height, 0x404040, 0x000000), {.quality = 60}));
    addTracklists(c);
    const std::uint8_t unknown[] = {0xAA, 0xBB};
    c.rawChunk(0x7000, unknown);
    c.rawChunk(chunk::root, unknown);
    addArchiveEntries(skin.archive, width, height);
    return filesOf(skin);
}

} // namespace

SkinFiles sampleSkin()
{
    return buildSkin(sampleWidth, sampleHeight);
}

} // namespace windlecroft::fuzz
