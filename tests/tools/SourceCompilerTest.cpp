// The source compiler: symbolic names, key names, texts and the faults it reports with their lines.
#include "ToolTestSupport.h"

#include "skin/ChunkIds.h"
#include "base/ActionCode.h"
#include "skin/ActionSyntax.h"
#include "skin/KeyNames.h"
#include "skin/SkinLinter.h"
#include "skin/SkinWriter.h"

#include <gtest/gtest.h>

namespace windlecroft::skin {
namespace {

const std::string header = "title = \"t\"\nwidth = 600\nheight = 510\n";

// The element records of the first page of a compiled skin, as bytes, headers included.
std::vector<std::uint8_t> recordBytes(const CompiledSkin& skin)
{
    std::vector<std::uint8_t> bytes;
    for (const Chunk& chunk : skin.config.chunks) {
        if (const auto* page = std::get_if<PageChunk>(&chunk.body)) {
            for (const ElementRecord& record : page->records) {
                PageChunk alone;
                alone.records.push_back(record);
                const std::vector<std::uint8_t> all = writeSkinFile(SkinFile{{}, 0, 0, {Chunk{alone, {}}}, {}, {}});
                // Root (11 bytes), page header (6), five empty strings and the flag (6).
                bytes.insert(bytes.end(), all.begin() + 23, all.end());
            }
            break;
        }
    }
    return bytes;
}

CompiledSkin compileClean(const std::string& text)
{
    Diagnostics diagnostics;
    CompiledSkin skin = test::compile(text, diagnostics);
    EXPECT_FALSE(diagnostics.hasErrors()) << test::printed(diagnostics);
    return skin;
}

TEST(SourceCompiler, AButtonCompilesToTheBytesOfTheFormat)
{
    const CompiledSkin skin = compileClean(header + R"(
[[chunk]]
kind = "page"
name = "noc"
records = [ { kind = "button", rect = [10, 20, 110, 40], action = "play" } ]
)");
    const std::vector<std::uint8_t> expected{0x10, 0x40, 0x1A, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00,
                                             0x00, 0x6E, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x01, 0x10, 0x00, 0x00};
    EXPECT_EQ(recordBytes(skin), expected);
}

TEST(SourceCompiler, NamesResolveAgainstTheLastStringMappingAndThePlaylistWhereverTheyStand)
{
    const CompiledSkin skin = compileClean(header + R"(
[[chunk]]
kind = "string-mapping"
strings = ["old"]

[[chunk]]
kind = "page"
name = "noc"
records = [
  { kind = "button", rect = [0, 0, 1, 1], action = ["switch-page", "noc"] },
  { kind = "enter-action", action = ["side-play", "jingle"] },
  { kind = "timer", delay = 3000, action = [0x8001, "dzien"] },
  { kind = "slider", rect = [0, 0, 9, 1], orientation = "vertical", knob = "k.bmp", id = "viewer-scroll" },
  { kind = "wheel", rect = [0, 0, 9, 9], up = ["main-volume", 80], down = ["slider", "seek"] },
  { kind = "button", rect = [0, 0, 1, 1], action = ["play-index", "first"] },
]

[[chunk]]
kind = "string-mapping"
entries = [ { text = "dzien", index = 2 }, { text = "noc", index = 0 }, { text = "jingle", index = 1 } ]

[[chunk]]
kind = "playlist"
tracks = [ { name = "first", file = "a.ogg" }, { name = "second", file = "b.ogg" }, { name = "third", file = "c.ogg" } ]
)");
    const auto& records = std::get<PageChunk>(skin.config.chunks[1].body).records;
    EXPECT_EQ(std::get<ButtonRecord>(records[0].body).action, (Action{0x8001, 0}));
    EXPECT_EQ(std::get<ActionListRecord>(records[1].body).action, (Action{0x1011, 1}));
    EXPECT_EQ(std::get<ActionListRecord>(records[1].body).id, record::enterAction);
    EXPECT_EQ(std::get<PageTimerRecord>(records[2].body).action, (Action{0x8001, 2}));
    EXPECT_EQ(std::get<PageTimerRecord>(records[2].body).delay, 3000u);
    EXPECT_EQ(std::get<SliderRecord>(records[3].body).id, 0x2003);
    EXPECT_EQ(std::get<SliderRecord>(records[3].body).orientation, 1);
    EXPECT_EQ(std::get<WheelZoneRecord>(records[4].body).up, (Action{0x1017, 80}));
    EXPECT_EQ(std::get<WheelZoneRecord>(records[4].body).down, (Action{0x2000, 0x2001}));
    // The playlist's first entry is played at its last position.
    EXPECT_EQ(std::get<ButtonRecord>(records[5].body).action, (Action{0x1010, 2}));
}

TEST(SourceCompiler, KeysTakeWindowsNamesOrNumbers)
{
    const CompiledSkin skin = compileClean(header + R"(
[[chunk]]
kind = "page"
name = "p"
records = [
  { kind = "key", key = "space", action = "pause" },
  { kind = "key", key = "F12", action = "quit" },
  { kind = "key", key = "a", action = "next" },
  { kind = "key", key = "0", action = "stop" },
  { kind = "key", key = "left", action = "step-back" },
  { kind = "key", key = "return", action = "play" },
  { kind = "key", key = 0xE2, action = 0x1234 },
]
)");
    const auto& records = std::get<PageChunk>(skin.config.chunks[0].body).records;
    const std::vector<std::uint8_t> keys{0x20, 0x7B, 0x41, 0x30, 0x25, 0x0D, 0xE2};
    ASSERT_EQ(records.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        EXPECT_EQ(std::get<KeyBindingRecord>(records[i].body).key, keys[i]) << "record " << i + 1;
    EXPECT_EQ(std::get<KeyBindingRecord>(records[6].body).action, (Action{0x1234, 0}));
}

TEST(SourceCompiler, TextsAreStoredInWindows1250)
{
    const CompiledSkin skin = compileClean(R"(
title = "Przywróć"
width = 1
height = 1

[[chunk]]
kind = "start-scene"
scene = { hex = "8190" }
)");
    EXPECT_EQ(skin.config.title, "Przywr\xF3\xE6");
    EXPECT_EQ(std::get<StartSceneChunk>(skin.config.chunks[0].body).scene, "\x81\x90");
}

TEST(SourceCompiler, ReportsEveryFaultWithItsLineAndGoesOn)
{
    Diagnostics diagnostics;
    test::compile(header + R"(
[[chunk]]
kind = "string-mapping"
strings = ["noc"]

[[chunk]]
kind = "page"
name = "noc"
records = [
  { kind = "button", rect = [0, 0, 1, 1], action = "plya" },
  { kind = "button", rect = [0, 0, 1, 1], action = ["switch-page", "wieczor"] },
  { kind = "button", rect = [0, 0, 1, 1], action = "switch-page" },
  { kind = "key", key = "hyper", action = "play" },
  { kind = "button", rect = [0, 0, 1], action = "play" },
  { kind = "button", rect = [0, 0, 1, 1], action = "play", colour = "red" },
  { kind = "text-list", rect = [0, 0, 1, 1], font = "font", row-height = 300 },
  { kind = "sprite" },
]

[[chunk]]
kind = "fonts"
)",
                  diagnostics);
    const std::string text = test::printed(diagnostics);
    const std::vector<std::string> expected{
        "skin.toml:13: chunk 2 (page \"noc\"), record 1 (button): error: unknown action \"plya\"",
        "skin.toml:14: chunk 2 (page \"noc\"), record 2 (button): error: the string mapping holds no \"wieczor\"",
        "skin.toml:15: chunk 2 (page \"noc\"), record 3 (button): error: action \"switch-page\" needs an argument",
        "skin.toml:16: chunk 2 (page \"noc\"), record 4 (key): error: unknown key name \"hyper\"",
        "skin.toml:17: chunk 2 (page \"noc\"), record 5 (button): error: rect must be [left, top, right, bottom]",
        "skin.toml:18: chunk 2 (page \"noc\"), record 6 (button): error: button record has an unknown key \"colour\" "
        "(known: kind, rect, action, length)",
        "skin.toml:19: chunk 2 (page \"noc\"), record 7 (text-list): error: row-height is 300, outside 0..255",
        "skin.toml:20: chunk 2 (page \"noc\"), record 8 (sprite): error: unknown record kind \"sprite\"",
        "skin.toml:23: chunk 3 (fonts): error: unknown chunk kind \"fonts\"",
    };
    for (const std::string& line : expected)
        EXPECT_NE(text.find(line), std::string::npos) << "missing: " << line << "\nin:\n" << text;
    EXPECT_EQ(diagnostics.errorCount(), static_cast<int>(expected.size())) << text;
}

TEST(SourceCompiler, AnUnknownKeyIsReportedWithTheKeyItMisspellsNotAsAMissingKey)
{
    Diagnostics diagnostics;
    test::compile(R"(widht = 40
height = 30
[[chunk]]
kind = "page"
name = "p"
records = [
  { kind = "button", rectt = [0, 0, 1, 1], action = "play" },
  { kind = "text-list", rect = [0, 0, 1, 1], font = "f", row-heigth = 9 },
  { kind = "buton", rect = [0, 0, 1, 1], action = "play" },
]
[[entry]]
name = "a.jpg"
text = "x"
qualty = 80
)",
                  diagnostics);
    EXPECT_EQ(test::printed(diagnostics),
              "skin.toml:1: error: the skin has an unknown key \"widht\" (did you mean \"width\"?)\n"
              "skin.toml:14: archive entry 1 (\"a.jpg\"): error: archive entry has an unknown key \"qualty\" (did you mean \"quality\"?)\n"
              "skin.toml:7: chunk 1 (page \"p\"), record 1 (button): error: button record has an unknown key \"rectt\" (did you mean "
              "\"rect\"?)\n"
              "skin.toml:8: chunk 1 (page \"p\"), record 2 (text-list): error: text-list record has an unknown key \"row-heigth\" (did "
              "you mean \"row-height\"?)\n"
              "skin.toml:9: chunk 1 (page \"p\"), record 3 (buton): error: unknown record kind \"buton\" (did you mean \"button\"?)\n");
}

TEST(SourceCompiler, ATextOutsideWindows1250IsOneErrorAtItsLineAndNothingFollowsFromIt)
{
    Diagnostics diagnostics;
    const CompiledSkin skin = test::compile(header + R"(
[[chunk]]
kind = "font"
name = "font"
face = "Ариал"
height = 12
[[chunk]]
kind = "string-mapping"
strings = ["p", "夜"]
[[chunk]]
kind = "page"
name = "p"
records = [
  { kind = "text-list", rect = [0, 0, 9, 9], font = "font", row-height = 9 },
  { kind = "button", rect = [0, 0, 9, 9], action = ["switch-page", "p"] },
]
[[chunk]]
kind = "playlist"
tracks = [ { name = "Tokio", file = "music/東京.ogg" }, { name = "Ж", file = "x.ogg" } ]
)",
                                            diagnostics);
    // The font, the string mapping and the playlist are lost: what names them says nothing more.
    lintSkin({.skin = skin.config,
              .archive = skin.archive,
              .lines = &skin.lines,
              .brokenEntries = &skin.brokenEntries,
              .brokenChunkKinds = &skin.brokenChunkKinds},
             diagnostics);
    Diagnostics atLines;
    for (const Diagnostic& finding : diagnostics.all()) {
        if (finding.where.line > 0)
            atLines.add(finding.severity, finding.where, finding.message);
    }
    const std::string cannot = "a character that Windows-1250, the skin's code page, cannot store\n";
    EXPECT_EQ(test::printed(atLines), "skin.toml:8: chunk 1 (font \"font\"): error: face \"Ариал\" holds \"А\", " + cannot +
                                          "skin.toml:12: chunk 2 (string-mapping): error: string \"夜\" holds \"夜\", " + cannot +
                                          "skin.toml:22: chunk 4 (playlist): error: file \"music/東京.ogg\" holds \"東\", " + cannot);
}

