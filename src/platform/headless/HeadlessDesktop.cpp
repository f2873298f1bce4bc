#include "platform/headless/HeadlessDesktop.h"

#include "platform/Clock.h"

namespace windlecroft {

namespace {
constexpr std::uint64_t tickPeriodMs = 10;
}

HeadlessDesktop::HeadlessDesktop(Clock& clock, bool layered, ScreenRect screen)
    : clock_(clock), layered_(layered), screen_(screen)
{
}

void HeadlessDesktop::createWindow(const std::string& title, int x, int y, int width, int height)
{
    window_ = Window{title, x, y, width, height, false, false};
}

void HeadlessDesktop::showWindow(ShowCommand command)
{
    if (!window_)
        return;
    window_->visible = command == ShowCommand::Show;
    window_->minimised = command == ShowCommand::Minimise;
}

int HeadlessDesktop::run(DesktopEvents& events)
{
    while (!quitPosted_) {
        events.tick();
        if (quitPosted_)
            break;
        clock_.sleepFor(tickPeriodMs);
    }
    quitPosted_ = false;
    return quitCode_;
}

// Copy assignment reuses the copy's storage, so presenting frames of one size allocates once.
void HeadlessDesktop::present(const Surface& frame)
{
    presentedFrame_ = frame;
    ++presentCount_;
}

void HeadlessDesktop::showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu)
{
    trayShown_ = true;
    trayTip_ = tip;
    trayMenu_ = menu;
}

void HeadlessDesktop::postQuit(int code)
{
    quitPosted_ = true;
    quitCode_ = code;
}

} // namespace windlecroft
