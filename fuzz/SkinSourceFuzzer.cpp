// The skin source compiler over fuzzed source text. Every asset the source names exists: a
// small picture with an alpha channel for names ending in .png, a few plain bytes for any
// other name. A source that compiles without an error gives files that read back as they
// were written.
#include "base/Error.h"
#include "skin/AssetReader.h"
#include "skin/ArchiveContents.h"
#include "skin/Diagnostics.h"
#include "skin/SkinReader.h"
#include "skin/SkinWriter.h"
#include "skin/SourceCompiler.h"

#include <cstdlib>
#include <sstream>

using namespace windlecroft;

namespace {

// A 4 x 4 RGBA PNG: the left half opaque, the right half fully transparent.
constexpr std::uint8_t maskedPicture[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA9, 0xF1, 0x9E, 0x7E, 0x00, 0x00, 0x00,
    0x35, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x15, 0xC8, 0x41, 0x01, 0x00, 0x30, 0x08, 0x03, 0xB1, 0x4A, 0x99,
    0x94, 0x4A, 0x99, 0x14, 0x24, 0x20, 0xA1, 0x12, 0x70, 0xB8, 0x1D, 0x8F, 0x7C, 0x22, 0xB9, 0xDE, 0x81, 0x5D,
    0xBA, 0x90, 0xDC, 0x44, 0x13, 0x4D, 0xF4, 0x46, 0x88, 0x10, 0x21, 0xB2, 0x31, 0xC4, 0x10, 0x43, 0x8C, 0x3E,
    0x36, 0xCD, 0x18, 0x79, 0x96, 0x87, 0xC6, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42,
    0x60, 0x82,
};

class AnyAsset final : public skin::AssetReader {
public:
    std::optional<std::vector<std::uint8_t>> read(const std::string& path) override
    {
        if (path.ends_with(".png"))
            return std::vector<std::uint8_t>(std::begin(maskedPicture), std::end(maskedPicture));
        return std::vector<std::uint8_t>{'a', 's', 's', 'e', 't'};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AnyAsset assets;
    skin::Diagnostics diagnostics;
    const skin::CompiledSkin compiled =
        skin::compileSource({reinterpret_cast<const char*>(data), size}, assets, diagnostics);
    std::ostringstream messages;
    diagnostics.print(messages, "skin.toml");
    if (diagnostics.hasErrors())
        return 0;

    std::vector<std::uint8_t> config;
    try {
        config = skin::writeSkinFile(compiled.config);
    } catch (const Error&) {
        // A list longer than its 16-bit count: the tool reports it when it writes.
        return 0;
    }
    if (skin::writeSkinFile(skin::readSkinFile(config)) != config)
        std::abort();
    const std::vector<std::uint8_t> archive = compiled.archive.bytes();
    if (ArchiveContents::parse(archive).bytes() != archive)
        std::abort();
    return 0;
}
