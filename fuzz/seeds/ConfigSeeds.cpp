// Seeds of the archive and configuration targets: the sample skin's files, the smallest valid
// configuration, one configuration for each error the loader reports, and archives with the
// odd layouts the format allows.
#include "support/SampleSkin.h"
#include "Seeds.h"

#include "skin/ChunkIds.h"
#include "support/SkinConfigWriter.h"

namespace windlecroft::fuzz {

namespace {

// A configuration of the sample's size whose body is written by body.
template <typename Body>
std::vector<std::uint8_t> config(Body&& body)
{
    SkinConfigWriter writer("Seed", 40, 30);
    body(writer);
    return writer.finish();
}

void textListPage(SkinConfigWriter& c, std::uint8_t mode, std::string_view font)
{
    c.beginPage("dzien", "Data\\dzien.bmp");
    c.textList({0, 0, 20, 20}, mode, font, 5);
    c.endPage();
}

} // namespace

SeedSet archiveSeeds()
{
    ArchiveWriter odd;
    odd.add("Data\\panel.rgn", std::string_view("first"));
    odd.add("Data\\panel.rgn", std::string_view("second, never found"));
    odd.add("", std::string_view("a nameless entry"));
    odd.add("Data\\empty.txt", std::string_view());
    std::vector<std::uint8_t> truncatedName = odd.bytes();
    truncatedName.insert(truncatedName.end(), {'D', 'a', 't', 'a'});
    std::vector<std::uint8_t> sizePastEnd = odd.bytes();
    sizePastEnd.insert(sizePastEnd.end(), {'x', 0, 0xFF, 0xFF, 0, 0, 1, 2});
    return {
        {"sample-skin", sampleSkin().archive},
        {"duplicates-and-empty-entries", odd.bytes()},
        {"name-without-terminator", truncatedName},
        {"size-past-end", sizePastEnd},
        {"empty", {}},
    };
}

SeedSet configFileSeeds()
{
    using C = SkinConfigWriter;
    return {
        {"sample-skin", sampleSkin().config},
        {"smallest", {0x58, 0x02, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x80, 0x02, 0xE0, 0x01}},
        {"root-longer-than-file", {0x58, 0x02, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x28, 0x00, 0x1E, 0x00, 0x30, 0x30}},
        {"unknown-tracklist-type", config([](C& c) {
             c.begin(chunk::tracklist);
             c.out().u8(2);
             c.out().u16(1);
             c.out().string("name");
             c.out().string("file.xm");
             c.end();
         })},
        {"string-mapping-out-of-range", config([](C& c) { c.stringMapping(2, {{"dzien", 2}}); })},
        {"unknown-font", config([](C& c) { textListPage(c, 0, "nowhere"); })},
        {"unknown-playlist-mode", config([](C& c) {
             c.begin(chunk::font);
             c.out().string("font");
             c.out().string("");
             c.out().u16(400);
             c.out().u8(10);
             for (int i = 0; i < 4; ++i)
                 c.out().u32(0);
             c.end();
             textListPage(c, 2, "font");
         })},
        {"unknown-slider-orientation", config([](C& c) {
             c.beginPage("dzien", "Data\\dzien.bmp");
             c.slider({0, 0, 20, 4}, 0, 2, "Data\\knob.bmp", 0x2001);
             c.endPage();
         })},
        {"unknown-plugin", config([](C& c) {
             c.beginPage("dzien", "Data\\dzien.bmp");
             c.pagePlugin("visualiser", 0);
             c.endPage();
         })},
        {"missing-picture", config([](C& c) {
             c.beginPage("dzien", "Data\\missing.bmp");
             c.endPage();
         })},
        {"font-file-outside-temporary-folder", config([](C& c) {
             c.begin(chunk::fontFile);
             c.out().string(escapingFontFile);
             c.end();
         })},
        {"short-chunk-length", config([](C& c) {
             c.rawChunk(0x7000, {}, 2u);
         })},
    };
}

SeedSet configArchiveSeeds()
{
    return {{"sample-skin", sampleSkin().archive}};
}

} // namespace windlecroft::fuzz
