#include "TestSkin.h"

#include "app/SkinBuilder.h"

namespace windlecroft::test {

std::vector<std::uint8_t> solidBmp(int width, int height, std::uint32_t rgb)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(rowBytes * height);
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    out.u32(54 + dataSize);
    out.u32(0);
    out.u32(54);
    out.u32(40);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(height));
    out.u16(1);
    out.u16(24);
    for (int i = 0; i < 6; ++i)
        out.u32(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.u8(static_cast<std::uint8_t>(rgb));
            out.u8(static_cast<std::uint8_t>(rgb >> 8));
            out.u8(static_cast<std::uint8_t>(rgb >> 16));
        }
        for (int pad = width * 3; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.bytes();
}

TestSkin::TestSkin(int width, int height, std::string_view title)
    : config(title, static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)), width_(width), height_(height)
{
}

void TestSkin::addPage(const std::string& name, PageColours colours, bool crossFade,
                       const std::function<void(SkinConfigWriter&)>& records)
{
    const std::string normal = "Data\\" + name + ".bmp";
    const std::string pressed = "Data\\" + name + "_pressed.bmp";
    const std::string highlight = "Data\\" + name + "_highlight.bmp";
    archive.add(normal, solidBmp(width_, height_, colours.normal));
    archive.add(pressed, solidBmp(width_, height_, colours.pressed));
    archive.add(highlight, solidBmp(width_, height_, colours.highlight));
    config.beginPage(name, normal, pressed, highlight, crossFade);
    if (records)
        records(config);
    config.endPage();
}

void TestSkin::save(const std::filesystem::path& folder)
{
    archive.add("Data\\panel.rgn", std::vector<std::uint8_t>(static_cast<std::size_t>(width_ * height_), 0));
    config.save(folder / configFileName);
    archive.save(folder / dataFileName);
}

} // namespace windlecroft::test
