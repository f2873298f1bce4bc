// The desktop's events, routed to the page named currentScene. After each one a frame update
// and a frame render run.
#include "app/Application.h"

#include "base/Clock.h"

namespace windlecroft {

void Application::tick()
{
    deliver([this] {
        const std::uint64_t now = clock.now();
        if (Page* page = currentPage())
            page->timerTick(now);
        if (options.quitAfterMs && now - startTime_ >= *options.quitAfterMs)
            desktop.postQuit(0);
    });
}

void Application::windowMoved()
{
    deliver([] {});
}

// Closing the window by any means only posts the quit message; the teardown follows the loop.
void Application::closeRequested()
{
    deliver([this] { desktop.postQuit(0); });
}

void Application::focusGained()
{
    deliver([this] {
        if (Page* page = currentPage())
            page->resetButtons();
    });
}

void Application::keyDown(std::uint16_t key)
{
    deliver([this, key] {
        if (Page* page = currentPage())
            page->keyDown(key);
    });
}

void Application::keyUp(std::uint16_t key)
{
    deliver([this, key] {
        if (Page* page = currentPage())
            page->keyUp(key);
    });
}

void Application::mouseMove(int x, int y, std::uint16_t keyState)
{
    deliver([this, x, y, keyState] {
        lastMouseX = x;
        lastMouseY = y;
        if (Page* page = currentPage())
            page->mouseMove(x, y, keyState);
    });
}

// While the window sits in the tray, left presses reach nothing and drag nothing.
bool Application::mouseDown(int x, int y)
{
    bool handled = true;
    deliver([this, x, y, &handled] {
        if (trayIcon.shown())
            return;
        Page* page = currentPage();
        handled = page && page->mouseDown(x, y);
    });
    return handled;
}

void Application::mouseUp(int x, int y)
{
    deliver([this, x, y] {
        if (trayIcon.shown())
            return;
        if (Page* page = currentPage())
            page->mouseUp(x, y);
    });
}

void Application::doubleClick(int x, int y)
{
    deliver([this, x, y] {
        if (trayIcon.shown())
            return;
        if (Page* page = currentPage())
            page->doubleClick(x, y);
    });
}

void Application::rightDown()
{
    deliver([this] {
        if (Page* page = currentPage())
            page->rightDown();
    });
}

void Application::wheel(int x, int y, int delta)
{
    deliver([this, x, y, delta] {
        if (Page* page = currentPage())
            page->wheel(x, y, delta);
    });
}

void Application::trayClicked(bool rightButton)
{
    deliver([this, rightButton] {
        if (rightButton)
            desktop.showTrayMenu();
        else
            postAction(TrayIcon::restoreCommand, 0);
    });
}

void Application::menuCommand(std::uint16_t command)
{
    deliver([this, command] { trayIcon.command(command, actionQueue); });
}

} // namespace windlecroft
