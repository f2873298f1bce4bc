// Writes a minimal skin (window title and size, start scene, timing) into the given folder.
#include "config/SkinConfigLoader.h"
#include "config/SkinWriter.h"

#include <filesystem>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: windlecroft-starter-skin FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    windlecroft::SkinConfigWriter config("Windlecroft", 600, 510);
    config.startScene("intro");
    config.timing(1500, 1500, 5);
    config.save(folder / windlecroft::configFileName);
    windlecroft::ArchiveWriter archive;
    archive.add("readme.txt", "Windlecroft starter skin");
    archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(600 * 510, 0));
    archive.save(folder / windlecroft::dataFileName);
    return 0;
}
