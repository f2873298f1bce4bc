#include "ShapedSkin.h"

#include "app/SkinBuilder.h"
#include "base/ActionCode.h"
#include "support/BmpBuilder.h"
#include "support/SkinConfigWriter.h"

#include <algorithm>

namespace windlecroft::test {

std::vector<std::uint8_t> pictureBmp(int width, int height, const std::function<std::uint32_t(int, int)>& colourAt)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(rowBytes * height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Rows are stored bottom-up, each pixel as blue, green, red.
            const std::uint32_t rgb = colourAt(x, height - 1 - y);
            for (int channel = 0; channel < 3; ++channel) {
                const auto at = static_cast<std::size_t>(y * rowBytes + x * 3 + channel);
                pixels[at] = static_cast<std::uint8_t>(rgb >> (8 * channel));
            }
        }
    }
    return BmpBuilder(width, height, 24).pixels(pixels).build();
}

void writeShapedSkin(const TempDir& dir, const std::string& title, int width, int height,
                     const std::vector<std::uint8_t>& introBmp, std::uint32_t introMs,
                     const std::vector<std::uint8_t>& panelBmp, const Rect& button, std::uint16_t code,
                     std::uint16_t arg)
{
    SkinConfigWriter config(title, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height));
    config.startScene("intro");
    config.stringMapping(1, {{"dzien", 0}});
    config.beginPage("intro", "Data\\intro.bmp");
    config.pageTimer(introMs, static_cast<std::uint16_t>(ActionCode::SwitchPage), 0);
    config.endPage();
    config.beginPage("dzien", "Data\\panel.bmp");
    config.button(button, code, arg);
    config.keyBinding(0x1B, static_cast<std::uint16_t>(ActionCode::Quit), 0); // Escape
    config.endPage();
    config.save(dir / configFileName);

    ArchiveWriter archive;
    archive.add("Data\\intro.bmp", introBmp);
    archive.add("Data\\panel.bmp", panelBmp);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(width * height), 0);
    for (int y = 0; y < shapedSkinCornerCut; ++y)
        std::fill_n(mask.begin() + y * width, shapedSkinCornerCut, 1);
    archive.add("Data\\panel.rgn", mask);
    archive.save(dir / dataFileName);
}

} // namespace windlecroft::test
