#include "app/Application.h"

#include "app/SkinBuilder.h"
#include "app/WindowPlacement.h"
#include "base/Clock.h"
#include "base/Error.h"
#include "resources/PngWriter.h"

#include <iostream>

namespace windlecroft {

Application::Application(Desktop& desktop, Clock& clock, AudioOutput& audioOutput, ApplicationOptions options,
                         std::ostream* diagnostics)
    : desktop_(desktop)
    , clock_(clock)
    , audioOutput_(audioOutput)
    , options_(std::move(options))
    , diagnostics_(diagnostics ? *diagnostics : std::cerr)
    , backBuffer_(desktop)
    , audioEngine_(diagnostics_)
    , player_(audioEngine_, skin_.archive(), skin_.playlist(), pluginContext_.currentIndex())
    , pageContext_{actions_, clock,       skin_.timing().highlightStep, skin_.windowWidth(), skin_.windowHeight(),
                   player_,  backBuffer_, scratch_,                     pluginContext_.record()}
    , trayIcon_(desktop, desktop, skin_.trayMenu())
    , scenes_(skin_, desktop, desktop, clock)
    , commands_({actions_, player_, skin_, scenes_, trayIcon_, desktop, desktop, pluginContext_},
                options_.traceActions ? &diagnostics_ : nullptr)
    , remote_({actions_, player_, skin_, scenes_, trayIcon_})
    , renderer_({scenes_, skin_, player_, pluginContext_, backBuffer_, desktop, trayIcon_})
    , pacer_(desktop, audioEngine_, clock, scenes_, options_.quitAfterMs)
    , audioStandby_(audioEngine_, audioOutput)
    , startTime_(clock.now())
{
    player_.setListener(&commands_);
}

Application::~Application() = default;

int Application::run()
{
    int exitCode = 0;
    try {
        preReadConfig();
        createMainWindow();
        loadConfig();
        initAudio();
        startScenes();
        // The start page is shown at once; its enter actions run on the first tick (a module
        // they start may still wait for the module library to set itself up).
        renderer_.render();
        exitCode = desktop_.run(*this);
        if (loopError_)
            throw Error(*loopError_, loopDetail_);
    } catch (const Error& error) {
        reportError(error.what(), error.detail());
        // A failed start or run must not look like success to a shell.
        exitCode = 1;
    } catch (const std::exception& error) {
        // Anything a library or the system raised (a read error, memory that could not be had)
        // is reported the same way.
        reportError(error.what());
        exitCode = 1;
    } catch (...) {
        reportError("unknown error");
        exitCode = 1;
    }
    shutdown();
    return exitCode;
}

void Application::setRemoteControl(RemoteControl& remote)
{
    remote_.attach(remote);
}

// What tests and the program look at.
const std::optional<std::string>& Application::loopError() const
{
    return loopError_;
}

const Skin& Application::skin() const
{
    return skin_;
}

const SceneDirector& Application::scenes() const
{
    return scenes_;
}

SceneDirector& Application::scenes()
{
    return scenes_;
}

Player& Application::player()
{
    return player_;
}

AudioEngine& Application::audioEngine()
{
    return audioEngine_;
}

const ActionQueue& Application::actions() const
{
    return actions_;
}

const PluginContext& Application::pluginContext() const
{
    return pluginContext_;
}

BackBuffer& Application::backBuffer()
{
    return backBuffer_;
}

const TrayIcon& Application::trayIcon() const
{
    return trayIcon_;
}

const PageContext& Application::pageContext() const
{
    return pageContext_;
}

void Application::reportError(const std::string& message, const std::string& detail)
{
    diagnostics_ << "windlecroft: " << message << std::endl;
    if (!detail.empty())
        diagnostics_ << "windlecroft: " << detail << std::endl;
    desktop_.showError(message);
}

namespace {

SkinBuildContext buildContext(const PageContext& pages, PluginContext& plugins, const Desktop& desktop,
                              const ApplicationOptions& options, std::ostream& diagnostics)
{
    return {pages, plugins, desktop.supportsLayered(), {options.skinDir, options.pluginDir}, diagnostics};
}

} // namespace

void Application::preReadConfig()
{
    SkinBuilder builder(skin_, buildContext(pageContext_, pluginContext_, desktop_, options_, diagnostics_));
    builder.readRoot(readConfigFile(options_.skinDir / configFileName));
}

void Application::createMainWindow()
{
    const int width = skin_.windowWidth();
    const int height = skin_.windowHeight();
    auto [x, y] = centredWindowPosition(desktop_.screenGeometry(), width, height);
    desktop_.createWindow(skin_.windowTitle(), x, y, width, height);
    windowCreated_ = true;
    backBuffer_.create(width, height);
    pluginContext_.setSurface(backBuffer_.surface().data(), backBuffer_.width(), backBuffer_.height(),
                              backBuffer_.surface().stride());
    // On the layered path the window is on screen at once, fully transparent until the intro
    // fades it in; otherwise the start of the scenes shows it.
    if (desktop_.supportsLayered()) {
        desktop_.setTranslucent(true);
        desktop_.setWindowAlpha(0);
        desktop_.showWindow(ShowCommand::Show);
    }
}

void Application::loadConfig()
{
    SkinBuilder builder(skin_, buildContext(pageContext_, pluginContext_, desktop_, options_, diagnostics_));
    builder.openArchive(options_.skinDir / dataFileName);
    builder.build(readConfigFile(options_.skinDir / configFileName));
    scenes_.setStartScene(skin_.startScene());
}

void Application::initAudio()
{
    player_.initAudio(audioOutput_);
}

void Application::startScenes()
{
    scenes_.start();
    // Every plugin is started once, newest first, whatever pages it is attached to.
    for (const auto& [name, plugin] : skin_.plugins())
        plugin->start(pluginContext_.record());
}

// Every frame ends with present(), so the buffer holds what was presented last.
void Application::writeScreenshot()
{
    std::string reason;
    if (!writePng(*options_.screenshotFile, backBuffer_.surface(), &reason))
        diagnostics_ << "windlecroft: can't write screenshot " << options_.screenshotFile->string() << ": " << reason
                     << std::endl;
}

void Application::shutdown()
{
    // No command may reach the player while it is taken apart.
    remote_.stop();
    if (options_.screenshotFile && backBuffer_.created())
        writeScreenshot();
    // Channels playing archive entries read its memory: audio stops first.
    player_.shutdownAudio();
    skin_.release();
    pluginContext_.reset();
    trayIcon_.remove();
    if (windowCreated_) {
        desktop_.clearWindowShape();
        desktop_.destroyWindow();
        windowCreated_ = false;
    }
}

void Application::frameUpdate()
{
    commands_.update();
    remote_.update();
}

void Application::frameRender()
{
    renderer_.render();
    // The desktop's media controls are offered once the first frame is out: the session bus
    // can take a while to answer (or to be started), and the window comes first.
    if (!remoteStarted_) {
        remoteStarted_ = true;
        remote_.start(*this);
    }
    audioStandby_.update();
    pacer_.pace();
}

void Application::postAction(std::uint16_t code, std::uint16_t arg)
{
    actions_.post(code, arg);
}

void Application::stopLoop(std::string message, std::string detail)
{
    loopError_ = std::move(message);
    loopDetail_ = std::move(detail);
    stopped_ = true;
    desktop_.postQuit(1);
}

// Handles one desktop event, then runs one frame update and one frame render. An error ends
// the loop at once; run() shows it after the loop has returned.
template <typename Handler>
void Application::deliver(Handler&& handler)
{
    std::scoped_lock lock(frameMutex_);
    if (stopped_)
        return;
    if (liveFailure_) {
        stopLoop(liveFailure_->message, liveFailure_->detail);
        return;
    }
    if (std::optional<Failure> failure = attempt([this, &handler] {
            handler();
            // Track ends reported by the audio thread are acted on here, on the main thread.
            player_.handleEndedTracks();
            frameUpdate();
            frameRender();
        }))
        stopLoop(failure->message, failure->detail);
}

// A live frame that fails ends the loop too, from the loop's thread: its next tick does it.
void Application::liveFrame()
{
    std::scoped_lock lock(frameMutex_);
    if (stopped_ || liveFailure_ || !pacer_.liveFramesApart())
        return;
    liveFailure_ = attempt([this] { renderer_.renderLive(); });
    if (liveFailure_)
        desktop_.wakeTick();
}

template <typename Body>
std::optional<Application::Failure> Application::attempt(Body&& body)
{
    try {
        body();
    } catch (const Error& error) {
        return Failure{error.what(), error.detail()};
    } catch (const std::exception& error) {
        return Failure{error.what(), {}};
    } catch (...) {
        return Failure{"unknown error", {}};
    }
    return std::nullopt;
}

// An event for the page named currentScene, if the skin has it.
template <typename Handler>
void Application::toPage(Handler&& handler)
{
    deliver([this, &handler] {
        if (Page* page = scenes_.currentPage())
            handler(*page);
    });
}

void Application::tick()
{
    deliver([this] {
        const std::uint64_t now = clock_.now();
        if (Page* page = scenes_.currentPage())
            page->timerTick(now);
        if (options_.quitAfterMs && now - startTime_ >= *options_.quitAfterMs)
            desktop_.postQuit(0);
    });
}

void Application::windowMoved()
{
    deliver([] {});
}

// Closing the window by any means only posts the quit message; the teardown follows the loop.
void Application::closeRequested()
{
    deliver([this] { desktop_.postQuit(0); });
}

void Application::focusGained()
{
    toPage([](Page& page) { page.resetButtons(); });
}

void Application::keyDown(std::uint16_t key)
{
    toPage([key](Page& page) { page.keyDown(key); });
}

void Application::keyUp(std::uint16_t key)
{
    toPage([key](Page& page) { page.keyUp(key); });
}

void Application::mouseMove(int x, int y, std::uint16_t keyState)
{
    deliver([this, x, y, keyState] {
        scenes_.pointerAt(x, y);
        if (Page* page = scenes_.currentPage())
            page->mouseMove(x, y, keyState);
    });
}

// While the window sits in the tray, left presses reach nothing and drag nothing.
bool Application::mouseDown(int x, int y)
{
    bool handled = true;
    deliver([this, x, y, &handled] {
        if (trayIcon_.shown())
            return;
        Page* page = scenes_.currentPage();
        handled = page && page->mouseDown(x, y);
    });
    return handled;
}

void Application::mouseUp(int x, int y)
{
    toPage([this, x, y](Page& page) {
        if (!trayIcon_.shown())
            page.mouseUp(x, y);
    });
}

void Application::doubleClick(int x, int y)
{
    toPage([this, x, y](Page& page) {
        if (!trayIcon_.shown())
            page.doubleClick(x, y);
    });
}

void Application::rightDown()
{
    toPage([](Page& page) { page.rightDown(); });
}

void Application::wheel(int x, int y, int delta)
{
    toPage([x, y, delta](Page& page) { page.wheel(x, y, delta); });
}

void Application::trayClicked(bool rightButton)
{
    deliver([this, rightButton] {
        if (rightButton)
            desktop_.showTrayMenu();
        else
            actions_.post(ActionCode::RestoreFromTray, 0);
    });
}

void Application::menuCommand(std::uint16_t command)
{
    deliver([this, command] { skin_.trayMenu().command(command, actions_); });
}

void Application::remoteCommand(RemoteCommand command)
{
    deliver([this, command] { remote_.command(command); });
}

void Application::remoteSeek(std::int64_t offsetMicroseconds)
{
    deliver([this, offsetMicroseconds] { remote_.seek(offsetMicroseconds); });
}

void Application::remoteSetPosition(int track, std::int64_t positionMicroseconds)
{
    deliver([this, track, positionMicroseconds] { remote_.setPosition(track, positionMicroseconds); });
}

void Application::remoteSetVolume(double volume)
{
    deliver([this, volume] { remote_.setVolume(volume); });
}

std::int64_t Application::remotePosition() const
{
    std::scoped_lock lock(frameMutex_);
    return remote_.position();
}

} // namespace windlecroft