TEST(SourceCompiler, ASyntaxErrorIsReportedWithItsLine)
{
    Diagnostics diagnostics;
    const CompiledSkin skin = test::compile(header + "[[chunk]\n", diagnostics);
    ASSERT_EQ(diagnostics.errorCount(), 1);
    EXPECT_EQ(diagnostics.all()[0].where.line, 4);
    EXPECT_TRUE(skin.config.chunks.empty());
}

TEST(ActionSyntax, EveryActionIsWrittenSoThatItCompilesBack)
{
    StringMappingChunk mapping;
    mapping.entries = {{"noc", 0}, {"noc", 1}, {"", 2}, {"jingle", 3}, {"\x81", 4}};
    // In file order; position 0 is the last entry.
    const ActionContext table(StringTable(mapping), {"Twice", "Dawn", "Twice", "Dusk"});
    std::vector<Action> actions;
    for (const ActionInfo& name : actionTable()) {
        for (std::uint16_t arg : {0, 1, 2, 3, 4, 5, 0x2001, 0xFFFF})
            actions.push_back({number(name.code), arg});
    }
    actions.push_back({0x1234, 0});
    actions.push_back({0x0000, 7});
    for (const Action& action : actions) {
        const std::string text = actionSource(action, table);
        const toml::table parsed = toml::parse("a = " + text);
        EXPECT_EQ(compileAction(*parsed.get("a"), table), action) << text;
    }
    // Names are written where they resolve to the same value.
    EXPECT_EQ(actionSource({0x8001, 0}, table), "[\"switch-page\", \"noc\"]");
    EXPECT_EQ(actionSource({0x8001, 1}, table), "[\"switch-page\", 1]");
    EXPECT_EQ(actionSource({0x1011, 3}, table), "[\"side-play\", \"jingle\"]");
    EXPECT_EQ(actionSource({0x1001, 0}, table), "\"play\"");
    EXPECT_EQ(actionSource({0x2000, 0x2002}, table), "[\"slider\", \"list-scroll\"]");
    EXPECT_EQ(actionSource({0x1010, 0}, table), "[\"play-index\", \"Dusk\"]");
    EXPECT_EQ(actionSource({0x1010, 2}, table), "[\"play-index\", \"Dawn\"]");
    EXPECT_EQ(actionSource({0x1010, 3}, table), "[\"play-index\", 3]"); // "Twice" names position 1 first
}

TEST(ActionNames, EveryCodeHasOneNameAndKeysOneCanonicalName)
{
    for (const ActionInfo& action : actionTable()) {
        EXPECT_EQ(findAction(action.name), &action);
        EXPECT_EQ(findAction(number(action.code)), &action);
    }
    for (const KeyName& key : keyNames())
        EXPECT_EQ(keyCodeByName(key.name), key.code) << key.name;
    EXPECT_EQ(keyCodeByName("enter"), 0x0D);
    EXPECT_EQ(keyCodeByName("Escape"), 0x1B);
}

} // namespace
} // namespace windlecroft::skin
