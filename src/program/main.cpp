// The composition root: picks the desktop (the Qt shell, or the headless one) and runs the player.
#include "app/Application.h"
#include "program/CommandLine.h"
#include "base/SteadyClock.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/ScreenScale.h"
#include "platform/sdl/SdlAudioOutput.h"
#include "plugins/PluginLocations.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <utility>

namespace {

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

    CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.exitCode) {
        (*commandLine.exitCode == 0 ? std::cout : std::cerr) << commandLine.message;
        return *commandLine.exitCode;
    }
    if (commandLine.skinFolder) {
        std::error_code error;
        std::filesystem::current_path(*commandLine.skinFolder, error);
        if (error) {
            std::cerr << "windlecroft: can't change into " << commandLine.skinFolder->string() << ": "
                      << error.message() << '\n';
            return 1;
        }
    }

    std::error_code ignored;
    commandLine.options.programDir = std::filesystem::canonical("/proc/self/exe", ignored).parent_path();
    commandLine.options.pluginDir = programPluginFolder(commandLine.options.programDir);

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
    Application application(desktop, clock, audio, commandLine.options);
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
