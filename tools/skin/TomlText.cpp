#include "skin/TomlText.h"

#include "base/TextEncoding.h"

#include <cstdio>

namespace windlecroft::skin {

std::string tomlQuote(std::string_view utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(byte));
            out += escape;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string tomlSkinText(std::string_view windows1250)
{
    if (std::optional<std::string> utf8 = windows1250ToUtf8(windows1250))
        return tomlQuote(*utf8);
    return "{ hex = " + tomlHexBytes({reinterpret_cast<const std::uint8_t*>(windows1250.data()), windows1250.size()}) + " }";
}

std::string tomlHex16(std::uint16_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
    return text;
}

std::string tomlHexBytes(std::span<const std::uint8_t> bytes)
{
    static constexpr char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (std::uint8_t byte : bytes) {
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    out += '"';
    return out;
}

std::string tomlRect(const Rect& rect)
{
    return "[" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " + std::to_string(rect.right) + ", " +
           std::to_string(rect.bottom) + "]";
}

} // namespace windlecroft::skin
