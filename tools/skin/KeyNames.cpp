#include "skin/KeyNames.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace windlecroft::skin {

namespace {

// Keys whose virtual-key codes do not follow from a range.
constexpr std::array<std::pair<std::uint8_t, std::string_view>, 47> namedKeys{{
    {0x08, "backspace"},   {0x09, "tab"},          {0x0C, "clear"},       {0x0D, "return"},
    {0x10, "shift"},       {0x11, "control"},      {0x12, "alt"},         {0x13, "pause"},
    {0x14, "capslock"},    {0x1B, "escape"},       {0x20, "space"},       {0x21, "pageup"},
    {0x22, "pagedown"},    {0x23, "end"},          {0x24, "home"},        {0x25, "left"},
    {0x26, "up"},          {0x27, "right"},        {0x28, "down"},        {0x2C, "printscreen"},
    {0x2D, "insert"},      {0x2E, "delete"},       {0x5B, "lwin"},        {0x5C, "rwin"},
    {0x5D, "apps"},        {0x6A, "multiply"},     {0x6B, "add"},         {0x6C, "separator"},
    {0x6D, "subtract"},    {0x6E, "decimal"},      {0x6F, "divide"},      {0x90, "numlock"},
    {0x91, "scrolllock"},  {0xAD, "volume-mute"},  {0xAE, "volume-down"}, {0xAF, "volume-up"},
    {0xB0, "media-next"},  {0xB1, "media-previous"}, {0xB2, "media-stop"}, {0xB3, "media-play-pause"},
    {0xBA, "semicolon"},   {0xBB, "equals"},       {0xBC, "comma"},       {0xBD, "minus"},
    {0xBE, "period"},      {0xBF, "slash"},        {0xC0, "backquote"},
}};

constexpr std::array<std::pair<std::uint8_t, std::string_view>, 8> aliases{{
    {0x0D, "enter"}, {0x1B, "esc"}, {0x12, "menu"}, {0x11, "ctrl"},
    {0x21, "prior"}, {0x22, "next"}, {0x2E, "del"}, {0x2D, "ins"},
}};

constexpr std::array<std::pair<std::uint8_t, std::string_view>, 4> brackets{{
    {0xDB, "left-bracket"}, {0xDC, "backslash"}, {0xDD, "right-bracket"}, {0xDE, "quote"},
}};

std::vector<KeyName> buildTable()
{
    std::vector<KeyName> table;
    for (const auto& [code, name] : namedKeys)
        table.push_back({code, std::string(name)});
    for (const auto& [code, name] : brackets)
        table.push_back({code, std::string(name)});
    for (char c = 'a'; c <= 'z'; ++c)
        table.push_back({static_cast<std::uint8_t>(0x41 + (c - 'a')), std::string(1, c)});
    for (char c = '0'; c <= '9'; ++c)
        table.push_back({static_cast<std::uint8_t>(0x30 + (c - '0')), std::string(1, c)});
    for (int i = 0; i <= 9; ++i)
        table.push_back({static_cast<std::uint8_t>(0x60 + i), "numpad" + std::to_string(i)});
    for (int i = 1; i <= 24; ++i)
        table.push_back({static_cast<std::uint8_t>(0x70 + i - 1), "f" + std::to_string(i)});
    std::sort(table.begin(), table.end(), [](const KeyName& a, const KeyName& b) { return a.code < b.code; });
    return table;
}

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

} // namespace

const std::vector<KeyName>& keyNames()
{
    static const std::vector<KeyName> table = buildTable();
    return table;
}

std::optional<std::uint8_t> keyCodeByName(std::string_view name)
{
    const std::string key = lower(name);
    for (const KeyName& entry : keyNames()) {
        if (entry.name == key)
            return entry.code;
    }
    for (const auto& [code, alias] : aliases) {
        if (alias == key)
            return code;
    }
    return std::nullopt;
}

std::optional<std::string> keyNameByCode(std::uint8_t code)
{
    for (const KeyName& entry : keyNames()) {
        if (entry.code == code)
            return entry.name;
    }
    return std::nullopt;
}

} // namespace windlecroft::skin
