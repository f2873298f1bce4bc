// JPEG loading and whitening through an archive holding a fuzzed JPEG and a fuzzed mask, on a
// translucent window: the loaded picture is the decoded one with exactly the pixels its mask
// marks painted white, and it is charged to the picture budget.
#include "FuzzInput.h"
#include "JpegImageInput.h"

#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"
#include "resources/Image.h"
#include "resources/JpegDecoder.h"
#include "resources/PictureBudget.h"

#include <cstdlib>
#include <sstream>
#include <string>

using namespace windlecroft;

namespace {

constexpr std::uint32_t white = 0x00FFFFFF;

// The picture budget the loads run with: pictures above it are refused from their header, so
// the fuzzer spends its time on many small pictures rather than on a few of 2^26 pixels.
constexpr std::int64_t fuzzBudget = std::int64_t{1} << 18;

bool whitened(char page)
{
    return page == 'd' || page == 'n' || page == 'w' || page == 'i' || page == 'o';
}

// The mask byte of pixel (x, y) when the mask's rows are windowWidth bytes long; 0 where the
// mask or the row does not reach.
std::uint8_t maskByte(const std::vector<std::uint8_t>& mask, int windowWidth, int x, int y)
{
    if (x >= windowWidth)
        return 0;
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(windowWidth) + static_cast<std::size_t>(x);
    return at < mask.size() ? mask[at] : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput in(data, size);
    const fuzz::JpegImageInput input = fuzz::JpegImageInput::decode(in);
    const std::string name = std::string("Data\\") + input.page + "picture.jpg";

    ArchiveWriter writer;
    writer.add(name, input.jpeg);
    for (const char* maskName : {"Data\\panel.rgn", "Data\\intro.rgn", "Data\\outro.rgn"})
        writer.add(maskName, input.mask);
    DataArchive archive;
    archive.openBytes(writer.bytes());

    std::ostringstream diagnostics;
    PictureBudget budget(fuzzBudget);
    const ImageLoadContext context{archive, true, input.windowWidth, diagnostics, &budget};
    Image image;
    image.loadImage(name, context);

    const std::optional<Surface> decoded = decodeJpeg(input.jpeg, nullptr, fuzzBudget);
    // The budget is charged with exactly the picture loaded.
    if (budget.left() != fuzzBudget - (decoded ? std::int64_t{decoded->width()} * decoded->height() : 0))
        std::abort();
    if (image.empty() != !decoded.has_value())
        std::abort();
    if (!decoded)
        return 0;
    const Surface& loaded = image.pixels();
    if (loaded.width() != decoded->width() || loaded.height() != decoded->height())
        std::abort();
    for (int y = 0; y < loaded.height(); ++y) {
        for (int x = 0; x < loaded.width(); ++x) {
            const bool masked = whitened(input.page) && maskByte(input.mask, input.windowWidth, x, y) != 0;
            if (loaded.pixel(x, y) != (masked ? white : decoded->pixel(x, y)))
                std::abort();
        }
    }
    return 0;
}
