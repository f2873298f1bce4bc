// windlecroft-skin check: every seeded fault of a broken source or skin is reported where it lies.
#include "ToolTestSupport.h"

#include "skin/ChunkIds.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "skin/JpegEncoder.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace windlecroft::skin {
namespace {

using test::Rgba;

using test::runTool;

void writePng(const std::filesystem::path& path, int width, int height, bool alpha = true)
{
    std::filesystem::create_directories(path.parent_path());
    writeFile(path, test::makePng(width, height, [](int x, int) { return Rgba{10, 20, 30, static_cast<std::uint8_t>(x % 2 ? 0 : 255)}; }, alpha));
}

void expectReported(const std::string& output, const std::vector<std::string>& findings)
{
    for (const std::string& finding : findings)
        EXPECT_NE(output.find(finding), std::string::npos) << "not reported: " << finding << "\nreport:\n" << output;
}

TEST(SkinCheck, ReportsEverySeededFaultOfASourceWhereItLies)
{
    test::TempDir dir;
    writePng(dir / "art/shape.png", 20, 15);
    writePng(dir / "art/big.png", 50, 30, false);
    writePng(dir / "art/knob.png", 30, 4, false);
    std::filesystem::create_directories(dir / "music");
    std::string tracks;
    for (int i = 0; i < 10; ++i) {
        const std::string file = "music/t" + std::to_string(i) + ".ogg";
        if (i != 9)
            test::writeText(dir / file, "");
        tracks += "  { name = \"t" + std::to_string(i) + "\", file = \"" + file + "\" },\n";
    }
    test::writeText(dir / "skin.toml", R"(title = "Broken"
width = 40
height = 30

[[entry]]
name = "Data\\panel.rgn"
mask = "art/shape.png"

[[entry]]
name = "Data\\dzien.bmp"
picture = "art/big.png"

[[entry]]
name = "Data\\knob.bmp"
picture = "art/knob.png"

[[entry]]
name = "readme.txt"
text = "hello"

[[chunk]]
kind = "string-mapping"
strings = ["dzien", "noc"]

[[chunk]]
kind = "page"
name = "dzien"
normal = "Data\\dzien.bmp"
records = [
  { kind = "text-list", rect = [0, 0, 39, 20], font = "font", row-height = 10 },
  { kind = "slider", rect = [0, 25, 20, 29], orientation = "horizontal", knob = "Data\\knob.bmp", id = "seek" },
  { kind = "button", rect = [0, 0, 5, 5], action = [0x8001, 9] },
  { kind = "plugin", plugin = "spectrum" },
  { kind = "document", title = "Read", file = "readme.txt" },
  { kind = "live-slider", slider = "main-volume", source = "main-volume" },
  { kind = "live-text", rect = [0, 0, 20, 10], font = "font", colour = "#FFFFFF", shows = "elapsed" },
  { kind = "list-style", target = "viewer", text = "#000000", selected = "#000000", playing = "#000000", hover = "#000000", bar = "none" },
]

[[chunk]]
kind = "font"
name = "font"
face = "DejaVu Sans"
height = 12

[[chunk]]
kind = "playlist"
tracks = [
)" + tracks + R"(]

[[chunk]]
kind = "page"
name = "noc"
normal = "Data\\noc.bmp"
records = [ { kind = "text-list", rect = [0, 0, 39, 20], font = "font", row-height = 10 } ]

[[chunk]]
kind = "start-scene"
scene = "dzien"
)");
    const test::RunResult result = runTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 1) << result.output << result.errors;
    expectReported(result.output, {
        ":30: chunk 2 (page \"dzien\"), record 1 (text-list): error: font \"font\" is defined only later, in chunk 3",
        ":31: chunk 2 (page \"dzien\"), record 2 (slider): warning: the knob (30 pixels) is not smaller than the track (20 pixels)",
        ":32: chunk 2 (page \"dzien\"), record 3 (button): error: switch-page 9: string-mapping index 9 is outside the table of 2",
        ":33: chunk 2 (page \"dzien\"), record 4 (plugin): error: no plugin is named \"spectrum\"",
        ":34: chunk 2 (page \"dzien\"), record 5 (document): warning: no text viewer stands before this document",
        ":35: chunk 2 (page \"dzien\"), record 6 (live-slider): error: no slider before it on the page has the id 0x2004",
        ":36: chunk 2 (page \"dzien\"), record 7 (live-text): error: font \"font\" is defined only later, in chunk 3",
        ":37: chunk 2 (page \"dzien\"), record 8 (list-style): warning: no text viewer stands before this style",
        ":25: chunk 2 (page \"dzien\"): warning: the normal picture \"Data\\dzien.bmp\" is 50 x 30, the window 40 x 30",
        "chunk 4 (playlist): warning: track \"t9\": the music file \"music/t9.ogg\" is not there",
        "chunk 5 (page \"noc\"): error: the archive has no entry \"Data\\noc.bmp\" for the normal picture",
        "chunk 5 (page \"noc\"): warning: the page comes after the playlist (chunk 4)",
        "warning: the playlist switches pages by track, and no page is named \"wieczor\"",
        "warning: the mask \"Data\\panel.rgn\" holds 300 bytes, the window 40 x 30 needs 1200",
        ": 6 errors, 8 warnings",
    });
}

