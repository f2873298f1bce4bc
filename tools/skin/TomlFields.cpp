#include "skin/TomlFields.h"

#include "skin/NearestName.h"
#include "base/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace windlecroft::skin {

int lineOf(const toml::node& node)
{
    return static_cast<int>(node.source().begin.line);
}

std::int64_t integerOf(const toml::node& node, std::int64_t min, std::int64_t max, std::string_view what)
{
    const auto* value = node.as_integer();
    if (value == nullptr)
        throw SourceError(lineOf(node), std::string(what) + " must be a whole number");
    const std::int64_t number = value->get();
    if (number < min || number > max)
        throw SourceError(lineOf(node), std::string(what) + " is " + std::to_string(number) + ", outside " +
                                            std::to_string(min) + ".." + std::to_string(max));
    return number;
}

std::vector<std::uint8_t> hexOf(const toml::node& node, std::string_view what)
{
    const auto* value = node.as_string();
    if (value == nullptr)
        throw SourceError(lineOf(node), std::string(what) + " must be a string of hexadecimal digits");
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : value->get()) {
        if (std::isspace(static_cast<unsigned char>(c)))
            continue;
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            throw SourceError(lineOf(node), std::string(what) + " holds '" + std::string(1, c) + "', not a hexadecimal digit");
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + digit));
            high = -1;
        }
    }
    if (high >= 0)
        throw SourceError(lineOf(node), std::string(what) + " has an odd number of hexadecimal digits");
    return bytes;
}

// The first character of a text that Windows-1250 lacks, as the source writes it.
std::string firstForeignCharacter(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string character = text.substr(i, length);
        if (!utf8ToWindows1250(character))
            return character;
        i += length;
    }
    return {};
}

std::string textOf(const toml::node& node, std::string_view what)
{
    if (const auto* value = node.as_string()) {
        if (value->get().find('\0') != std::string::npos)
            throw SourceError(lineOf(node), std::string(what) + " may not contain a zero byte");
        std::optional<std::string> bytes = utf8ToWindows1250(value->get());
        if (!bytes)
            throw SourceError(lineOf(node), std::string(what) + " \"" + value->get() + "\" holds \"" +
                                                firstForeignCharacter(value->get()) +
                                                "\", a character that Windows-1250, the skin's code page, cannot store");
        return *bytes;
    }
    // Bytes that have no character of their own are written as {hex = "..."}.
    if (const auto* table = node.as_table()) {
        const toml::node* hex = table->get("hex");
        if (hex != nullptr && table->size() == 1) {
            std::vector<std::uint8_t> bytes = hexOf(*hex, what);
            for (std::uint8_t byte : bytes) {
                if (byte == 0)
                    throw SourceError(lineOf(node), std::string(what) + " may not contain a zero byte");
            }
            return {bytes.begin(), bytes.end()};
        }
    }
    throw SourceError(lineOf(node), std::string(what) + " must be a string or {hex = \"...\"}");
}

std::string unknownName(std::string_view what, std::string_view name, std::span<const std::string_view> names)
{
    std::string message = "unknown " + std::string(what) + " \"" + std::string(name) + "\"";
    if (const std::optional<std::string_view> near = nearestName(name, names))
        return message + " (did you mean \"" + std::string(*near) + "\"?)";
    message += " (known: ";
    for (std::size_t i = 0; i < names.size(); ++i)
        message += (i == 0 ? "" : ", ") + std::string(names[i]);
    return message + ")";
}

std::string kindOf(const toml::table& table, std::string_view what)
{
    const toml::node* node = table.get("kind");
    if (node == nullptr)
        throw SourceError(lineOf(table), std::string(what) + " needs kind");
    const auto* value = node->as_string();
    if (value == nullptr)
        throw SourceError(lineOf(*node), "kind must be a string");
    return value->get();
}

TomlFields::TomlFields(const toml::table& table, std::string what, std::span<const std::string_view> allowed)
    : table_(table), what_(std::move(what)), allowed_(allowed)
{
}

bool TomlFields::allows(std::string_view key) const
{
    return std::find(allowed_.begin(), allowed_.end(), key) != allowed_.end();
}

SourceError TomlFields::unknownKey(std::string_view key, const toml::node& node) const
{
    return SourceError(lineOf(node), what_ + " has an " + unknownName("key", key, allowed_));
}

const toml::node* TomlFields::take(std::string_view key)
{
    // Reading a key that the table's list lacks is a fault of the compiler, not of the source.
    if (!allows(key))
        throw std::logic_error("the " + what_ + " reads \"" + std::string(key) + "\", which it does not allow");
    const toml::node* node = table_.get(key);
    if (node != nullptr)
        used_.emplace(key);
    return node;
}

