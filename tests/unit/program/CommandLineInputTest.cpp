#include "program/CommandLine.h"
#include "skin/ArchiveWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

CommandLine parse(std::vector<std::string> args)
{
    args.insert(args.begin(), "windlecroft");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return parseCommandLine(static_cast<int>(argv.size()), argv.data());
}

void writeText(const std::filesystem::path& path, std::string_view text)
{
    writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace

TEST(CommandLineInput, ScriptIsReadAndLayeredCanBeSwitchedOff)
{
    TempDir dir;
    writeText(dir / "input.txt", "at 100 press 1 2\nrelease 1 2\n");
    CommandLine line = parse({"--headless", "--input", (dir / "input.txt").string(), "--layered", "off"});
    EXPECT_FALSE(line.exitCode) << line.message;
    ASSERT_EQ(line.input.events().size(), 2u);
    EXPECT_EQ(line.input.events()[1], (InputEvent{100, InputEvent::Kind::Release, 1, 2, 0}));
    EXPECT_FALSE(line.layered);

    EXPECT_TRUE(parse({"--headless"}).layered);
    EXPECT_TRUE(parse({"--headless", "--layered", "on"}).layered);
    EXPECT_TRUE(parse({"--headless"}).input.empty());
}

TEST(CommandLineInput, ABadScriptEndsWithStatusTwoNamingFileAndLine)
{
    TempDir dir;
    const std::string file = (dir / "bad.txt").string();
    writeText(dir / "bad.txt", "# check\nat 10 press 1 2\nat 20 jump\n");
    CommandLine bad = parse({"--headless", "--input", file});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.message, "windlecroft: input " + file + ":3: unknown event \"jump\"\n");

    const std::string missing = (dir / "missing.txt").string();
    CommandLine unreadable = parse({"--headless", "--input", missing});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.message, "windlecroft: input " + missing + ": can't read the file\n");

    EXPECT_EQ(parse({"--headless", "--input", dir.path().string()}).exitCode, 2);
}

TEST(CommandLineInput, BothOptionsNeedTheHeadlessDesktopAndLayeredTakesOnOrOff)
{
    TempDir dir;
    writeText(dir / "input.txt", "focus\n");
    for (const auto& args : {std::vector<std::string>{"--input", (dir / "input.txt").string()},
                             std::vector<std::string>{"--layered", "off"},
                             std::vector<std::string>{"--headless", "--layered", "maybe"}}) {
        CommandLine line = parse(args);
        ASSERT_TRUE(line.exitCode) << args.front();
        EXPECT_NE(*line.exitCode, 0);
        EXPECT_FALSE(line.message.empty());
    }
}