TEST(SkinCheck, ACleanSourceAndTheSkinBuiltFromItReportNothing)
{
    test::TempDir dir;
    writePng(dir / "art/shape.png", 40, 30);
    writePng(dir / "art/bg.png", 40, 30, false);
    test::writeText(dir / "skin.toml", R"(title = "Clean"
width = 40
height = 30
[[entry]]
name = "Data\\panel.rgn"
mask = "art/shape.png"
[[entry]]
name = "Data\\dzien.jpg"
picture = "art/bg.png"
[[chunk]]
kind = "page"
name = "dzien"
normal = "Data\\dzien.jpg"
records = [
  { kind = "button", rect = [1, 1, 9, 9], action = "quit" },
  { kind = "button", rect = [10, 1, 19, 9], action = ["switch-page", "empty"] },
]
[[chunk]]
kind = "start-scene"
scene = "dzien"
[[chunk]]
kind = "string-mapping"
strings = ["empty"]
)");
    // "empty" names no page on purpose: switching to it ends the player.
    test::RunResult result = runTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "");

    ASSERT_EQ(runTool({"build", dir.path().string(), "-o", (dir / "built").string()}).status, 0);
    result = runTool({"check", (dir / "built").string()});
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(result.output, "");
}

TEST(SkinCheck, ReportsFaultsOfABuiltSkinByChunkAndRecord)
{
    test::TempDir dir;
    SkinConfigWriter config("", 600, 510);
    config.beginPage("p", "Data\\intro.jpg");
    config.pagePlugin("late", 0);
    config.button({0, 0, 1, 1}, 0x1011, 0);
    config.actionRecord(record::enterAction, 0x1017, 150);
    config.endPage();
    config.plugin("late", "liblate.so");
    config.rawChunk(chunk::tracklist, std::vector<std::uint8_t>{7, 1, 0, 'a', 0, 'b', 0});
    config.startScene("p");
    config.save(dir / configFileName);
    ArchiveWriter archive;
    archive.add("Data\\panel.rgn", std::string(600 * 510, '\0'));
    std::string reason;
    RgbaPicture picture{600, 510, std::vector<std::uint8_t>(600 * 510 * 4, 128), false};
    archive.add("Data\\intro.jpg", encodeJpeg(picture, 80, reason).value());
    archive.save(dir / dataFileName);

    const test::RunResult result = runTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 1);
    expectReported(result.output, {
        "chunk 1 (page \"p\"), record 1 (plugin): error: plugin \"late\" is defined only later, in chunk 2",
        "chunk 1 (page \"p\"), record 2 (button): error: side-play 0: the skin has no string-mapping chunk",
        "chunk 1 (page \"p\"), record 3 (enter-action): warning: main-volume 150 is above the volume's 100",
        "chunk 3 (tracklist): error: tracklist type 7 is neither named tracks (0) nor a playlist (1)",
        "chunk 1 (page \"p\"): error: the normal picture \"Data\\intro.jpg\" is whitened through \"Data\\intro.rgn\"",
    });
}

TEST(SkinCheck, WarningsAloneLeaveTheStatusAtZero)
{
    test::TempDir dir;
    writePng(dir / "art/shape.png", 40, 30);
    writePng(dir / "art/bg.png", 40, 31, false);
    test::writeText(dir / "skin.toml", R"(width = 40
height = 30
[[entry]]
name = "Data\\panel.rgn"
mask = "art/shape.png"
[[entry]]
name = "Data\\dzien.bmp"
picture = "art/bg.png"
[[chunk]]
kind = "page"
name = "dzien"
normal = "Data\\dzien.bmp"
records = [ { kind = "indicator", state = "shuffle", rect = [0, 0, 9, 9] } ]
[[chunk]]
kind = "start-scene"
scene = "dzien"
)");
    const test::RunResult result = runTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 0) << result.output;
    expectReported(result.output, {
        ":9: chunk 1 (page \"dzien\"): warning: the normal picture \"Data\\dzien.bmp\" is 40 x 31, the window 40 x 30",
        ":13: chunk 1 (page \"dzien\"), record 1 (indicator): warning: state \"shuffle\" is not one the player switches",
        ": 0 errors, 2 warnings",
    });
}

TEST(SkinCheck, AFolderWithoutASkinIsAnError)
{
    test::TempDir dir;
    const test::RunResult result = runTool({"check", dir.path().string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("holds neither skin.toml nor windlecroft.cfg"), std::string::npos);
}

} // namespace
} // namespace windlecroft::skin
