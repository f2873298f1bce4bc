#include "program/CommandLine.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    EXPECT_FALSE(line.scale);
    EXPECT_EQ(line.options.skinDir, ".");
}

TEST(CommandLine, OptionsAndSkinFolder)
{
    CommandLine line = parse({"skins/demo", "--headless", "--quit-after", "1500", "--trace-actions", "--scale", "1.5"});
    EXPECT_FALSE(line.exitCode);
    ASSERT_TRUE(line.skinFolder);
    EXPECT_EQ(*line.skinFolder, "skins/demo");
    EXPECT_TRUE(line.headless);
    EXPECT_TRUE(line.options.traceActions);
    EXPECT_EQ(line.options.quitAfterMs, 1500u);
    EXPECT_EQ(line.scale, 1.5);
}

TEST(CommandLine, HelpVersionAndMistakesEndAtOnce)
{
    CommandLine help = parse({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.message.find("--quit-after"), std::string::npos);

    CommandLine version = parse({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.message.rfind("windlecroft ", 0), 0u);

    // A usage error: status 2 and one line naming the program, with a hint to --help.
    for (const std::vector<const char*>& mistake : {std::vector<const char*>{"--quit-after", "soon"},
                                                      std::vector<const char*>{"--no-such-option"},
                                                      std::vector<const char*>{"--headless", "--layered", "maybe"},
                                                      // A scale is a size: above 0, finite, not absurd.
                                                      std::vector<const char*>{"--scale", "0"},
                                                      std::vector<const char*>{"--scale", "-2"},
                                                      std::vector<const char*>{"--scale", "nan"},
                                                      std::vector<const char*>{"--scale", "inf"},
                                                      std::vector<const char*>{"--scale", "9"},
                                                      std::vector<const char*>{"--scale", "2x"}}) {
        CommandLine wrong = parse(mistake);
        EXPECT_EQ(wrong.exitCode, 2) << mistake[0] << " " << (mistake.size() > 1 ? mistake[1] : "");
        EXPECT_EQ(wrong.message.rfind("windlecroft: ", 0), 0u) << wrong.message;
        EXPECT_EQ(std::count(wrong.message.begin(), wrong.message.end(), '\n'), 1) << wrong.message;
        EXPECT_NE(wrong.message.find("--help"), std::string::npos) << wrong.message;
    }
}
