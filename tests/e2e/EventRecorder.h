#pragma once

#include "app/Desktop.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * Writes down the events a desktop delivers, one line each ("down 10 20", "key down 32"),
 * ticks and moves of the window only counted. A left press is taken when takePress says so.
 */
class EventRecorder final : public DesktopEvents {
public:
    void tick() override { ++ticks; }
    void windowMoved() override { ++moves; }
    void closeRequested() override { add("close"); }
    void focusGained() override { add("focus"); }
    void keyDown(std::uint16_t key) override { add("key down " + std::to_string(key)); }
    void keyUp(std::uint16_t key) override { add("key up " + std::to_string(key)); }
    void mouseMove(int x, int y, std::uint16_t keyState) override
    {
        add("move " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(keyState));
    }
    bool mouseDown(int x, int y) override
    {
        add("down " + std::to_string(x) + " " + std::to_string(y));
        return takePress;
    }
    void mouseUp(int x, int y) override { add("up " + std::to_string(x) + " " + std::to_string(y)); }
    void doubleClick(int x, int y) override { add("double " + std::to_string(x) + " " + std::to_string(y)); }
    void rightDown() override { add("right"); }
    void wheel(int x, int y, int delta) override
    {
        add("wheel " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(delta));
    }
    void trayClicked(bool rightButton) override { add(rightButton ? "tray right" : "tray left"); }
    void menuCommand(std::uint16_t command) override { add("menu " + std::to_string(command)); }
    void liveFrame() override
    {
        if (onLiveFrame)
            onLiveFrame();
    }

    /** The lines recorded since the last take, without mouse moves unless asked for. */
    std::vector<std::string> take(bool withMoves = false)
    {
        std::vector<std::string> taken;
        for (const std::string& line : lines) {
            if (withMoves || line.rfind("move ", 0) != 0)
                taken.push_back(line);
        }
        lines.clear();
        return taken;
    }
    bool saw(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }

    std::vector<std::string> lines;
    int ticks = 0;
    int moves = 0;
    bool takePress = true;
    /** What a live frame does; it is called on the desktop's live-frame thread. */
    std::function<void()> onLiveFrame;

private:
    void add(std::string line) { lines.push_back(std::move(line)); }
};

} // namespace windlecroft::test
