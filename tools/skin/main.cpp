// windlecroft-skin: builds a skin from its readable source, writes the source of a built skin,
// lists and unpacks archives, and checks sources and skins for faults the player would meet.
#include "skin/Commands.h"

#include <CLI/CLI.hpp>

#include <iostream>

int main(int argc, char** argv)
{
    CLI::App app{"Builds, dumps, checks and unpacks Windlecroft skins."};
    app.require_subcommand(1);

    std::string source;
    std::string skin;
    std::string archive;
    std::string output;
    std::vector<std::string> names;
    std::string music;
    bool allowOutside = false;
    bool force = false;

    CLI::App* build = app.add_subcommand("build", "Build windlecroft.cfg and windlecroft.dat from SOURCE_DIR/skin.toml\n(assets outside SOURCE_DIR need --allow-outside)");
    build->add_option("SOURCE_DIR", source, "Folder holding skin.toml and its assets")->required();
    build->add_option("-o,--output", output, "Folder to write the skin into")->required();
    build->add_flag("--allow-outside", allowOutside, "Read assets that lie outside SOURCE_DIR (absolute paths, .., links)");

    CLI::App* dump = app.add_subcommand("dump", "Write the source of a built skin (skin.toml and the archive's entries)");
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

    CLI11_PARSE(app, argc, argv);

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
    } catch (const std::exception& error) {
        std::cerr << "windlecroft-skin: " << error.what() << '\n';
        return 1;
    }
    return 1;
}
