#include "platform/headless/HeadlessDesktop.h"

#include <algorithm>

#include "base/Clock.h"

namespace windlecroft {

namespace {

constexpr std::uint64_t tickPeriodMs = 10;

// Virtual-key codes of the modifiers, and their bits in the key-state word of mouse moves.
constexpr int shiftKey = 0x10;
constexpr int controlKey = 0x11;
constexpr std::uint16_t leftButtonBit = 1;
constexpr std::uint16_t shiftBit = 4;
constexpr std::uint16_t controlBit = 8;

} // namespace

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
    const std::uint64_t start = clock_.now();
    const std::vector<InputEvent>& script = input_;
    std::size_t next = 0;
    while (!quitPosted_) {
        // Every event that has come due goes before the tick, as a window system queues input
        // between timer messages; a quit posted by one of them stops the rest.
        const std::uint64_t elapsed = clock_.now() - start;
        while (next < script.size() && script[next].atMs <= elapsed && !quitPosted_)
            deliver(script[next++], events);
        if (quitPosted_)
            break;
        events.tick();
        if (quitPosted_)
            break;
        clock_.sleepFor(tickPeriodMs);
    }
    quitPosted_ = false;
    return quitCode_;
}

void HeadlessDesktop::deliver(const InputEvent& event, DesktopEvents& events)
{
    using Kind = InputEvent::Kind;
    switch (event.kind) {
    case Kind::Move: {
        const auto state = static_cast<std::uint16_t>((leftDown_ ? leftButtonBit : 0) | (shiftDown_ ? shiftBit : 0)
                                                      | (controlDown_ ? controlBit : 0));
        events.mouseMove(event.x, event.y, state);
        break;
    }
    case Kind::Press:
        // Without a screen there is no window to drag, so a press nothing takes ends here.
        leftDown_ = true;
        events.mouseDown(event.x, event.y);
        break;
    case Kind::Release:
        leftDown_ = false;
        events.mouseUp(event.x, event.y);
        break;
    case Kind::DoubleClick:
        // The Qt shell delivers the second press of a double click as a press, then the double click.
        leftDown_ = true;
        events.mouseDown(event.x, event.y);
        if (!quitPosted_)
            events.doubleClick(event.x, event.y);
        break;
    case Kind::RightPress:
        events.rightDown();
        break;
    case Kind::KeyDown:
    case Kind::KeyUp: {
        const bool down = event.kind == Kind::KeyDown;
        if (event.value == shiftKey)
            shiftDown_ = down;
        if (event.value == controlKey)
            controlDown_ = down;
        const auto key = static_cast<std::uint16_t>(event.value);
        if (down)
            events.keyDown(key);
        else
            events.keyUp(key);
        break;
    }
    case Kind::Wheel:
        events.wheel(event.x, event.y, event.value);
        break;
    case Kind::TrayLeft:
    case Kind::TrayRight:
        events.trayClicked(event.kind == Kind::TrayRight);
        break;
    case Kind::Menu:
        events.menuCommand(static_cast<std::uint16_t>(event.value));
        break;
    case Kind::Focus:
        events.focusGained();
        break;
    case Kind::Close:
        events.closeRequested();
        break;
    }
}

// Copy assignment reuses the copy's storage, so presenting frames of one size allocates once.
void HeadlessDesktop::present(const Surface& frame)
{
    presentedFrame_ = frame;
    lastDamage_.clear();
    ++presentCount_;
}

void HeadlessDesktop::present(const Surface& frame, std::span<const Rect> damage)
{
    if (presentedFrame_.width() != frame.width() || presentedFrame_.height() != frame.height()) {
        present(frame);
        return;
    }
    lastDamage_.assign(damage.begin(), damage.end());
    for (const Rect& rect : damage) {
        const Rect area = intersection(rect, {0, 0, frame.width(), frame.height()});
        for (int y = area.top; y < area.bottom; ++y)
            std::copy(frame.row(y) + area.left, frame.row(y) + area.right, presentedFrame_.row(y) + area.left);
    }
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
