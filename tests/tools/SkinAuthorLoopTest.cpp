// The skin author's loop as a person runs it: new, build under the check's rules, dump and build
// carrying the files beside a skin, the check of plugin files, preview, and the tool's messages.
#include "ToolTestSupport.h"

#include "skin/SkinFileNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace windlecroft::skin {
namespace {

using namespace std::chrono_literals;
using test::fileBytes;
using test::runTool;

const std::filesystem::path testPlugins = TEST_PLUGIN_DIR;
constexpr std::string_view prefix = "windlecroft-skin: ";

std::filesystem::path player() { return test::builtProgram("windlecroft"); }

std::optional<int> runPlayer(const std::filesystem::path& skin)
{
    return test::runProcess({player().string(), "--headless", "--quit-after", "2000", skin.string()}, {}, 20s).status;
}

// Every line a run wrote on its error stream is marked as the tool's.
void expectMarkedLines(const std::string& errors)
{
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(line.starts_with(prefix)) << line;
}

TEST(SkinAuthorLoop, ANewSourceBuildsCleanlyAndRunsAndAFolderInUseIsRefused)
{
    test::TempDir dir;
    ASSERT_EQ(runTool({"new", (dir / "src").string()}).status, 0);
    const test::RunResult built = runTool({"build", (dir / "src").string(), "-o", (dir / "skin").string()});
    ASSERT_EQ(built.status, 0) << built.errors;
    EXPECT_EQ(built.errors, ""); // not even a warning
    EXPECT_EQ(fileBytes(dir / "skin/music/low.ogg"), fileBytes(dir / "src/music/low.ogg"));
    if (std::filesystem::exists(player())) {
        EXPECT_EQ(runPlayer(dir / "skin"), 0);
    }

    const std::vector<std::uint8_t> source = fileBytes(dir / "src/skin.toml");
    const test::RunResult again = runTool({"new", (dir / "src").string()});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.errors.find("is not empty"), std::string::npos) << again.errors;
    EXPECT_EQ(fileBytes(dir / "src/skin.toml"), source);
}

