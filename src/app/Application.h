#pragma once

#include "base/ActionQueue.h"
#include "app/ApplicationOptions.h"
#include "app/BackBuffer.h"
#include "base/Error.h"
#include "base/NamedList.h"
#include "app/TrayIcon.h"
#include "base/Budget.h"
#include "base/SkinLimits.h"
#include "audio/AudioEngine.h"
#include "audio/Player.h"
#include "audio/TrackEntry.h"
#include "audio/Tracklist.h"
#include "elements/Page.h"
#include "elements/PageContext.h"
#include "config/StringMapping.h"
#include "app/Desktop.h"
#include "plugins/Plugin.h"
#include "plugins/PluginContext.h"
#include "resources/DataArchive.h"
#include "resources/Font.h"
#include "resources/FontCatalog.h"
#include "resources/ImageLoadContext.h"
#include "resources/InstalledFontList.h"
#include "resources/PictureBudget.h"
#include "resources/Region.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

namespace windlecroft {

class AudioOutput;
class Clock;

/** Phases of the scene machine. */
enum class ScenePhase { Idle = 0, IntroFadeIn, IntroFadeOut, PanelFadeIn, PanelFadeOut, OutroFadeIn, OutroFadeOut };

/**
 * The one object that holds every process-wide value of the player, with its initial value.
 * Components receive it, or the parts of it they need, by reference. The process-wide objects
 * are declared in their order of construction so that they are destroyed in reverse order.
 */
class Application final : public DesktopEvents {
public:
    Application(Desktop& desktop, Clock& clock, AudioOutput& audioOutput, ApplicationOptions options = {},
                std::ostream* diagnostics = nullptr);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /** The entry point's guarded block: start-up, the loop, shutdown. Returns the exit code. */
    int run();

    // Start-up steps, in the order run() calls them.
    void preReadConfig();
    void createMainWindow();
    void loadConfig();
    void initAudio();
    void startScenes();

    /**
     * Carries out the posted actions (the queue is last in, first out), passing each to the
     * current page, then asks for the page the playing track belongs to.
     */
    void frameUpdate();
    /** Advances the scenes, draws the frame and presents it; nothing while in the tray. */
    void frameRender();

    /** Leaves the current page, enters target and starts the switch the next frames carry out. */
    void requestPageSwitch(const std::string& target);

    /** The shutdown sequence; each step tolerates what start-up never created. */
    void shutdown();

    /** Posts an action; the next frame update carries it out. */
    void postAction(std::uint16_t code, std::uint16_t arg) { actionQueue.post(code, arg); }

    /** The message of an error raised while the loop ran, if any. */
    const std::optional<std::string>& loopError() const { return loopError_; }

    /**
     * What loading a skin picture needs: the archive, whether the window is layered (for the
     * whitening of JPEG pictures), the window's width (the masks' row length) and where a
     * picture that does not decode is reported; every picture loaded is charged to the skin's
     * picture budget.
     */
    ImageLoadContext imageLoadContext()
    {
        return {archive, desktop.supportsLayered(), windowWidth, diagnostics_, &pictureBudget_};
    }

    // DesktopEvents: each event is handled, then one frame update and one frame render run.
    void tick() override;
    void windowMoved() override;
    void closeRequested() override;
    void focusGained() override;
    void keyDown(std::uint16_t key) override;
    void keyUp(std::uint16_t key) override;
    void mouseMove(int x, int y, std::uint16_t keyState) override;
    bool mouseDown(int x, int y) override;
    void mouseUp(int x, int y) override;
    void doubleClick(int x, int y) override;
    void rightDown() override;
    void wheel(int x, int y, int delta) override;
    void trayClicked(bool rightButton) override;
    void menuCommand(std::uint16_t command) override;

    Desktop& desktop;
    Clock& clock;
    AudioOutput& audioOutput;
    const ApplicationOptions options;

