#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace windlecroft::skin {

/** Small pieces of TOML text for writing a source. */

/** A basic string in double quotes, with quotes, backslashes and control characters escaped. */
std::string tomlQuote(std::string_view utf8);
/** A skin text: its UTF-8 form in quotes, or {hex = "..."} when Windows-1250 has no character for a byte. */
std::string tomlSkinText(std::string_view windows1250);
/** A 16-bit number in hexadecimal, such as 0x1001. */
std::string tomlHex16(std::uint16_t value);
/** Bytes as one string of hexadecimal digits in quotes. */
std::string tomlHexBytes(std::span<const std::uint8_t> bytes);
std::string tomlRect(const Rect& rect);

} // namespace windlecroft::skin
