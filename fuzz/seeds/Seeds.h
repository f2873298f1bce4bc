#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace windlecroft::fuzz {

/** Named seed inputs of one fuzz target. */
using SeedSet = std::vector<std::pair<std::string, std::vector<std::uint8_t>>>;

SeedSet archiveSeeds();
SeedSet configFileSeeds();
SeedSet configArchiveSeeds();
SeedSet bmpSeeds();
SeedSet jpegImageSeeds();
/** JPEG files of every coding process, sampling pattern and colour space libjpeg writes. */
SeedSet jpegDecoderSeeds();
SeedSet regionSeeds();
SeedSet textWrapSeeds();
SeedSet vorbisSeeds();
SeedSet opusSeeds();
SeedSet mp3Seeds();
/** FLAC and WAV files. */
SeedSet sndfileSeeds();
/** The demo skin's source (when the source tree holds it) and a small one. */
SeedSet skinSourceSeeds();

} // namespace windlecroft::fuzz
