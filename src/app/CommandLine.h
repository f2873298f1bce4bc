#pragma once

#include "app/ApplicationOptions.h"

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
    /** Set when the program should end at once (help, version, a usage error) with this code. */
    std::optional<int> exitCode;
    /** What to print before ending at once (help text, version, the usage error). */
    std::string message;
};

CommandLine parseCommandLine(int argc, const char* const* argv);

} // namespace windlecroft
