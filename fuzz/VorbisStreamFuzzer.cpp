// Ogg Vorbis through libvorbisfile (chained, multiplexed and damaged files), decoded from a
// fuzzed file in memory.
#include "StreamSourceFuzz.h"

#include "audio/VorbisSource.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    windlecroft::fuzz::fuzzSource<windlecroft::VorbisSource>(file);
    windlecroft::fuzz::fuzzDecoder(file);
    return 0;
}
