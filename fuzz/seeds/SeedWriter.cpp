// Writes the seed corpus of every fuzz target into the folder named on the command line, one
// subfolder per target. The build runs it, so the seeds follow the skin writer and the test
// skins as they change; nothing binary is kept in the source tree.
#include "Seeds.h"

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

bool writeSeeds(const std::filesystem::path& folder, const windlecroft::fuzz::SeedSet& seeds)
{
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "cannot write " << (folder / name).string() << '\n';
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " SEED-FOLDER\n";
        return 2;
    }
    using namespace windlecroft::fuzz;
    const std::filesystem::path root = argv[1];
    const std::pair<const char*, SeedSet> targets[] = {
        {"archive_lookup", archiveSeeds()},   {"config_file", configFileSeeds()},
        {"config_archive", configArchiveSeeds()}, {"bmp_decoder", bmpSeeds()},
        {"jpeg_image", jpegImageSeeds()},     {"region", regionSeeds()},
        {"text_wrap", textWrapSeeds()},       {"skin_source", skinSourceSeeds()},
        {"jpeg_decoder", jpegDecoderSeeds()}, {"vorbis_stream", vorbisSeeds()},
        {"opus_stream", opusSeeds()},         {"mp3_stream", mp3Seeds()},
        {"sndfile_stream", sndfileSeeds()},
    };
    for (const auto& [target, seeds] : targets)
        if (!writeSeeds(root / target, seeds))
            return 1;
    return 0;
}
