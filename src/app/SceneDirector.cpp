#include "app/SceneDirector.h"

#include "app/EventLoop.h"
#include "app/Skin.h"
#include "app/Window.h"
#include "base/Clock.h"
#include "resources/WhiteningMask.h"

namespace windlecroft {

SceneDirector::SceneDirector(Skin& skin, Window& window, EventLoop& loop, const Clock& clock)
    : skin_(skin), window_(window), loop_(loop), clock_(clock)
{
}

void SceneDirector::start()
{
    const int width = skin_.windowWidth();
    const int height = skin_.windowHeight();
    const DataArchive& archive = skin_.archive();
    regions_.add("panel", std::make_unique<Region>(Region::build(mask::panel, width, height, archive)));
    // Without translucent windows the intro and the outro take the fixed rectangle, or the shape
    // of their own mask where the archive has one.
    for (const auto& [name, mask] : {std::pair{"intro", mask::intro}, std::pair{"outro", mask::outro}}) {
        const std::string_view shape = archive.contains(mask) ? mask : std::string_view("intro");
        regions_.add(name, std::make_unique<Region>(Region::build(shape, width, height, archive)));
    }
    phaseStart_ = clock_.now();
    if (!window_.supportsLayered()) {
        applyRegion("intro", true);
        window_.showWindow(ShowCommand::Show);
    }
    if (Page* page = currentPage()) {
        page->armTimers();
        page->enter();
    }
    parkHiddenPages();
}

// Only the page on screen keeps its normal picture decoded, and its pressed and highlight ones
// once a press or a highlight needed them; a page is decoded again when it is drawn.
void SceneDirector::parkHiddenPages()
{
    const Page* shown = currentPage();
    for (const auto& [name, page] : skin_.pages())
        page->parkPictures(page.get() == shown);
}

Page* SceneDirector::currentPage() const
{
    return skin_.page(currentScene_);
}

bool SceneDirector::onPanelPage() const
{
    return currentScene_ != scene::intro && currentScene_ != scene::outro;
}

// A page the skin does not define is no target: the switch would leave the window on a page
// that draws nothing and takes no input. "empty" is the one name that needs no page: it ends
// the player.
void SceneDirector::requestPageSwitch(const std::string& target)
{
    Page* next = skin_.page(target);
    if (!next && target != scene::end)
        return;
    if (Page* page = currentPage())
        page->leave();
    if (next)
        next->enter();
    sceneChangePending_ = true;
    nextScene_ = target;
    transitionStart_ = clock_.now();
    if (hidden_)
        completeSwitch();
}

void SceneDirector::setHidden(bool hidden)
{
    hidden_ = hidden;
    if (hidden_ && sceneChangePending_)
        completeSwitch();
}

// A switch completed at once, without a fade or a cross-fade: the window is left as the end of
// the fades would leave it.
void SceneDirector::completeSwitch()
{
    sceneChangePending_ = false;
    scenePhase_ = ScenePhase::Idle;
    if (nextScene_ == scene::end) {
        loop_.postQuit(0);
        return;
    }
    switchPages();
    const bool layered = window_.supportsLayered();
    windowAlpha_ = 255;
    if (currentScene_ == scene::outro) {
        alphaActive_ = layered;
        if (layered) {
            applyRegion("panel", false);
            window_.setTranslucent(true);
        } else {
            applyRegion("outro", true);
        }
    } else if (currentScene_ != scene::intro) {
        alphaActive_ = false;
        applyRegion("panel", true);
        if (layered)
            window_.setTranslucent(false);
    }
}

// Each playlist position belongs to one of the panel pages; intro and outro never follow it.
void SceneDirector::followTrack(int position)
{
    if (skin_.pages().empty() || !onPanelPage())
        return;
    const std::string* page = skin_.trackScenes().at(position);
    if (page && *page != currentScene_)
        requestPageSwitch(*page);
}

void SceneDirector::applyRegion(const char* name, bool use)
{
    const Region* region = regions_.find(name);
    if (!region)
        return;
    if (use)
        window_.setWindowShape(*region);
    else
        window_.clearWindowShape();
}

void SceneDirector::step()
{
    if (window_.supportsLayered())
        layeredStep();
    else
        plainStep();
}

void SceneDirector::layeredStep()
{
    // Whether a fade of the whole window takes the pending switch up.
    bool taken = false;
    if (sceneChangePending_) {
        if (currentScene_ == scene::intro) {
            phaseStart_ = clock_.now();
            scenePhase_ = ScenePhase::IntroFadeOut;
            taken = true;
        } else if (nextScene_ == scene::outro) {
            phaseStart_ = clock_.now();
            window_.setTranslucent(true);
            scenePhase_ = ScenePhase::PanelFadeOut;
            alphaActive_ = true;
            repaintPending_ = true;
            applyRegion("panel", false);
            taken = true;
        }
        if (nextScene_ == scene::end) {
            scenePhase_ = ScenePhase::OutroFadeOut;
            phaseStart_ = clock_.now();
            taken = true;
        }
    }
    if (scenePhase_ == ScenePhase::Idle)
        return;
    // A switch between panel pages asked for while the window fades in waits for the end of the
    // fade, and is then cross-faded; dropping it would let the playing track ask again on every
    // frame, running the pages' leave and enter actions each time.
    const bool fadingIn = scenePhase_ == ScenePhase::IntroFadeIn || scenePhase_ == ScenePhase::PanelFadeIn
        || scenePhase_ == ScenePhase::OutroFadeIn;
    advanceFade();
    if (taken || !fadingIn)
        sceneChangePending_ = false;
    else if (sceneChangePending_ && scenePhase_ == ScenePhase::Idle)
        transitionStart_ = clock_.now();
}

// Every fade lasts about a second: 0.255 alpha steps per millisecond.
void SceneDirector::advanceFade()
{
    const auto elapsed = static_cast<std::int64_t>(clock_.now() - phaseStart_);
    const float v = static_cast<float>(elapsed) * 0.255f;
    const auto t = static_cast<std::int64_t>(v);
    const auto rising = static_cast<std::uint8_t>(t);
    const auto falling = static_cast<std::uint8_t>(255 - static_cast<std::uint8_t>(t));
    switch (scenePhase_) {
    case ScenePhase::IntroFadeIn:
        windowAlpha_ = rising;
        if (v >= 254.0f) {
            windowAlpha_ = 254;
            scenePhase_ = ScenePhase::Idle;
        }
        break;
    case ScenePhase::IntroFadeOut:
        windowAlpha_ = falling;
        if (v >= 255.0f) {
            scenePhase_ = ScenePhase::PanelFadeIn;
            switchPages();
            phaseStart_ = clock_.now();
            windowAlpha_ = 0;
        }
        break;
    case ScenePhase::PanelFadeIn:
        windowAlpha_ = rising;
        if (v >= 255.0f) {
            // The panel is shown as an ordinary shaped window from here on.
            scenePhase_ = ScenePhase::Idle;
            applyRegion("panel", true);
            window_.setTranslucent(false);
            alphaActive_ = false;
            windowAlpha_ = 255;
        }
        break;
    case ScenePhase::PanelFadeOut:
        windowAlpha_ = falling;
        if (v >= 255.0f) {
            scenePhase_ = ScenePhase::OutroFadeIn;
            switchPages();
            phaseStart_ = clock_.now();
            windowAlpha_ = 0;
        }
        break;
    case ScenePhase::OutroFadeIn:
        windowAlpha_ = rising;
        if (v >= 255.0f) {
            scenePhase_ = ScenePhase::Idle;
            windowAlpha_ = 255;
        }
        break;
    case ScenePhase::OutroFadeOut:
        windowAlpha_ = falling;
        if (v >= 255.0f) {
            scenePhase_ = ScenePhase::Idle;
            loop_.postQuit(0);
            windowAlpha_ = 0;
        }
        break;
    case ScenePhase::Idle:
        break;
    }
}

// Without translucency intro, panel and outro change at once; only a switch between panel
// pages stays pending for the cross-fade.
void SceneDirector::plainStep()
{
    bool taken = false;
    if (sceneChangePending_) {
        if (currentScene_ == scene::intro) {
            switchPages();
            applyRegion("panel", true);
            scenePhase_ = ScenePhase::IntroFadeOut;
            taken = true;
        } else if (nextScene_ == scene::outro) {
            switchPages();
            applyRegion("outro", true);
            scenePhase_ = ScenePhase::PanelFadeOut;
            taken = true;
        }
        if (nextScene_ == scene::end) {
            window_.showWindow(ShowCommand::Hide);
            loop_.postQuit(0);
            scenePhase_ = ScenePhase::Idle;
            sceneChangePending_ = false;
            return;
        }
    }
    if (scenePhase_ != ScenePhase::Idle) {
        scenePhase_ = ScenePhase::Idle;
        if (taken)
            sceneChangePending_ = false;
    }
}

void SceneDirector::crossFadeStep()
{
    if (skin_.pages().empty())
        return;
    Page* current = skin_.page(currentScene_);
    Page* next = skin_.page(nextScene_);
    const int mask = (current && current->crossFade() ? 1 : 0) + (next && next->crossFade() ? 2 : 0);
    const auto elapsed = static_cast<std::int64_t>(clock_.now() - transitionStart_);
    double v = 0.0;
    if (skin_.timing().crossFadeTime > 0)
        v = static_cast<double>(elapsed) / skin_.timing().crossFadeTime * 255.0;
    else if (elapsed > 0)
        v = 256.0;
    if (v > 255.0) {
        v = 255.0;
        sceneChangePending_ = false;
    }
    const auto a = static_cast<std::uint8_t>(v < 0.0 ? 0.0 : v);
    switch (mask) {
    case 0:
        if (next)
            next->draw();
        sceneChangePending_ = false;
        break;
    case 1:
        if (next)
            next->draw();
        current->fadeDraw(static_cast<std::uint8_t>(255 - a));
        break;
    case 2:
        if (current)
            current->draw();
        next->fadeDraw(a);
        break;
    default:
        current->fadeDraw(static_cast<std::uint8_t>(255 - a));
        next->fadeDraw(a);
        break;
    }
    if (!sceneChangePending_)
        switchPages();
}

void SceneDirector::switchPages()
{
    currentScene_ = nextScene_;
    if (Page* page = currentPage()) {
        page->armTimers();
        page->mouseMove(lastMouseX_, lastMouseY_, 0);
    }
    parkHiddenPages();
}

} // namespace windlecroft
