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

    CLI::App* build = app.add_subcommand("build", "Build windlecroft.cfg and windlecroft.dat from SOURCE_DIR/skin.toml");
    build->add_option("SOURCE_DIR", source, "Folder holding skin.toml and its assets")->required();
    build->add_option("-o,--output", output, "Folder to write the skin into")->required();

    CLI::App* dump = app.add_subcommand("dump", "Write the source of a built skin (skin.toml and the archive's entries)");
    dump->add_option("SKIN_DIR", skin, "Folder holding windlecroft.cfg and windlecroft.dat")->required();
    dump->add_option("-o,--output", output, "Folder to write the source into")->required();

    CLI::App* list = app.add_subcommand("list", "List the entries of an archive");
    list->add_option("ARCHIVE", archive, "The archive file (windlecroft.dat)")->required();

    CLI::App* extract = app.add_subcommand("extract", "Write entries of an archive as files");
    extract->add_option("ARCHIVE", archive, "The archive file (windlecroft.dat)")->required();
    extract->add_option("NAME", names, "Entries to write (all when none is named)");
    extract->add_option("-o,--output", output, "Folder to write into")->required();

    CLI::App* check = app.add_subcommand("check", "Check a skin source or a built skin; errors make the status non-zero");
    check->add_option("DIR", source, "A source folder (skin.toml) or a skin folder (windlecroft.cfg)")->required();
    check->add_option("--music-dir", music, "Where the playlist's files are looked for (default: DIR)");

    CLI11_PARSE(app, argc, argv);

    using namespace windlecroft::skin;
    try {
        if (*build)
            return buildSkin(source, output, std::cerr);
        if (*dump)
            return dumpSkin(skin, output, std::cerr);
        if (*list)
            return listArchive(archive, std::cout, std::cerr);
        if (*extract)
            return extractArchive(archive, names, output, std::cerr);
        if (*check)
            return checkSkin(source, music.empty() ? std::nullopt : std::optional<std::filesystem::path>(music), std::cout);
    } catch (const std::exception& error) {
        std::cerr << "windlecroft-skin: " << error.what() << '\n';
        return 1;
    }
    return 1;
}