TEST(SkinAuthorLoop, BuildRefusesWhatCheckCallsAnErrorAndWritesNothingButWarningsStayWarnings)
{
    test::TempDir dir;
    test::writeStarterSource(dir / "src");
    test::editSource(dir / "src", R"(  { kind = "key", key = "space")",
                     R"(  { kind = "text-list", rect = [40, 60, 319, 259], font = "lst", row-height = 20 },
  { kind = "key", key = "space")");
    const std::string unknownFont = "error: no font is named \"lst\"";
    EXPECT_NE(runTool({"check", (dir / "src").string()}).output.find(unknownFont), std::string::npos);
    test::RunResult result = runTool({"build", (dir / "src").string(), "-o", (dir / "skin").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find(unknownFont), std::string::npos) << result.errors;
    EXPECT_FALSE(std::filesystem::exists(dir / "skin"));

    test::editSource(dir / "src", "\"lst\"", "\"font\"");
    std::filesystem::remove(dir / "src/music/low.ogg");
    result = runTool({"build", (dir / "src").string(), "-o", (dir / "skin").string()});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_NE(result.errors.find("warning: track \"Low tone\": the music file \"music/low.ogg\" is not there"), std::string::npos)
        << result.errors;
    EXPECT_TRUE(std::filesystem::exists(dir / "skin" / configFileName));
}

TEST(SkinAuthorLoop, DumpAndBuildCarryThePlaylistAndPluginFilesButNothingFromOutsideTheSkin)
{
    test::TempDir dir;
    test::writeStarterSource(dir / "src");
    std::filesystem::copy_file(testPlugins / "recorder.so", dir / "src/recorder.so");
    test::editSource(dir / "src", "[[chunk]]\nkind = \"start-scene\"",
                     "[[chunk]]\nkind = \"plugin\"\nname = \"rec\"\nfile = \"recorder.dll\"\n\n[[chunk]]\nkind = \"start-scene\"");
    test::editSource(dir / "src", "tracks = [\n", "tracks = [\n  { name = \"Away\", file = \"music/away.ogg\" },\n");
    // A name written with the backslashes of skins made elsewhere is found as the player finds it.
    test::editSource(dir / "src", R"(file = "music/low.ogg")", R"(file = 'music\low.ogg')");
    ASSERT_EQ(runTool({"build", (dir / "src").string(), "-o", (dir / "skin").string()}).status, 0);
    EXPECT_EQ(fileBytes(dir / "skin/recorder.so"), fileBytes(testPlugins / "recorder.so")); // found as the player finds it
    // A playlist file that is a link out of the skin folder.
    test::writeText(dir / "outside.ogg", "private");
    std::filesystem::create_symlink(dir / "outside.ogg", dir / "skin/music/away.ogg");

    const test::RunResult dumped = runTool({"dump", (dir / "skin").string(), "-o", (dir / "dumped").string()});
    ASSERT_EQ(dumped.status, 0) << dumped.errors;
    EXPECT_NE(dumped.errors.find("\"music/away.ogg\" lies outside the source folder"), std::string::npos) << dumped.errors;
    EXPECT_FALSE(std::filesystem::exists(dir / "dumped/music/away.ogg"));
    expectMarkedLines(dumped.errors);

    const test::RunResult rebuilt = runTool({"build", (dir / "dumped").string(), "-o", (dir / "again").string()});
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.errors;
    for (const char* file : {configFileName, dataFileName, "recorder.so", "music/high.ogg", "music/low.ogg"}) {
        EXPECT_FALSE(fileBytes(dir / "again" / file).empty()) << file;
        EXPECT_EQ(fileBytes(dir / "again" / file), fileBytes(dir / "skin" / file)) << file;
    }
}

TEST(SkinAuthorLoop, CheckFindsEachPluginFileAndReadsItsEntryPointWithoutLoadingIt)
{
    test::TempDir dir;
    test::writeStarterSource(dir / "src");
    for (const char* plugin : {"nocreate.so", "marker.so"})
        std::filesystem::copy_file(testPlugins / plugin, dir / "src" / plugin);
    std::string plugins;
    for (const char* file : {"nocreate.dll", "marker.so", "missing.dll"})
        plugins += "[[chunk]]\nkind = \"plugin\"\nname = \"" + std::string(file) + "\"\nfile = \"" + file + "\"\n\n";
    test::editSource(dir / "src", "[[chunk]]\nkind = \"start-scene\"", plugins + "[[chunk]]\nkind = \"start-scene\"");

    const test::RunResult result = runTool({"check", (dir / "src").string()}, {{"WINDLECROFT_PLUGIN_MARKER", (dir / "marker").string()}});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.output.find("error: the plugin file \"nocreate.so\" exports no PluginCreateProc"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("error: no plugin file \"missing.dll\" (nor \"missing.so\")"), std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("marker"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(": 2 errors, 0 warnings"), std::string::npos) << result.output;
    EXPECT_FALSE(std::filesystem::exists(dir / "marker")); // no plugin's code ran
}

TEST(SkinAuthorLoop, TheDemoSkinDumpedAndBuiltAgainRuns)
{
    const std::filesystem::path demo = test::builtProgram("skins") / "demo";
    if (!std::filesystem::exists(demo / configFileName) || !std::filesystem::exists(player()))
        GTEST_SKIP() << "the demo skin and the player are not built";
    test::TempDir dir;
    ASSERT_EQ(runTool({"dump", demo.string(), "-o", (dir / "src").string()}).status, 0);
    const test::RunResult built = runTool({"build", (dir / "src").string(), "-o", (dir / "skin").string()});
    ASSERT_EQ(built.status, 0) << built.errors;
    EXPECT_EQ(built.errors, "");
    EXPECT_EQ(fileBytes(dir / "skin/music/03-mlyn.it"), fileBytes(demo / "music/03-mlyn.it"));
    EXPECT_EQ(runPlayer(dir / "skin"), 0);
}

// Waits until the process has written what holds for its output.
bool waitFor(test::Process& process, const std::function<bool(const std::string& out, const std::string& err)>& holds)
{
    const auto deadline = std::chrono::steady_clock::now() + 15s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (holds(process.output(), process.errors()))
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

std::size_t count(const std::string& text, std::string_view part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(SkinAuthorLoop, PreviewRebuildsOnChangesAndShowsErrorsInsteadOfStartingABrokenSkin)
{
    if (!std::filesystem::exists(player()))
        GTEST_SKIP() << "the player is not built";
    test::TempDir dir;
    test::writeStarterSource(dir / "src");
    std::filesystem::create_directories(dir / "run");
    test::Process preview({test::builtProgram("windlecroft-skin").string(), "preview", (dir / "src").string(), "--player-arg=--headless"},
                          {{}, {{"XDG_RUNTIME_DIR", (dir / "run").string()}}});
    const std::string started = "started the player";
    ASSERT_TRUE(waitFor(preview, [&](const std::string& out, const std::string&) { return count(out, started) == 1; }))
        << preview.output() << preview.errors();

    std::ofstream(dir / "src/skin.toml", std::ios::app) << "# an edit\n";
    ASSERT_TRUE(waitFor(preview, [&](const std::string& out, const std::string&) { return count(out, started) == 2; }))
        << preview.output() << preview.errors();
    EXPECT_NE(preview.output().find("rebuilding"), std::string::npos);

    test::editSource(dir / "src", "action = \"play\"", "action = \"plya\"");
    ASSERT_TRUE(waitFor(preview, [](const std::string& out, const std::string& err) {
        return err.find("error: unknown action \"plya\"") != std::string::npos && out.find("the build failed") != std::string::npos;
    })) << preview.output() << preview.errors();
    EXPECT_EQ(count(preview.output(), started), 2u);

    preview.terminate();
    EXPECT_EQ(preview.wait(10s), 0);
    EXPECT_TRUE(preview.output().ends_with("stopped\n")) << preview.output();
    expectMarkedLines(preview.errors());
    // The private folder and the builds in it are gone.
    for (const auto& item : std::filesystem::directory_iterator(dir / "run"))
        EXPECT_FALSE(item.path().filename().string().starts_with("windlecroft-preview-")) << item.path();
}

TEST(SkinToolMessages, AUsageErrorIsOneMarkedLineWithStatusTwoAndHelpGoesToTheOutput)
{
    const std::vector<std::vector<std::string>> misuses{{}, {"frob"}, {"build"}, {"build", "x"}, {"check", "a", "b"}, {"new"}};
    for (const std::vector<std::string>& arguments : misuses) {
        const test::RunResult result = runTool(arguments);
        EXPECT_EQ(result.status, 2) << result.errors;
        EXPECT_TRUE(result.errors.starts_with(prefix)) << result.errors;
        EXPECT_TRUE(result.errors.ends_with(" (try windlecroft-skin --help)\n")) << result.errors;
        EXPECT_EQ(count(result.errors, "\n"), 1u) << result.errors;
        EXPECT_EQ(result.output, "");
    }
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{{"--help"}, {"build", "--help"}, {"--version"}}) {
        const test::RunResult result = runTool(arguments);
        EXPECT_EQ(result.status, 0);
        EXPECT_FALSE(result.output.empty());
        EXPECT_EQ(result.errors, "");
    }
    // Failures of every command mark each of their lines.
    test::TempDir dir;
    test::writeText(dir / "src/skin.toml", "width = 1\nheight = 1\nwidht = 2\n[[chunk]]\nkind = \"page\"\nname = \"p\"\n");
    const std::vector<std::vector<std::string>> failures{{"build", (dir / "src").string(), "-o", (dir / "out").string()},
                                                         {"build", (dir / "none").string(), "-o", (dir / "out").string()},
                                                         {"dump", (dir / "none").string(), "-o", (dir / "out").string()},
                                                         {"list", (dir / "none.dat").string()},
                                                         {"preview", (dir / "none").string()}};
    for (const std::vector<std::string>& arguments : failures) {
        const test::RunResult result = runTool(arguments);
        EXPECT_EQ(result.status, 1) << arguments[0];
        EXPECT_FALSE(result.errors.empty()) << arguments[0];
        expectMarkedLines(result.errors);
    }
}

} // namespace
} // namespace windlecroft::skin
