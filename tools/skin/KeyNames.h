#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

/** A Windows virtual-key code with the name the source uses for it. */
struct KeyName {
    std::uint8_t code;
    std::string name;
};

/**
 * Every key with a name, one canonical name per code: letters "a".."z", digits "0".."9",
 * "f1".."f24", "numpad0".."numpad9", and named keys such as "space", "return", "escape", "left".
 */
const std::vector<KeyName>& keyNames();

/** The code for a name (canonical names and a few aliases such as "enter", "esc"); case-insensitive. */
std::optional<std::uint8_t> keyCodeByName(std::string_view name);
/** The canonical name of a code, or nothing when the code has none. */
std::optional<std::string> keyNameByCode(std::uint8_t code);

} // namespace windlecroft::skin
