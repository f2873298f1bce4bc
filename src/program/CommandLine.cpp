#include "program/CommandLine.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace windlecroft {

namespace {

constexpr int scriptErrorCode = 2;
constexpr int usageErrorCode = 2;
// Beyond this a window of the largest skin grows past any screen and any buffer Qt will make.
constexpr int maxScale = 8;

// Reads and parses the --input script; a failure ends the program before it starts, naming the
// file and, for a malformed line, its number.
bool readInputScript(const std::string& file, CommandLine& result)
{
    const auto fail = [&](const std::string& where, const std::string& what) {
        result.exitCode = scriptErrorCode;
        result.message = "windlecroft: input " + file + where + ": " + what + "\n";
        return false;
    };
    std::error_code ignored;
    std::ifstream in(file, std::ios::binary);
    // A folder opens like a file on Linux and then reads as empty: it is refused as unreadable.
    if (!in || std::filesystem::is_directory(file, ignored))
        return fail("", "can't read the file");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return fail("", "can't read the file");
    try {
        result.input = InputScript::parse(text);
    } catch (const InputScriptError& error) {
        return fail(":" + std::to_string(error.line()), error.what());
    }
    return true;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    CommandLine result;
    CLI::App cli{"Windlecroft: a skinned desktop music player.\n"
                 "Reads windlecroft.cfg and windlecroft.dat from the skin folder: by default the working directory\n"
                 "when it holds windlecroft.cfg, else the demo skin installed with the program.",
                 "windlecroft"};
    std::string skinFolder;
    std::uint64_t quitAfter = 0;
    bool version = false;
    cli.add_option("skin-folder", skinFolder, "Folder with windlecroft.cfg and windlecroft.dat; the program changes into it first");
    auto* headlessFlag =
        cli.add_flag("--headless", result.headless, "Run without a window: nothing on screen, errors on stderr only");
    auto* quitOption = cli.add_option("--quit-after", quitAfter, "Close the player by itself after MS milliseconds")->type_name("MS");
    cli.add_flag("--trace-actions", result.options.traceActions, "Print every action carried out on stderr");
    std::string screenshot;
    auto* screenshotOption =
        cli.add_option("--screenshot", screenshot, "At exit, write the last frame shown to FILE as PNG")->type_name("FILE.png");
    std::string inputFile;
    cli.add_option("--input", inputFile, "With --headless: deliver the timed input events written in FILE")
        ->type_name("FILE")
        ->needs(headlessFlag);
    std::string layered = "on";
    cli.add_option("--layered", layered, "With --headless: whether translucent windows count as available (default on)")
        ->type_name("on|off")
        ->check(CLI::IsMember({"on", "off"}))
        ->needs(headlessFlag);
    double scale = 1.0;
    auto* scaleOption =
        cli.add_option("--scale", scale,
                       "Enlarge the window N times instead of by the screen's ratio (a Wayland output's own scale "
                       "still applies)")
            ->type_name("N")
            ->check(CLI::Validator(
                [](std::string& text) -> std::string {
                    // NaN and infinity parse as numbers; neither is a size.
                    double value = 0;
                    if (!CLI::detail::lexical_cast(text, value) || !(value > 0.0 && value <= maxScale))
                        return "Value " + text + " is not a number above 0 and at most " + std::to_string(maxScale);
                    return {};
                },
                "", "scale factor"));
    cli.add_flag("--version", version, "Print the version and exit");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        std::ostringstream out;
        std::ostringstream err;
        result.exitCode = cli.exit(help, out, err);
        result.message = out.str() + err.str();
        return result;
    } catch (const CLI::ParseError& error) {
        // A usage error is one line and a hint, with the status shells expect of one.
        std::string what = error.what();
        if (const std::size_t end = what.find('\n'); end != std::string::npos)
            what.resize(end);
        result.exitCode = usageErrorCode;
        result.message = "windlecroft: " + what + " (see windlecroft --help)\n";
        return result;
    }
    if (version) {
        result.exitCode = 0;
        result.message = std::string("windlecroft ") + WINDLECROFT_VERSION + "\n";
        return result;
    }
    if (!skinFolder.empty())
        result.skinFolder = skinFolder;
    result.layered = layered == "on";
    // Read now, relative to the starting folder: the program changes into the skin folder later.
    if (!inputFile.empty() && !readInputScript(inputFile, result))
        return result;
    if (scaleOption->count() > 0)
        result.scale = scale;
    if (quitOption->count() > 0)
        result.options.quitAfterMs = quitAfter;
    // Made absolute now: the program changes into the skin folder before it runs.
    if (screenshotOption->count() > 0)
        result.options.screenshotFile = std::filesystem::absolute(screenshot);
    return result;
}

} // namespace windlecroft
