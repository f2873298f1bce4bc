#include "TextPainter.h"

#include <iconv.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace windlecroft::demo {

std::string toWindows1250(std::string_view utf8)
{
    iconv_t converter = iconv_open("WINDOWS-1250", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv knows no Windows-1250");
    std::string input(utf8);
    std::vector<char> output(input.size() + 1);
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        throw std::runtime_error("\"" + std::string(utf8) + "\" has no Windows-1250 form");
    return std::string(output.data(), static_cast<std::size_t>(out - output.data()));
}

TextPainter::TextPainter(const std::filesystem::path& regular, const std::filesystem::path& bold)
{
    for (const auto& file : {regular, bold}) {
        std::ifstream in(file, std::ios::binary);
        if (!in || !std::filesystem::is_regular_file(file))
            throw std::runtime_error("no font file " + file.string());
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (catalog_.addFontData(bytes) == 0)
            throw std::runtime_error("no font in " + file.string());
    }
}

Font& TextPainter::font(int height, bool bold)
{
    auto& slot = fonts_[{height, bold}];
    if (!slot) {
        slot = std::make_unique<Font>(catalog_, "DejaVu Sans", height, bold ? 700 : 400);
        if (!slot->usable() || slot->family() != "DejaVu Sans")
            throw std::runtime_error("DejaVu Sans cannot be opened");
    }
    return *slot;
}

void TextPainter::draw(Canvas& canvas, int x, int y, std::string_view utf8, Colour colour, int height, bool bold, Align align)
{
    const std::string text = toWindows1250(utf8);
    Font& face = font(height, bold);
    if (align != Align::Left) {
        const int advance = face.textWidth(text);
        x -= align == Align::Centre ? advance / 2 : advance;
    }
    face.drawText(canvas.surface(), x, y, text, colour.colorref());
}

int TextPainter::width(std::string_view utf8, int height, bool bold)
{
    return widthOfWindows1250(toWindows1250(utf8), height, bold);
}

int TextPainter::widthOfWindows1250(std::string_view text, int height, bool bold)
{
    return font(height, bold).textWidth(text);
}

} // namespace windlecroft::demo
