#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace windlecroft {

/** What the command line may change; without arguments every field keeps its default. */
struct ApplicationOptions {
    /** Folder holding windlecroft.cfg and windlecroft.dat. */
    std::filesystem::path skinDir = ".";
    /** The program's own folder. */
    std::filesystem::path programDir;
    /** The program's plugin folder, searched for plugins after the skin folder. */
    std::filesystem::path pluginDir;
    /** Print every action carried out on stderr. */
    bool traceActions = false;
    /** Close the window by itself after this many milliseconds. */
    std::optional<std::uint64_t> quitAfterMs;
    /** At exit, write the frame presented last to this PNG file. */
    std::optional<std::filesystem::path> screenshotFile;
};

} // namespace windlecroft
