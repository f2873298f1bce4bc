// One frame: the scene machine's step, the values plugins read, the page (or the cross-fade)
// and the track title drawn into the back buffer, the window's alpha, and the present.
#include "app/Application.h"

#include "base/Clock.h"
#include "resources/Font.h"

#include <algorithm>

namespace windlecroft {

namespace {

constexpr int titleX = 51;
constexpr int titleY = 462;
constexpr std::uint32_t titleColour = 0x0012436B;

// The frame tick while anything depends on it, and the one that only keeps the loop alive.
constexpr int frameTickMs = 10;
constexpr int restingTickMs = 250;

} // namespace

void Application::frameRender()
{
    drawFrame();
    paceTicks();
}

void Application::drawFrame()
{
    // Hidden in the tray: nothing moves and nothing is drawn.
    if (trayIcon.shown())
        return;
    sceneStep();
    pluginContext.setPageName(currentScene);
    player.readSpectrum(spectrum);
    pluginContext.setSpectrum(spectrum.data());
    pluginContext.setPlaying(player.mainPlaying());
    if (repaintPending)
        directRepaint();
    if (desktop.supportsLayered() && alphaActive)
        desktop.setWindowAlpha(windowAlpha);
    if (sceneChangePending) {
        crossFadeStep();
        // The next page's first ordinary frame draws everything again.
        lastFrame_.reset();
        backBuffer.present();
        return;
    }
    // A frame that would show exactly the picture presented last is neither drawn nor sent.
    Page* page = currentPage();
    const FrameState state{page, page ? page->drawState() : 0, playlist.at(player.currentIndex())};
    if (lastFrame_ && *lastFrame_ == state && !(page && page->animating()))
        return;
    if (page)
        page->draw();
    if (!pages.empty() && onPanelPage())
        drawTitle();
    lastFrame_ = FrameState{page, page ? page->drawState() : 0, state.title};
    backBuffer.present();
}

// A tick that would change nothing costs a wake-up of the whole process: while no fade or
// cross-fade runs, no button's highlight moves and no page timer waits, the desktop may tick
// rarely. Input runs its frames at once whatever the period, and the end of a track wakes the
// loop from the audio thread, so the next track starts as soon as it would on the frame tick.
// A quit-after deadline is still kept to the frame tick.
void Application::paceTicks()
{
    if (!endWakeInstalled_) {
        audioEngine.setEndListener([this] { desktop.wakeTick(); });
        endWakeInstalled_ = true;
    }
    int interval = frameTicksNeeded() ? frameTickMs : restingTickMs;
    if (options.quitAfterMs) {
        const std::uint64_t elapsed = clock.now() - startTime_;
        const std::uint64_t left = *options.quitAfterMs > elapsed ? *options.quitAfterMs - elapsed : 0;
        interval = static_cast<int>(std::clamp<std::uint64_t>(left, frameTickMs, static_cast<std::uint64_t>(interval)));
    }
    if (interval == tickInterval_)
        return;
    tickInterval_ = interval;
    desktop.setTickInterval(interval);
}

bool Application::frameTicksNeeded() const
{
    if (scenePhase != ScenePhase::Idle || sceneChangePending || repaintPending)
        return true;
    const Page* page = currentPage();
    if (!page)
        return false;
    if (page->animating())
        return true;
    return std::any_of(page->timers().begin(), page->timers().end(), [](const PageTimer& timer) { return timer.armed(); });
}

// The title is the name of the playlist entry now current, in the font the skin calls "font".
void Application::drawTitle()
{
    Font* font = fonts.find("font");
    const TrackEntry* entry = playlist.at(player.currentIndex());
    if (!font || !entry)
        return;
    font->drawText(backBuffer.surface(), titleX, titleY, entry->title, titleColour);
}

// When the outro starts the window becomes translucent again; it shows the page's background
// and the title at once, before the fade's first frame.
void Application::directRepaint()
{
    repaintPending = false;
    if (!desktop.supportsLayered())
        return;
    if (Page* page = currentPage(); page && page->normalImage())
        backBuffer.copy(*page->normalImage(), 0, 0, windowWidth, windowHeight, 0, 0);
    if (!fonts.empty())
        drawTitle();
    backBuffer.present();
    lastFrame_.reset();
}

} // namespace windlecroft