    // Process-wide objects, in construction order.
    std::string windowTitle = "Windlecroft          ";
    std::string trayTip = "Velkor  ";
    std::array<std::string, 17> trackScenes;
    // Stands in for the system's font table: it outlives every Font and FontFile below.
    FontCatalog fontCatalog;
    NamedList<Font> fonts;
    NamedList<Page> pages;
    NamedList<Plugin> plugins;
    InstalledFontList installedFonts;
    NamedList<Region> regions;
    NamedTracks namedTracks;
    std::string currentScene;
    std::string nextScene;
    ActionQueue actionQueue;
    Tracklist playlist;
    PluginContext pluginContext;

    // Plain values.
    int windowWidth = 640;
    int windowHeight = 480;
    std::uint16_t crossFadeTime = 1500;
    std::uint16_t musicFadeTime = 1500;
    std::uint16_t highlightStep = 5;
    ScenePhase scenePhase = ScenePhase::IntroFadeIn;
    bool alphaActive = true;
    std::uint8_t windowAlpha = 0;
    bool repaintPending = false;
    bool sceneChangePending = false;
    std::uint64_t transitionStart = 0;
    std::uint64_t phaseStart = 0;
    int lastMouseX = 0;
    int lastMouseY = 0;
    std::array<float, 512> spectrum{};

    /** Created with the main window, for its size. */
    BackBuffer backBuffer{desktop};

    DataArchive archive;
    StringMapping stringMapping;
    TrayIcon trayIcon;
    // The engine's channels read archive memory: it goes before the archive does.
    AudioEngine audioEngine;
    Player player;

    /** The text the skin's documents may still hold together. */
    Budget& documentBudget() { return documentBudget_; }

    /** What the pages share with the rest of the player. */
    const PageContext& pageContext() const { return pageContext_; }
    /** The page named currentScene, or nullptr. */
    Page* currentPage() const { return pages.find(currentScene); }

private:
    /**
     * Handles one desktop event, then runs one frame update and one frame render. An error ends
     * the loop at once; run() shows it after the loop has returned.
     */
    template <typename Handler>
    void deliver(Handler&& handler)
    {
        if (stopped_)
            return;
        try {
            handler();
            // Track ends reported by the audio thread are acted on here, on the main thread.
            player.handleEndedTracks();
            frameUpdate();
            frameRender();
        } catch (const std::exception& error) {
            stopLoop(error.what());
        } catch (...) {
            stopLoop("unknown error");
        }
    }
    void stopLoop(std::string message)
    {
        loopError_ = std::move(message);
        stopped_ = true;
        desktop.postQuit(1);
    }
    void carryOut(Action action);
    void startNamedTrack(std::uint16_t mappingIndex);
    void toTray();
    void restoreFromTray();
    void requestTrackPage();

    void sceneStep();
    void layeredSceneStep();
    void plainSceneStep();
    void advanceFade();
    void crossFadeStep();
    void switchPages();
    void applyRegion(const char* name, bool use);
    void drawFrame();
    void drawTitle();
    void directRepaint();
    void paceTicks();
    bool frameTicksNeeded() const;
    bool onPanelPage() const { return currentScene != "intro" && currentScene != "outro"; }

    void reportError(const std::string& message);
    void writeScreenshot();
    std::filesystem::path skinFile(const char* name) const;

    /** What the last ordinary frame showed: the page, its element states and the title's entry. */
    struct FrameState {
        const Page* page;
        std::uint64_t pageState;
        const TrackEntry* title;
        bool operator==(const FrameState&) const = default;
    };

    std::ostream& diagnostics_;
    PictureBudget pictureBudget_;
    Budget documentBudget_{maxSkinDocumentBytes};
    PageContext pageContext_;
    std::optional<FrameState> lastFrame_;
    std::uint64_t startTime_;
    // The tick period last asked of the desktop, and whether track ends wake its loop.
    int tickInterval_ = 10;
    bool endWakeInstalled_ = false;
    bool windowCreated_ = false;
    bool stopped_ = false;
    std::optional<std::string> loopError_;
};

} // namespace windlecroft
