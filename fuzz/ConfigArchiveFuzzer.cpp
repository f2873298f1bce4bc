// The whole configuration load of the sample skin's configuration file from a fuzzed archive:
// every picture, mask, document and font file the configuration names comes from the fuzzer.
#include "support/SampleSkin.h"
#include "SkinLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::uint8_t> config = windlecroft::fuzz::sampleSkin().config;
    windlecroft::fuzz::loadSkin(config, std::vector<std::uint8_t>(data, data + size));
    return 0;
}
