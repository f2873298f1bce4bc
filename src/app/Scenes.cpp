// The scene machine: intro, panel pages and outro, the fades of the whole window when it can
// be translucent, the window shapes, and the cross-fade between two panel pages.
#include "app/Application.h"

#include "base/Clock.h"

namespace windlecroft {

void Application::startScenes()
{
    regions.add("panel", std::make_unique<Region>(Region::build("Data\\panel.rgn", windowWidth, windowHeight, archive)));
    // The intro and the outro share the fixed rectangle; their masks only whiten pictures.
    regions.add("intro", std::make_unique<Region>(Region::build("intro", windowWidth, windowHeight, archive)));
    regions.add("outro", std::make_unique<Region>(Region::build("intro", windowWidth, windowHeight, archive)));
    phaseStart = clock.now();
    if (!desktop.supportsLayered()) {
        applyRegion("intro", true);
        desktop.showWindow(ShowCommand::Show);
    }
    if (Page* page = currentPage()) {
        page->armTimers();
        page->enter();
    }
    // Every plugin is started once, newest first, whatever pages it is attached to.
    for (const auto& [name, plugin] : plugins)
        plugin->start(pluginContext.record());
}

void Application::applyRegion(const char* name, bool use)
{
    const Region* region = regions.find(name);
    if (!region)
        return;
    if (use)
        desktop.setWindowShape(*region);
    else
        desktop.clearWindowShape();
}

void Application::sceneStep()
{
    if (desktop.supportsLayered())
        layeredSceneStep();
    else
        plainSceneStep();
}

void Application::layeredSceneStep()
{
    if (sceneChangePending) {
        if (currentScene == "intro") {
            phaseStart = clock.now();
            scenePhase = ScenePhase::IntroFadeOut;
        } else if (nextScene == "outro") {
            phaseStart = clock.now();
            desktop.setTranslucent(true);
            scenePhase = ScenePhase::PanelFadeOut;
            alphaActive = true;
            repaintPending = true;
            applyRegion("panel", false);
        }
        if (nextScene == "empty") {
            scenePhase = ScenePhase::OutroFadeOut;
            phaseStart = clock.now();
        }
    }
    // A running fade takes the switch up itself; between panel pages (no fade) the switch
    // stays pending for the cross-fade.
    if (scenePhase != ScenePhase::Idle) {
        advanceFade();
        sceneChangePending = false;
    }
}

// Every fade lasts about a second: 0.255 alpha steps per millisecond.
void Application::advanceFade()
{
    const auto elapsed = static_cast<std::int64_t>(clock.now() - phaseStart);
    const float v = static_cast<float>(elapsed) * 0.255f;
    const auto t = static_cast<std::int64_t>(v);
    const auto rising = static_cast<std::uint8_t>(t);
    const auto falling = static_cast<std::uint8_t>(255 - static_cast<std::uint8_t>(t));
    switch (scenePhase) {
    case ScenePhase::IntroFadeIn:
        windowAlpha = rising;
        if (v >= 254.0f) {
            windowAlpha = 254;
            scenePhase = ScenePhase::Idle;
        }
        break;
    case ScenePhase::IntroFadeOut:
        windowAlpha = falling;
        if (v >= 255.0f) {
            scenePhase = ScenePhase::PanelFadeIn;
            switchPages();
            phaseStart = clock.now();
            windowAlpha = 0;
        }
        break;
    case ScenePhase::PanelFadeIn:
        windowAlpha = rising;
        if (v >= 255.0f) {
            // The panel is shown as an ordinary shaped window from here on.
            scenePhase = ScenePhase::Idle;
            applyRegion("panel", true);
            desktop.setTranslucent(false);
            alphaActive = false;
            windowAlpha = 255;
        }
        break;
    case ScenePhase::PanelFadeOut:
        windowAlpha = falling;
        if (v >= 255.0f) {
            scenePhase = ScenePhase::OutroFadeIn;
            switchPages();
            phaseStart = clock.now();
            windowAlpha = 0;
        }
        break;
    case ScenePhase::OutroFadeIn:
        windowAlpha = rising;
        if (v >= 255.0f) {
            scenePhase = ScenePhase::Idle;
            windowAlpha = 255;
        }
        break;
    case ScenePhase::OutroFadeOut:
        windowAlpha = falling;
        if (v >= 255.0f) {
            scenePhase = ScenePhase::Idle;
            desktop.postQuit(0);
            windowAlpha = 0;
        }
        break;
    case ScenePhase::Idle:
        break;
    }
}

// Without translucency intro, panel and outro change at once; only a switch between panel
// pages stays pending for the cross-fade.
void Application::plainSceneStep()
{
    if (sceneChangePending) {
        if (currentScene == "intro") {
            switchPages();
            applyRegion("panel", true);
            scenePhase = ScenePhase::IntroFadeOut;
        } else if (nextScene == "outro") {
            switchPages();
            applyRegion("outro", true);
            scenePhase = ScenePhase::PanelFadeOut;
        }
        if (nextScene == "empty") {
            desktop.showWindow(ShowCommand::Hide);
            desktop.postQuit(0);
            scenePhase = ScenePhase::Idle;
            sceneChangePending = false;
            return;
        }
    }
    if (scenePhase != ScenePhase::Idle) {
        scenePhase = ScenePhase::Idle;
        sceneChangePending = false;
    }
}

void Application::crossFadeStep()
{
    if (pages.empty())
        return;
    Page* current = pages.find(currentScene);
    Page* next = pages.find(nextScene);
    const int mask = (current && current->crossFade() ? 1 : 0) + (next && next->crossFade() ? 2 : 0);
    const auto elapsed = static_cast<std::int64_t>(clock.now() - transitionStart);
    double v = 0.0;
    if (crossFadeTime > 0)
        v = static_cast<double>(elapsed) / crossFadeTime * 255.0;
    else if (elapsed > 0)
        v = 256.0;
    if (v > 255.0) {
        v = 255.0;
        sceneChangePending = false;
    }
    const auto a = static_cast<std::uint8_t>(v < 0.0 ? 0.0 : v);
    switch (mask) {
    case 0:
        if (next)
            next->draw();
        sceneChangePending = false;
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
    if (!sceneChangePending)
        switchPages();
}

void Application::switchPages()
{
    currentScene = nextScene;
    if (Page* page = currentPage()) {
        page->armTimers();
        page->mouseMove(lastMouseX, lastMouseY, 0);
    }
}

} // namespace windlecroft
