#include "platform/headless/HeadlessDesktop.h"
#include "program/InputScript.h"
#include "platform/headless/ManualClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace windlecroft;

namespace {

// Writes down every event with the time since the run started, as "ms name args".
class EventLog final : public DesktopEvents {
public:
    EventLog(ManualClock& clock, HeadlessDesktop& desktop) : clock_(clock), desktop_(desktop), start_(clock.now()) {}

    void tick() override
    {
        ++ticks;
        if (quitAtTick && ticks == *quitAtTick)
            desktop_.postQuit(0);
    }
    void windowMoved() override { log("moved"); }
    void closeRequested() override
    {
        log("close");
        desktop_.postQuit(0);
    }
    void focusGained() override { log("focus"); }
    void keyDown(std::uint16_t key) override { log("keydown " + std::to_string(key)); }
    void keyUp(std::uint16_t key) override { log("keyup " + std::to_string(key)); }
    void mouseMove(int x, int y, std::uint16_t state) override { log(at("move", x, y) + " " + std::to_string(state)); }
    bool mouseDown(int x, int y) override
    {
        log(at("down", x, y));
        return pressTaken;
    }
    void mouseUp(int x, int y) override { log(at("up", x, y)); }
    void doubleClick(int x, int y) override { log(at("double", x, y)); }
    void rightDown() override { log("right"); }
    void wheel(int x, int y, int delta) override { log(at("wheel", x, y) + " " + std::to_string(delta)); }
    void trayClicked(bool right) override { log(right ? "tray right" : "tray left"); }
    void menuCommand(std::uint16_t command) override { log("menu " + std::to_string(command)); }

    std::vector<std::string> lines;
    int ticks = 0;
    std::optional<int> quitAtTick;
    bool pressTaken = true;

private:
    static std::string at(const char* name, int x, int y)
    {
        return std::string(name) + " " + std::to_string(x) + " " + std::to_string(y);
    }
    void log(const std::string& what) { lines.push_back(std::to_string(clock_.now() - start_) + " " + what); }

    ManualClock& clock_;
    HeadlessDesktop& desktop_;
    std::uint64_t start_;
};

} // namespace

TEST(HeadlessInput, EventsArriveAtTheirTimesThroughTheDesktopCalls)
{
    ManualClock clock;
    HeadlessDesktop desktop(clock);
    desktop.setInput(InputScript::parse("move 1 2\n"
                                        "at 25 press 3 4\n"
                                        "release 3 4\n"
                                        "at 30 rightpress\n"
                                        "at 31 doubleclick 5 6\n"
                                        "key down 0x41\n"
                                        "key up 0x41\n"
                                        "wheel -120\n"
                                        "tray left\n"
                                        "tray right\n"
                                        "menu 0xFFFC\n"
                                        "focus\n"
                                        "at 100 close\n").events());
    EventLog log(clock, desktop);
    EXPECT_EQ(desktop.run(log), 0);
    // The loop ticks every 10 ms; an event comes before the first tick at or after its time.
    const std::vector<std::string> expected{
        "0 move 1 2 0",  "30 down 3 4",   "30 up 3 4",     "30 right",     "40 down 5 6",   "40 double 5 6",
        "40 keydown 65", "40 keyup 65",   "40 wheel 5 6 -120", "40 tray left", "40 tray right", "40 menu 65532",
        "40 focus",      "100 close",
    };
    EXPECT_EQ(log.lines, expected);
    EXPECT_EQ(log.ticks, 10);
}

TEST(HeadlessInput, MovesCarryTheButtonAndModifiersTheScriptHolds)
{
    ManualClock clock;
    HeadlessDesktop desktop(clock);
    desktop.setInput(InputScript::parse("move 0 0\n"
                                        "press 0 0\n"
                                        "move 1 0\n"
                                        "key down 0x10\n"
                                        "move 2 0\n"
                                        "key down 0x11\n"
                                        "release 2 0\n"
                                        "move 3 0\n"
                                        "key up 0x10\n"
                                        "key up 0x11\n"
                                        "move 4 0\n"
                                        "close\n").events());
    EventLog log(clock, desktop);
    desktop.run(log);
    std::vector<std::string> moves;
    for (const std::string& line : log.lines) {
        if (line.find("move") != std::string::npos)
            moves.push_back(line);
    }
    EXPECT_EQ(moves, (std::vector<std::string>{"0 move 0 0 0", "0 move 1 0 1", "0 move 2 0 5", "0 move 3 0 12",
                                               "0 move 4 0 0"}));
}

TEST(HeadlessInput, QuitStopsTheScriptAndAPressNothingTakesEndsThere)
{
    ManualClock clock;
    HeadlessDesktop desktop(clock);
    desktop.setInput(InputScript::parse("at 20 press 9 9\nclose\nfocus\nat 500 focus\n").events());
    EventLog log(clock, desktop);
    log.pressTaken = false;
    desktop.run(log);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"20 down 9 9", "20 close"}));

    // A later run starts the script afresh, its times counted from that run's start.
    log.lines.clear();
    log.quitAtTick = log.ticks + 3;
    desktop.setInput(InputScript::parse("at 15 focus\nat 500 focus\n").events());
    EXPECT_EQ(desktop.run(log), 0);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].substr(log.lines[0].find(' ')), " focus");
}
