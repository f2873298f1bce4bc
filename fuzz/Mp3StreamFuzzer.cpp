// MPEG audio through libmpg123 (frame scans, tags, Xing headers and junk), decoded from a
// fuzzed file in memory.
#include "StreamSourceFuzz.h"

#include "audio/Mp3Source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    windlecroft::fuzz::fuzzSource<windlecroft::Mp3Source>(file);
    windlecroft::fuzz::fuzzDecoder(file);
    return 0;
}
