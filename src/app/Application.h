#pragma once

#include "app/ApplicationOptions.h"
#include "app/AudioStandby.h"
#include "app/BackBuffer.h"
#include "app/CommandDispatcher.h"
#include "app/Desktop.h"
#include "app/FrameRenderer.h"
#include "app/RemoteBridge.h"
#include "app/RemoteCommands.h"
#include "app/SceneDirector.h"
#include "app/Skin.h"
#include "app/TickPacer.h"
#include "app/TrayIcon.h"
#include "audio/AudioEngine.h"
#include "audio/Player.h"
#include "base/ActionQueue.h"
#include "elements/PageContext.h"
#include "plugins/PluginContext.h"

#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <optional>
#include <string>

namespace windlecroft {

class AudioOutput;
class Clock;
class RemoteControl;

/**
 * The running player: start-up, the event loop's events and shutdown. Its parts hold the state:
 * the Skin what the skin defines, the SceneDirector the scenes, the CommandDispatcher carries out
 * actions, the FrameRenderer draws, the Player plays. They are declared in the order they are
 * built, so they are destroyed in reverse order (audio stops before the archive it reads goes).
 */
class Application final : public DesktopEvents, public RemoteCommands {
public:
    Application(Desktop& desktop, Clock& clock, AudioOutput& audioOutput, ApplicationOptions options = {},
                std::ostream* diagnostics = nullptr);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    /** The guarded block: start-up, the loop, shutdown. Returns the exit code. */
    int run();
    /** The desktop's media controls, offered once the scenes start; set before run(). */
    void setRemoteControl(RemoteControl& remote);

    // Start-up steps, in the order run() calls them.
    void preReadConfig();
    void createMainWindow();
    void loadConfig();
    void initAudio();
    void startScenes();
    /** The shutdown sequence; each step tolerates what start-up never created. */
    void shutdown();

    /** The frame update (every posted action) and the frame render that follow every event. */
    void frameUpdate();
    void frameRender();
    /** Posts an action; the next frame update carries it out. */
    void postAction(std::uint16_t code, std::uint16_t arg);

    /** The message of an error raised while the loop ran, if any. */
    const std::optional<std::string>& loopError() const;

    const Skin& skin() const;
    const SceneDirector& scenes() const;
    SceneDirector& scenes();
    Player& player();
    AudioEngine& audioEngine();
    const ActionQueue& actions() const;
    const PluginContext& pluginContext() const;
    BackBuffer& backBuffer();
    const TrayIcon& trayIcon() const;
    /** What the pages share with the rest of the player. */
    const PageContext& pageContext() const;

    // DesktopEvents: each event is handled, then one frame update and one frame render run.
    void tick() override;
    void liveFrame() override;
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

    // RemoteCommands: each command is handled like a desktop event.
    void remoteCommand(RemoteCommand command) override;
    void remoteSeek(std::int64_t offsetMicroseconds) override;
    void remoteSetPosition(int track, std::int64_t positionMicroseconds) override;
    void remoteSetVolume(double volume) override;
    std::int64_t remotePosition() const override;

private:
    struct Failure {
        std::string message;
        std::string detail;
    };
    /** Runs body; what it raises comes back as a failure. */
    template <typename Body>
    static std::optional<Failure> attempt(Body&& body);
    template <typename Handler>
    void deliver(Handler&& handler);
    template <typename Handler>
    void toPage(Handler&& handler);
    void stopLoop(std::string message, std::string detail = {});
    void reportError(const std::string& message, const std::string& detail = {});
    void writeScreenshot();

    Desktop& desktop_;
    Clock& clock_;
    AudioOutput& audioOutput_;
    const ApplicationOptions options_;
    std::ostream& diagnostics_;
    ActionQueue actions_;
    Skin skin_;
    PluginContext pluginContext_;
    BackBuffer backBuffer_;
    Canvas scratch_;
    AudioEngine audioEngine_;
    Player player_;
    PageContext pageContext_;
    TrayIcon trayIcon_;
    SceneDirector scenes_;
    CommandDispatcher commands_;
    RemoteBridge remote_;
    FrameRenderer renderer_;
    TickPacer pacer_;
    AudioStandby audioStandby_;
    std::uint64_t startTime_;
    bool windowCreated_ = false;
    bool remoteStarted_ = false;
    bool stopped_ = false;
    std::optional<std::string> loopError_;
    std::string loopDetail_;
    // Live frames come from the desktop's live-frame thread: they and every event take turns.
    // Recursive, since an event handler may run a nested loop that delivers events.
    mutable std::recursive_mutex frameMutex_;
    std::optional<Failure> liveFailure_;
};

} // namespace windlecroft
