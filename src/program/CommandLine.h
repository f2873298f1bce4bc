#pragma once

#include "app/ApplicationOptions.h"
#include "program/InputScript.h"

#include <filesystem>
#include <optional>
#include <string>

namespace windlecroft {

/** The program's command line, parsed. Without arguments every option keeps its default. */
struct CommandLine {
    ApplicationOptions options;
    /** Folder to change into before anything is read. */
    std::optional<std::filesystem::path> skinFolder;
    /** Run with the headless desktop: nothing on screen, errors on stderr only. */
    bool headless = false;
    /** With --headless: the timed input the headless desktop delivers (--input FILE). */
    InputScript input;
    /** With --headless: whether the headless desktop reports layered-window support (--layered). */
    bool layered = true;
    /** The ratio of screen pixels to skin pixels the window is forced to (--scale). */
    std::optional<double> scale;
    /**
     * Set when the program should end at once with this code: 0 after help or version, 2 for a
     * usage error or an input script that cannot be read or parsed.
     */
    std::optional<int> exitCode;
    /** What to print before ending at once (help text, version, the usage error). */
    std::string message;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

} // namespace windlecroft
