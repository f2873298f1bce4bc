#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <sstream>

namespace windlecroft {

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    CommandLine result;
    CLI::App cli{"Windlecroft: a skinned desktop music player.\n"
                 "Reads windlecroft.cfg and windlecroft.dat from the skin folder (by default the working directory).",
                 "windlecroft"};
    std::string skinFolder;
    std::uint64_t quitAfter = 0;
    bool version = false;
    cli.add_option("skin-folder", skinFolder, "Folder with windlecroft.cfg and windlecroft.dat; the program changes into it first");
    cli.add_flag("--headless", result.headless, "Run without a window: nothing on screen, errors on stderr only");
    auto* quitOption = cli.add_option("--quit-after", quitAfter, "Close the player by itself after MS milliseconds")->type_name("MS");
    cli.add_flag("--trace-actions", result.options.traceActions, "Print every action carried out on stderr");
    std::string screenshot;
    auto* screenshotOption =
        cli.add_option("--screenshot", screenshot, "At exit, write the last frame shown to FILE as PNG")->type_name("FILE.png");
    cli.add_flag("--version", version, "Print the version and exit");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        std::ostringstream out;
        std::ostringstream err;
        result.exitCode = cli.exit(error, out, err);
        result.message = out.str() + err.str();
        return result;
    }
    if (version) {
        result.exitCode = 0;
        result.message = std::string("windlecroft ") + WINDLECROFT_VERSION + "\n";
        return result;
    }
    if (!skinFolder.empty())
        result.skinFolder = skinFolder;
    if (quitOption->count() > 0)
        result.options.quitAfterMs = quitAfter;
    // Made absolute now: the program changes into the skin folder before it runs.
    if (screenshotOption->count() > 0)
        result.options.screenshotFile = std::filesystem::absolute(screenshot);
    return result;
}

} // namespace windlecroft
