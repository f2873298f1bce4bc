#include "program/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

using namespace windlecroft;

namespace {

CommandLine parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "windlecroft");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

} // namespace

TEST(CommandLine, NoArgumentsKeepsEveryDefault)
{
    CommandLine line = parse({});
    EXPECT_FALSE(line.exitCode);
    EXPECT_FALSE(line.skinFolder);
    EXPECT_FALSE(line.headless);
    EXPECT_FALSE(line.options.traceActions);
    EXPECT_FALSE(line.options.quitAfterMs);
    EXPECT_EQ(line.options.skinDir, ".");
}

TEST(CommandLine, OptionsAndSkinFolder)
{
    CommandLine line = parse({"skins/demo", "--headless", "--quit-after", "1500", "--trace-actions"});
    EXPECT_FALSE(line.exitCode);
    ASSERT_TRUE(line.skinFolder);
    EXPECT_EQ(*line.skinFolder, "skins/demo");
    EXPECT_TRUE(line.headless);
    EXPECT_TRUE(line.options.traceActions);
    EXPECT_EQ(line.options.quitAfterMs, 1500u);
}

TEST(CommandLine, HelpVersionAndMistakesEndAtOnce)
{
    CommandLine help = parse({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.message.find("--quit-after"), std::string::npos);

    CommandLine version = parse({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.message.rfind("windlecroft ", 0), 0u);

    CommandLine wrong = parse({"--quit-after", "soon"});
    ASSERT_TRUE(wrong.exitCode);
    EXPECT_NE(*wrong.exitCode, 0);
    EXPECT_FALSE(wrong.message.empty());

    EXPECT_NE(parse({"--no-such-option"}).exitCode.value_or(0), 0);
}
