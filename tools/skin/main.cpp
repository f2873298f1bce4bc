// windlecroft-skin: builds a skin from its readable source, writes the source of a built skin,
// lists and unpacks archives, checks sources and skins for faults the player would meet, starts
// a new source and previews a source in the player while it is edited.
#include "skin/Commands.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

namespace {

// A usage error is one line on the error stream and status 2; help and version go to the output.
int reportParseError(const CLI::App& app, const CLI::ParseError& error)
{
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
        return app.exit(error, std::cout, std::cout);
    std::string message = error.what();
    std::replace(message.begin(), message.end(), '\n', ' ');
    std::cerr << "windlecroft-skin: " << message << " (try windlecroft-skin --help)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Builds, dumps, checks, previews and unpacks Windlecroft skins."};
    app.require_subcommand(1);
    app.set_version_flag("--version", WINDLECROFT_VERSION);

    std::string source;
    std::string skin;
    std::string archive;
    std::string output;
    std::vector<std::string> names;
    std::vector<std::string> playerArguments;
    std::string music;
    bool allowOutside = false;
    bool force = false;

    CLI::App* build = app.add_subcommand("build", "Build windlecroft.cfg and windlecroft.dat from SOURCE_DIR/skin.toml, with the\n"
                                                  "playlist's music and the plugins beside them; what check calls an error stops it\n"
                                                  "(assets outside SOURCE_DIR need --allow-outside)");
    build->add_option("SOURCE_DIR", source, "Folder holding skin.toml and its assets")->required();
    build->add_option("-o,--output", output, "Folder to write the skin into")->required();
    build->add_flag("--allow-outside", allowOutside, "Read assets that lie outside SOURCE_DIR (absolute paths, .., links)");

    CLI::App* dump = app.add_subcommand("dump", "Write the source of a built skin (skin.toml, the archive's entries, the playlist's\n"
                                                "music and the plugins that lie in SKIN_DIR)");
    dump->add_option("SKIN_DIR", skin, "Folder holding windlecroft.cfg and windlecroft.dat")->required();
    dump->add_option("-o,--output", output, "Folder to write the source into")->required();

    CLI::App* list = app.add_subcommand("list", "List the entries of an archive");
    list->add_option("ARCHIVE", archive, "The archive file (windlecroft.dat)")->required();

    CLI::App* extract = app.add_subcommand("extract", "Write entries of an archive as files; never through a symbolic link\n(existing files are replaced only with --force)");
    extract->add_option("ARCHIVE", archive, "The archive file (windlecroft.dat)")->required();
    extract->add_option("NAME", names, "Entries to write (all when none is named)");
    extract->add_option("-o,--output", output, "Folder to write into")->required();
    extract->add_flag("--force", force, "Replace files that exist (symbolic links are still never followed)");

    CLI::App* check = app.add_subcommand("check", "Check a skin source or a built skin; errors make the status non-zero");
    check->add_option("DIR", source, "A source folder (skin.toml) or a skin folder (windlecroft.cfg)")->required();
    check->add_option("--music-dir", music, "Where the playlist's files are looked for (default: DIR)");
    check->add_flag("--allow-outside", allowOutside, "Accept assets that lie outside the source folder, as build does with it");

    CLI::App* create = app.add_subcommand("new", "Write a small working skin source into DIR, a new or empty folder");
    create->add_option("DIR", source, "The folder for the source")->required();

    CLI::App* preview = app.add_subcommand("preview", "Build SOURCE_DIR into a private folder and run the player on it; rebuild and\n"
                                                      "restart it whenever a file of SOURCE_DIR changes. Ctrl-C ends.");
    preview->add_option("SOURCE_DIR", source, "Folder holding skin.toml and its assets")->required();
    preview->add_option("--player-arg", playerArguments,
                        "An argument for the player, put before the skin folder; repeat it for more\n"
                        "(write one that starts with '-' as --player-arg=--headless)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    preview->add_flag("--allow-outside", allowOutside, "Read assets that lie outside SOURCE_DIR, as build does with it");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return reportParseError(app, error);
    }

    using namespace windlecroft::skin;
    try {
        if (*build)
            return buildSkin(source, output, allowOutside, std::cerr);
        if (*dump)
            return dumpSkin(skin, output, std::cerr);
        if (*list)
            return listArchive(archive, std::cout, std::cerr);
        if (*extract)
            return extractArchive(archive, names, output, force, std::cerr);
        if (*check)
            return checkSkin(source, music.empty() ? std::nullopt : std::optional<std::filesystem::path>(music), allowOutside,
                             std::cout);
        if (*create)
            return newSkin(source, std::cout, std::cerr);
        if (*preview)
            return previewSkin(source, playerArguments, allowOutside, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::string message = error.what();
        std::replace(message.begin(), message.end(), '\n', ' ');
        std::cerr << "windlecroft-skin: " << message << '\n';
        return 1;
    }
    return 1;
}
