// The composition root: picks the desktop (the Qt shell, or the headless one) and runs the player.
#include "app/Application.h"
#include "program/CommandLine.h"
#include "base/SteadyClock.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtMediaRemote.h"
#include "platform/qt/ScreenScale.h"
#include "platform/sdl/SdlAudioOutput.h"
#include "plugins/PluginLocations.h"
#include "program/SkinFolderChoice.h"

#include <QApplication>

#include <malloc.h>

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

// Settings that keep a long-running player light: large blocks (pictures, frames, modules) in
// mappings of their own, given back as soon as they are freed (glibc would otherwise raise the
// threshold after the first such free and keep them in the heap for good), and no OpenGL set up
// for a shell that draws in software, unless the user asks for it.
void settleProcess()
{
#ifdef M_MMAP_THRESHOLD
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    setenv("QT_XCB_GL_INTEGRATION", "none", 0);
}

bool displayConfigured()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

int runProgram(int argc, char** argv)
{
    using namespace windlecroft;

    settleProcess();
    CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitCode) {
        (*commandLine.exitCode == 0 ? std::cout : std::cerr) << commandLine.message;
        return *commandLine.exitCode;
    }
    // The program's own folder (Linux names the running program in /proc/self/exe), links resolved,
    // is where its plugin folder and its demo skin are found.
    std::error_code unknown;
    commandLine.options.programDir = std::filesystem::canonical("/proc/self/exe", unknown).parent_path();
    if (!commandLine.options.programDir.empty())
        commandLine.options.pluginDir = programPluginFolder(commandLine.options.programDir);

    std::error_code noWorkingDir;
    const std::filesystem::path workingDir = std::filesystem::current_path(noWorkingDir);
    const std::filesystem::path skinFolder
        = chooseSkinFolder(commandLine.skinFolder, workingDir, commandLine.options.programDir);
    if (commandLine.skinFolder || skinFolder != workingDir) {
        std::error_code error;
        std::filesystem::current_path(skinFolder, error);
        if (error) {
            std::cerr << "windlecroft: can't change into " << skinFolder.string() << ": " << error.message() << '\n';
            return 1;
        }
    }

    SteadyClock clock;
    SdlAudioOutput audio(std::cerr);
    if (commandLine.headless) {
        HeadlessDesktop desktop(clock, commandLine.layered);
        desktop.setInput(commandLine.input.events());
        Application application(desktop, clock, audio, commandLine.options);
        return application.run();
    }

    if (!displayConfigured()) {
        std::cerr << "windlecroft: no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                     "use --headless to run without one\n";
        return 1;
    }
    installQtFatalHandler();
    if (commandLine.scale)
        forceScreenScale(*commandLine.scale);
    QApplication qtApplication(argc, argv);
    QtDesktop desktop;
    QtMediaRemote remote(std::cerr);
    Application application(desktop, clock, audio, commandLine.options);
    application.setRemoteControl(remote);
    return application.run();
}

} // namespace

// What the player does not catch itself (a failure before or after it runs) still ends in one
// line and status 1, never in an abort.
int main(int argc, char** argv)
{
    try {
        return runProgram(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "windlecroft: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "windlecroft: unknown error\n";
    }
    return 1;
}
