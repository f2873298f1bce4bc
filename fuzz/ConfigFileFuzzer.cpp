// The whole configuration load from a fuzzed configuration file, with the sample skin's
// archive behind it so that the pictures, masks, documents and fonts it names can be found.
#include "support/SampleSkin.h"
#include "SkinLoad.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<std::uint8_t> archive = windlecroft::fuzz::sampleSkin().archive;
    windlecroft::fuzz::loadSkin({data, size}, archive);
    return 0;
}
