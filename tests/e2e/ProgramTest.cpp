#include "XServer.h"
#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "skin/ChunkIds.h"
#include "support/Process.h"
#include "support/SoundMeasure.h"
#include "support/TestSkin.h"
#include "support/ToneEncoder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;
using namespace std::chrono_literals;

namespace {

std::string program() { return builtProgram("windlecroft").string(); }

void writeSkin(const TempDir& dir, std::string_view title, std::uint16_t width, std::uint16_t height)
{
    SkinConfigWriter(title, width, height).save(dir / configFileName);
    ArchiveWriter archive;
    archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), 0));
    archive.save(dir / dataFileName);
}

// A silent audio driver, so that a machine without a sound card prints nothing about it.
Process::Options headlessIn(const TempDir& dir)
{
    Process::Options options;
    options.workingDir = dir.path();
    options.environment["SDL_AUDIODRIVER"] = "dummy";
    return options;
}

// The environment of a person's X11 session on the given display.
Process::Options onDisplay(const TempDir& dir, const XServer& x, const TempDir& runtime)
{
    Process::Options options = headlessIn(dir);
    options.environment.insert({{"DISPLAY", x.display()},
                                {"WAYLAND_DISPLAY", ""},
                                {"QT_QPA_PLATFORM", "xcb"},
                                {"XDG_RUNTIME_DIR", runtime.path().string()}});
    return options;
}

} // namespace

TEST(Program, StartupErrorsEndWithStatusOneAndTheMessageOnStderr)
{
    TempDir dir;
    // Named: without a folder the program would open the demo skin built beside it.
    RunResult empty = runProcess({program(), "--headless", dir.path().string()}, headlessIn(dir));
    EXPECT_EQ(empty.status, 1);
    // The folder that was searched and how to name another follow the message.
    EXPECT_EQ(empty.errors, "windlecroft: can't open config file\nwindlecroft: no readable windlecroft.cfg in "
                                + std::filesystem::absolute(dir.path()).lexically_normal().string()
                                + " (start the player as: windlecroft SKIN_DIR)\n");

    SkinConfigWriter("t", 300, 200).save(dir / configFileName);
    RunResult noData = runProcess({program(), "--headless"}, headlessIn(dir));
    EXPECT_EQ(noData.status, 1);
    EXPECT_EQ(noData.errors, "windlecroft: can't open data file\n");

    writeFile(dir / configFileName, std::vector<std::uint8_t>{0x02, 0x58, 0x0B, 0, 0, 0, 0, 0x80, 0x02, 0xE0, 0x01});
    RunResult corrupt = runProcess({program(), "--headless"}, headlessIn(dir));
    EXPECT_EQ(corrupt.status, 1);
    EXPECT_EQ(corrupt.errors, "windlecroft: config file corrupted, first chunk should be 0x0258\n");
}

TEST(Program, SkinFolderArgumentAndQuitAfterEndNormally)
{
    TempDir dir;
    writeSkin(dir, "t", 300, 200);
    TempDir elsewhere;
    RunResult result =
        runProcess({program(), "--headless", "--quit-after", "300", dir.path().string()}, headlessIn(elsewhere));
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors, "");

    RunResult missing = runProcess({program(), "--headless", (dir / "nope").string()}, headlessIn(elsewhere));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.errors.find("can't change into"), std::string::npos);
}

TEST(Program, WithoutAnyDisplayItSaysSoInOneLine)
{
    TempDir dir;
    writeSkin(dir, "t", 300, 200);
    Process::Options options = headlessIn(dir);
    options.environment.insert({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}});
    RunResult result = runProcess({program()}, options);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("no display"), std::string::npos);
    EXPECT_EQ(std::count(result.errors.begin(), result.errors.end(), '\n'), 1);

    // A display that is named but not there is no abort either.
    options.environment["DISPLAY"] = ":9876";
    options.environment["QT_QPA_PLATFORM"] = "xcb";
    RunResult unreachable = runProcess({program()}, options);
    EXPECT_EQ(unreachable.status, 1) << unreachable.errors;
    EXPECT_NE(unreachable.errors.find("cannot open a window"), std::string::npos);
}

TEST(ProgramOnX11, WindowIsCentredWithTheConfiguredSizeAndClosesWithZero)
{
    XServer x(1024, 768);
    ASSERT_TRUE(x.ready());
    TempDir dir;
    writeSkin(dir, "Windlecroft e2e", 300, 200);
    TempDir runtime;
    Process player({program(), "--quit-after", "4000"}, onDisplay(dir, x, runtime));
    auto window = x.waitForWindow("Windlecroft e2e");
    ASSERT_TRUE(window) << player.errors();
    auto geometry = x.geometry(*window);
    ASSERT_TRUE(geometry);
    EXPECT_EQ(geometry->width, 300);
    EXPECT_EQ(geometry->height, 200);
    EXPECT_EQ(geometry->x, 362);
    EXPECT_EQ(geometry->y, 284);
    EXPECT_EQ(player.wait(15s), 0) << player.errors();
}

TEST(ProgramOnX11, ErrorIsShownInAMessageBoxThenTheProgramEndsWithOne)
{
    XServer x;
    ASSERT_TRUE(x.ready());
    TempDir dir;
    TempDir runtime;
    Process player({program(), dir.path().string()}, onDisplay(dir, x, runtime));
    auto box = x.waitForWindow("windlecroft runtime exception");
    ASSERT_TRUE(box) << player.errors();
    // The box waits for its OK button.
    EXPECT_FALSE(player.wait(300ms));
    x.query({"xdotool", "windowactivate", "--sync", *box});
    x.query({"xdotool", "key", "--window", *box, "Return"});
    EXPECT_EQ(player.wait(10s), 1);
    EXPECT_EQ(player.errors().rfind("windlecroft: can't open config file\n", 0), 0u) << player.errors();
}

// Skin strings are Windows-1250: a playlist entry with a Polish name plays from the file the
// UTF-8 file system holds, heard on SDL's disk output.
TEST(Program, APolishPlaylistNamePlays)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "muzyka");
    writeFile(dir / "muzyka" / "\xC5\xBC\xC3\xB3\xC5\x82w-poranek.ogg", encodeTone({.seconds = 2.0}));
    TestSkin skin(64, 48);
    skin.addPage("dzien", {0x102030, 0x405060, 0x708090}, false,
                 [](SkinConfigWriter& c) { c.actionRecord(record::enterAction, 0x1001, 0); });
    skin.config.tracklist(1, {{"\xBF\xF3\xB3w", "muzyka\\\xBF\xF3\xB3w-poranek.ogg"}});
    skin.config.startScene("dzien");
    skin.save(dir.path());
    Process::Options options = headlessIn(dir);
    options.environment["SDL_AUDIODRIVER"] = "disk";
    options.environment["SDL_DISKAUDIOFILE"] = (dir / "heard.raw").string();
    RunResult result = runProcess({program(), "--headless", "--quit-after", "1500"}, options);
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(result.errors.find("can't play"), std::string::npos) << result.errors;
    EXPECT_GT(listen(dir / "heard.raw").rms, 0.05);
}
