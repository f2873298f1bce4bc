#include "app/Application.h"

#include "base/Error.h"
#include "app/WindowPlacement.h"
#include "config/SkinConfigLoader.h"
#include "base/Clock.h"
#include "resources/PngWriter.h"

#include <iostream>

namespace windlecroft {

namespace {

// Track positions 0–6 belong to the day page, 7–12 to the evening page, 13–16 to the night page.
std::array<std::string, 17> initialTrackScenes()
{
    std::array<std::string, 17> scenes;
    for (std::size_t i = 0; i < scenes.size(); ++i)
        scenes[i] = i <= 6 ? "dzien" : i <= 12 ? "wieczor" : "noc";
    return scenes;
}

} // namespace

Application::Application(Desktop& desktop, Clock& clock, AudioOutput& audioOutput, ApplicationOptions options,
                         std::ostream* diagnostics)
    : desktop(desktop)
    , clock(clock)
    , audioOutput(audioOutput)
    , options(std::move(options))
    , trackScenes(initialTrackScenes())
    , audioEngine(diagnostics ? *diagnostics : std::cerr)
    , player(audioEngine, archive, actionQueue, playlist, pluginContext.currentIndex())
    , diagnostics_(diagnostics ? *diagnostics : std::cerr)
    , pageContext_{actionQueue, clock, highlightStep, windowWidth, windowHeight, player, backBuffer, pluginContext.record()}
    , startTime_(clock.now())
{
}

Application::~Application() = default;

std::filesystem::path Application::skinFile(const char* name) const
{
    return options.skinDir / name;
}

int Application::run()
{
    int exitCode = 0;
    try {
        preReadConfig();
        createMainWindow();
        loadConfig();
        initAudio();
        startScenes();
        exitCode = desktop.run(*this);
        if (loopError_)
            throw Error(*loopError_);
    } catch (const std::exception& error) {
        // The player's own errors, and anything else a library or the system raised (a read
        // error, memory that could not be had): each is reported the same way.
        reportError(error.what());
        // A failed start or run must not look like success to a shell.
        exitCode = 1;
    } catch (...) {
        reportError("unknown error");
        exitCode = 1;
    }
    shutdown();
    return exitCode;
}

void Application::reportError(const std::string& message)
{
    diagnostics_ << "windlecroft: " << message << std::endl;
    desktop.showError(message);
}

void Application::preReadConfig()
{
    preReadSkinConfig(skinFile(configFileName), *this);
}

void Application::createMainWindow()
{
    auto [x, y] = centredWindowPosition(desktop.screenGeometry(), windowWidth, windowHeight);
    desktop.createWindow(windowTitle, x, y, windowWidth, windowHeight);
    windowCreated_ = true;
    backBuffer.create(windowWidth, windowHeight);
    pluginContext.setSurface(backBuffer.surface().data(), backBuffer.width(), backBuffer.height(),
                             backBuffer.surface().stride());
    // On the layered path the window is on screen at once, fully transparent until the intro
    // fades it in; otherwise the start of the scenes shows it.
    if (desktop.supportsLayered()) {
        desktop.setTranslucent(true);
        desktop.setWindowAlpha(0);
        desktop.showWindow(ShowCommand::Show);
    }
}

void Application::loadConfig()
{
    loadSkinConfig(skinFile(configFileName), skinFile(dataFileName), *this);
}

void Application::initAudio()
{
    player.initAudio(audioOutput);
}

// Every frame ends with present(), so the buffer holds what was presented last.
void Application::writeScreenshot()
{
    std::string reason;
    if (!writePng(*options.screenshotFile, backBuffer.surface(), &reason))
        diagnostics_ << "windlecroft: can't write screenshot " << options.screenshotFile->string() << ": " << reason
                     << std::endl;
}

void Application::shutdown()
{
    if (options.screenshotFile && backBuffer.created())
        writeScreenshot();
    // Channels playing archive entries read its memory: audio stops first.
    player.shutdownAudio();
    archive.close();
    stringMapping.release();
    pluginContext.reset();
    if (trayIcon.shown()) {
        desktop.hideTrayIcon();
        trayIcon.setShown(false);
    }
    if (windowCreated_) {
        desktop.clearWindowShape();
        desktop.destroyWindow();
        windowCreated_ = false;
    }
}

} // namespace windlecroft
