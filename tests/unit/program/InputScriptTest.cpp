#include "program/InputScript.h"

#include <gtest/gtest.h>

using namespace windlecroft;
using Kind = InputEvent::Kind;

namespace {

// The line number and message of the error a script raises, or (0, "") when it parses.
std::pair<int, std::string> errorOf(std::string_view text)
{
    try {
        InputScript::parse(text);
    } catch (const InputScriptError& error) {
        return {error.line(), error.what()};
    }
    return {0, ""};
}

} // namespace

TEST(InputScript, EveryEventKindWithItsNumbers)
{
    const InputScript script = InputScript::parse("at 1200 move 60 30\n"
                                                  "at 1300 press 60 30\n"
                                                  "release 61 31\n"
                                                  "at 1400 doubleclick 5 6\n"
                                                  "rightpress\n"
                                                  "key down 0x20\n"
                                                  "key up 32\n"
                                                  "wheel 10 20 -120\n"
                                                  "tray left\n"
                                                  "tray right\n"
                                                  "menu 0x1003\n"
                                                  "focus\n"
                                                  "at 5000 close\n");
    const std::vector<InputEvent> expected{
        {1200, Kind::Move, 60, 30, 0},         {1300, Kind::Press, 60, 30, 0},  {1300, Kind::Release, 61, 31, 0},
        {1400, Kind::DoubleClick, 5, 6, 0},    {1400, Kind::RightPress, 0, 0, 0}, {1400, Kind::KeyDown, 0, 0, 0x20},
        {1400, Kind::KeyUp, 0, 0, 32},         {1400, Kind::Wheel, 10, 20, -120}, {1400, Kind::TrayLeft, 0, 0, 0},
        {1400, Kind::TrayRight, 0, 0, 0},      {1400, Kind::Menu, 0, 0, 0x1003}, {1400, Kind::Focus, 0, 0, 0},
        {5000, Kind::Close, 0, 0, 0},
    };
    EXPECT_EQ(script.events(), expected);
}

TEST(InputScript, CommentsBlankLinesSpacingAndLineEndings)
{
    const InputScript script = InputScript::parse("# a skin check\r\n"
                                                  "\n"
                                                  "   \t \n"
                                                  "  at  0x10\tpress  -3 +4   # on the border\r\n"
                                                  "focus");
    const std::vector<InputEvent> expected{{16, Kind::Press, -3, 4, 0}, {16, Kind::Focus, 0, 0, 0}};
    EXPECT_EQ(script.events(), expected);
    EXPECT_TRUE(InputScript::parse("").empty());
    EXPECT_TRUE(InputScript::parse("# nothing\n\n").empty());
}

TEST(InputScript, WheelWithoutPositionTurnsAtTheLastPointNamed)
{
    const InputScript script = InputScript::parse("wheel 120\nmove 7 8\nwheel -240\nwheel 1 2 120\nwheel 5\n");
    ASSERT_EQ(script.events().size(), 5u);
    EXPECT_EQ(script.events()[0], (InputEvent{0, Kind::Wheel, 0, 0, 120}));
    EXPECT_EQ(script.events()[2], (InputEvent{0, Kind::Wheel, 7, 8, -240}));
    EXPECT_EQ(script.events()[4], (InputEvent{0, Kind::Wheel, 1, 2, 5}));
}

TEST(InputScript, MalformedLinesNameTheirLineAndTheFault)
{
    EXPECT_EQ(errorOf("focus\n\nmve 1 2\n"), (std::pair<int, std::string>{3, "unknown event \"mve\""}));
    EXPECT_EQ(errorOf("move 1\n").first, 1);
    EXPECT_EQ(errorOf("move 1\n").second, "missing Y");
    EXPECT_EQ(errorOf("move 1 2 3\n").second, "unexpected \"3\" (move takes X Y)");
    EXPECT_EQ(errorOf("press 1 y\n").second, "Y \"y\" is not a number");
    EXPECT_EQ(errorOf("press 0x 2\n").second, "X \"0x\" is not a number");
    EXPECT_EQ(errorOf("press 12abc 2\n").second, "X \"12abc\" is not a number");
    EXPECT_EQ(errorOf("press 40000 2\n").second, "X 40000 is out of range (-32768..32767)");
    EXPECT_EQ(errorOf("key down 0x100\n").second, "key code 0x100 is out of range (0..255)");
    EXPECT_EQ(errorOf("key sideways 0x20\n").second, "key takes down or up, then a virtual-key code");
    EXPECT_EQ(errorOf("key down\n").second, "missing key code");
    EXPECT_EQ(errorOf("tray middle\n").second, "tray takes left or right");
    EXPECT_EQ(errorOf("menu 65536\n").second, "menu command 65536 is out of range (0..65535)");
    EXPECT_EQ(errorOf("menu -1\n").second, "menu command -1 is out of range (0..65535)");
    EXPECT_EQ(errorOf("rightpress 3 4\n").second, "unexpected \"3\" (rightpress takes nothing)");
    EXPECT_EQ(errorOf("at 100\n").second, "an event must follow the time");
    EXPECT_EQ(errorOf("at\n").second, "missing time");
    EXPECT_EQ(errorOf("at -5 focus\n").second, "time -5 is out of range (0..9223372036854775807)");
    EXPECT_EQ(errorOf("at 99999999999999999999999 focus\n").first, 1);
}

TEST(InputScript, TimeNeverGoesBack)
{
    EXPECT_EQ(errorOf("at 200 focus\nat 200 focus\nat 100 focus\n"),
              (std::pair<int, std::string>{3, "time 100 is earlier than the line before (200)"}));
}
