#include "app/FrameRenderer.h"

#include "app/BackBuffer.h"
#include "app/SceneDirector.h"
#include "app/Skin.h"
#include "app/TrayIcon.h"
#include "audio/Player.h"
#include "plugins/PluginContext.h"

namespace windlecroft {

namespace {

constexpr int titleX = 51;
constexpr int titleY = 462;
constexpr std::uint32_t titleColour = 0x0012436B;

} // namespace

void FrameRenderer::render()
{
    // Hidden in the tray: nothing moves and nothing is drawn.
    if (parts_.tray.shown())
        return;
    SceneDirector& scenes = parts_.scenes;
    scenes.step();
    parts_.plugins.setPageName(scenes.currentScene());
    const Page* shown = scenes.currentPage();
    feedPlugins(scenes.crossFading() || (shown && shown->liveTickMs()));
    if (scenes.repaintPending())
        directRepaint();
    if (parts_.window.supportsLayered() && scenes.alphaActive())
        parts_.window.setWindowAlpha(scenes.windowAlpha());
    if (scenes.crossFading()) {
        scenes.crossFadeStep();
        // The next page's first ordinary frame draws everything again.
        lastFrame_.reset();
        parts_.backBuffer.present();
        return;
    }
    Page* page = scenes.currentPage();
    const FrameState state = stateOf(page);
    if (lastFrame_ && *lastFrame_ == state && !(page && page->animating())) {
        // Only the live parts may have changed: those are drawn again and presented alone.
        if (page)
            presentLiveChanges(*page);
        return;
    }
    if (page)
        page->draw();
    if (!parts_.skin.pages().empty() && scenes.onPanelPage())
        drawTitle();
    lastFrame_ = FrameState{page, page ? page->drawState() : 0, state.title};
    parts_.backBuffer.present();
}

// Nothing but the live parts may change between ordinary frames of a still page; any other
// frame is left to render().
void FrameRenderer::renderLive()
{
    const SceneDirector& scenes = parts_.scenes;
    Page* page = scenes.currentPage();
    if (parts_.tray.shown() || !page || scenes.busy() || page->animating())
        return;
    if (lastFrame_ != stateOf(page))
        return;
    feedPlugins(page->liveTickMs().has_value());
    presentLiveChanges(*page);
}

FrameRenderer::FrameState FrameRenderer::stateOf(const Page* page) const
{
    return {page, page ? page->drawState() : 0, parts_.skin.playlist().at(parts_.player.currentIndex())};
}

// The spectrum costs a transform of the music: it is made only for frames a plugin draws.
void FrameRenderer::feedPlugins(bool withSpectrum)
{
    if (withSpectrum)
        parts_.player.readSpectrum(spectrum_);
    parts_.plugins.setSpectrum(spectrum_.data());
    parts_.plugins.setPlaying(parts_.player.mainPlaying());
}

void FrameRenderer::presentLiveChanges(Page& page)
{
    damage_.clear();
    if (!page.drawLiveChanges(damage_))
        return;
    if (!parts_.skin.pages().empty() && parts_.scenes.onPanelPage()) {
        for (const Rect& area : damage_) {
            if (nearTitle(area))
                drawTitle(area);
        }
    }
    parts_.backBuffer.present(damage_);
}

// The title is the name of the playlist entry now current, in the font the skin calls "font".
void FrameRenderer::drawTitle()
{
    const Surface& surface = parts_.backBuffer.surface();
    drawTitle({0, 0, surface.width(), surface.height()});
}

// Whether an area may hold pixels of the title's line: its glyphs reach at most an ascent
// below the baseline, and the baseline lies an ascent below titleY.
bool FrameRenderer::nearTitle(const Rect& area) const
{
    const Font* font = parts_.skin.fonts().find(titleFontName);
    if (!font)
        return false;
    const int reach = 2 * font->ascent() + 2;
    return area.bottom > titleY - 2 && area.top < titleY + reach;
}

void FrameRenderer::drawTitle(const Rect& clip)
{
    const Font* font = parts_.skin.fonts().find(titleFontName);
    const TrackEntry* entry = parts_.skin.playlist().at(parts_.player.currentIndex());
    if (!font || !entry)
        return;
    font->drawText(parts_.backBuffer.surface(), titleX, titleY, entry->title, titleColour, clip);
}

// When the outro starts the window becomes translucent again; it shows the page's background
// and the title at once, before the fade's first frame.
void FrameRenderer::directRepaint()
{
    parts_.scenes.repainted();
    if (!parts_.window.supportsLayered())
        return;
    const Skin& skin = parts_.skin;
    Page* page = parts_.scenes.currentPage();
    if (page)
        page->unparkPictures();
    if (page && page->normalImage())
        parts_.backBuffer.copy(*page->normalImage(), 0, 0, skin.windowWidth(), skin.windowHeight(), 0, 0);
    if (!skin.fonts().empty())
        drawTitle();
    parts_.backBuffer.present();
    lastFrame_.reset();
}

} // namespace windlecroft
