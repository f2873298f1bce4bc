#pragma once

#include "base/NamedList.h"
#include "resources/Region.h"

#include <cstdint>
#include <string>

namespace windlecroft {

class Clock;
class EventLoop;
class Page;
class Skin;
class Window;

/** Phases of the scene machine. */
enum class ScenePhase { Idle = 0, IntroFadeIn, IntroFadeOut, PanelFadeIn, PanelFadeOut, OutroFadeIn, OutroFadeOut };

/**
 * The scenes the window passes through: the intro, the panel pages and the outro. It holds the
 * page shown and the switch under way, fades the whole window in and out where it can be
 * translucent, shapes it, and blends two panel pages into each other.
 */
class SceneDirector {
public:
    SceneDirector(Skin& skin, Window& window, EventLoop& loop, const Clock& clock);

    /** The scene the skin starts on: its start-scene chunk. */
    void setStartScene(const std::string& name) { currentScene_ = name; }
    /**
     * Builds the window shapes, shows the window where it has no fade, arms the start page's
     * timers and enters it.
     */
    void start();

    /** Leaves the current page, enters target and starts the switch the next frames carry out. */
    void requestPageSwitch(const std::string& target);
    /** The switch the playlist position asks for: each of the first 17 positions has its page. */
    void followTrack(int position);

    /**
     * The window went into the notification area (hidden) or came back. Nothing is drawn while
     * it is hidden, so a switch pending or asked for meanwhile completes at once, without a
     * fade; the window comes back on the right page, shaped for it.
     */
    void setHidden(bool hidden);

    /**
     * One frame of the scene machine: the whole window's fades and the switches they take up. A
     * switch between panel pages asked for while the whole window fades in waits for the fade's
     * end; its cross-fade then starts.
     */
    void step();
    /**
     * One frame of a pending switch between panel pages: draws both pages blended (or the new
     * one alone) and completes the switch once the cross-fade time has passed.
     */
    void crossFadeStep();

    /** Where the pointer was last seen; a new page gets it as its first move. */
    void pointerAt(int x, int y)
    {
        lastMouseX_ = x;
        lastMouseY_ = y;
    }

    /** The window shape of that name ("panel", "intro", "outro"), built when the scenes start. */
    const Region* region(std::string_view name) const { return regions_.find(name); }
    /** The page named currentScene, or nullptr. */
    Page* currentPage() const;
    const std::string& currentScene() const { return currentScene_; }
    const std::string& nextScene() const { return nextScene_; }
    bool onPanelPage() const;
    /** True while a switch waits for the scene machine; posted actions wait meanwhile. */
    bool switchPending() const { return sceneChangePending_; }
    /** True when a pending switch is a cross-fade the frames draw now. */
    bool crossFading() const { return sceneChangePending_ && scenePhase_ == ScenePhase::Idle; }
    ScenePhase phase() const { return scenePhase_; }
    bool alphaActive() const { return alphaActive_; }
    std::uint8_t windowAlpha() const { return windowAlpha_; }
    /** True when the outro has just made the window translucent: it is drawn at once, before the fade. */
    bool repaintPending() const { return repaintPending_; }
    void repainted() { repaintPending_ = false; }
    /** True while a fade, a switch or a repaint needs the frame tick. */
    bool busy() const { return scenePhase_ != ScenePhase::Idle || sceneChangePending_ || repaintPending_; }

private:
    void layeredStep();
    void plainStep();
    void advanceFade();
    void switchPages();
    void parkHiddenPages();
    void completeSwitch();
    void applyRegion(const char* name, bool use);

    Skin& skin_;
    Window& window_;
    EventLoop& loop_;
    const Clock& clock_;
    NamedList<Region> regions_;
    std::string currentScene_;
    std::string nextScene_;
    ScenePhase scenePhase_ = ScenePhase::IntroFadeIn;
    bool alphaActive_ = true;
    std::uint8_t windowAlpha_ = 0;
    bool repaintPending_ = false;
    bool hidden_ = false;
    bool sceneChangePending_ = false;
    std::uint64_t transitionStart_ = 0;
    std::uint64_t phaseStart_ = 0;
    int lastMouseX_ = 0;
    int lastMouseY_ = 0;
};

} // namespace windlecroft