const toml::node& TomlFields::require(std::string_view key)
{
    const toml::node* node = take(key);
    if (node != nullptr)
        return *node;
    for (const auto& [name, value] : table_) {
        const std::string_view unknown = name.str();
        if (allows(unknown) || reported_.contains(unknown))
            continue;
        if (nearestName(unknown, allowed_) == key) {
            reported_.emplace(unknown);
            throw unknownKey(unknown, value);
        }
    }
    throw SourceError(line(), what_ + " needs " + std::string(key));
}

std::int64_t TomlFields::integer(std::string_view key, std::int64_t min, std::int64_t max,
                                 std::optional<std::int64_t> fallback)
{
    const toml::node* node = fallback ? take(key) : &require(key);
    if (node == nullptr)
        return *fallback;
    return integerOf(*node, min, max, std::string(key));
}

std::string TomlFields::text(std::string_view key, std::optional<std::string> fallback)
{
    const toml::node* node = fallback ? take(key) : &require(key);
    if (node == nullptr)
        return *fallback;
    return textOf(*node, key);
}

std::string TomlFields::string(std::string_view key, std::optional<std::string> fallback)
{
    const toml::node* node = fallback ? take(key) : &require(key);
    if (node == nullptr)
        return *fallback;
    const auto* value = node->as_string();
    if (value == nullptr)
        throw SourceError(lineOf(*node), std::string(key) + " must be a string");
    return value->get();
}

std::uint8_t TomlFields::flag(std::string_view key, std::uint8_t fallback)
{
    const toml::node* node = take(key);
    if (node == nullptr)
        return fallback;
    if (const auto* value = node->as_boolean())
        return value->get() ? 1 : 0;
    return static_cast<std::uint8_t>(integerOf(*node, 0, 255, std::string(key) + " (true, false or 0..255)"));
}

Rect TomlFields::rect(std::string_view key)
{
    const toml::node& node = require(key);
    const auto* array = node.as_array();
    if (array == nullptr || array->size() != 4)
        throw SourceError(lineOf(node), std::string(key) + " must be [left, top, right, bottom]");
    std::int32_t sides[4];
    for (std::size_t i = 0; i < 4; ++i)
        sides[i] = static_cast<std::int32_t>(integerOf(*array->get(i), std::numeric_limits<std::int32_t>::min(),
                                                       std::numeric_limits<std::int32_t>::max(), key));
    return Rect{sides[0], sides[1], sides[2], sides[3]};
}

std::vector<std::uint8_t> TomlFields::hex(std::string_view key)
{
    const toml::node* node = take(key);
    if (node == nullptr)
        return {};
    return hexOf(*node, key);
}

std::optional<std::uint32_t> TomlFields::length()
{
    const toml::node* node = take("length");
    if (node == nullptr)
        return std::nullopt;
    return static_cast<std::uint32_t>(integerOf(*node, 0, std::numeric_limits<std::uint32_t>::max(), "length"));
}

std::vector<const toml::table*> TomlFields::tables(std::string_view key)
{
    std::vector<const toml::table*> result;
    const toml::node* node = take(key);
    if (node == nullptr)
        return result;
    const auto* array = node->as_array();
    if (array == nullptr)
        throw SourceError(lineOf(*node), std::string(key) + " must be an array of tables");
    for (const toml::node& element : *array) {
        const auto* table = element.as_table();
        if (table == nullptr)
            throw SourceError(lineOf(element), "every element of " + std::string(key) + " must be a table");
        result.push_back(table);
    }
    return result;
}

std::vector<SourceError> TomlFields::unknownKeys()
{
    // The table iterates by name; messages follow the source.
    std::vector<std::pair<toml::source_position, std::string_view>> unknown;
    for (const auto& [name, value] : table_) {
        if (!allows(name.str()) && !reported_.contains(name.str()))
            unknown.emplace_back(value.source().begin, name.str());
    }
    std::sort(unknown.begin(), unknown.end());
    std::vector<SourceError> errors;
    for (const auto& [position, name] : unknown) {
        reported_.emplace(name);
        errors.push_back(unknownKey(name, *table_.get(name)));
    }
    return errors;
}

void TomlFields::rejectUnknownKeys()
{
    std::vector<SourceError> errors = unknownKeys();
    if (!errors.empty())
        throw errors.front();
}

void TomlFields::finish() const
{
    for (const auto& [key, node] : table_) {
        if (!used_.contains(key.str()) && allows(key.str()))
            throw SourceError(lineOf(node), "\"" + std::string(key.str()) + "\" does not apply to this " + what_);
    }
}

} // namespace windlecroft::skin
