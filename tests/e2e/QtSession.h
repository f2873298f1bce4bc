#pragma once

#include "XServer.h"
#include "support/Process.h"

#include <QApplication>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft {
class DesktopEvents;
class QtDesktop;
} // namespace windlecroft

namespace windlecroft::test {

/**
 * A Qt application in this process on a private Xvfb, for driving the Qt shell with the X
 * tools a person's input would come from. Commands run while Qt keeps handling its events, so
 * that what they cause arrives at once.
 */
class QtSession {
public:
    /** scaleFactor, when not 1, is Qt's device pixel ratio (QT_SCALE_FACTOR) for this session. */
    explicit QtSession(int width = 640, int height = 480, int scaleFactor = 1);
    ~QtSession();

    bool ready() const { return application_ != nullptr; }
    const XServer& x() const { return x_; }

    /** Handles Qt's events for this long. */
    static void pump(int milliseconds);
    /** Runs a command against the display to its end, handling events meanwhile; its output. */
    std::optional<std::string> run(std::vector<std::string> command, int settleMs = 150);
    /** Starts a program (a compositing manager, a tray host) that runs until the session ends. */
    void startHelper(const std::vector<std::string>& command);
    /** Handles events until the condition holds or the time is up; returns the condition. */
    static bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

    /** Runs body inside the desktop's event loop, delivering to events, then ends the loop. */
    static void insideLoop(QtDesktop& desktop, DesktopEvents& events, const std::function<void()>& body);

private:
    XServer x_;
    std::vector<std::unique_ptr<Process>> helpers_;
    int argc_ = 1;
    char name_[16] = "e2e-qt-shell";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

} // namespace windlecroft::test
