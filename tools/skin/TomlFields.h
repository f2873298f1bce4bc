#pragma once

#include "base/Rect.h"
#include "skin/SourceError.h"

#include <toml++/toml.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

/** The line a TOML node starts on. */
int lineOf(const toml::node& node);

/**
 * "unknown chunk kind \"fonts\" (did you mean \"font\"?)": what names the sort of name, names
 * the ones that exist.
 */
std::string unknownName(std::string_view what, std::string_view name, std::span<const std::string_view> names);

/** The kind of a chunk or record table; throws SourceError when it has none or it is no string. */
std::string kindOf(const toml::table& table, std::string_view what);

/**
 * Reads the fields of one source table (a chunk, a record, an archive entry) against the keys
 * that table allows. A key it does not allow is reported as unknown, with the allowed key it
 * most likely misspells; keys that are allowed but were not used (a JPEG quality on a file
 * entry) are reported by finish. Every getter checks type and range and throws SourceError
 * with the node's line.
 */
class TomlFields {
public:
    /** what names the table in messages, for example "button record"; allowed must outlive the object. */
    TomlFields(const toml::table& table, std::string what, std::span<const std::string_view> allowed);

    int line() const { return lineOf(table_); }
    bool has(std::string_view key) const { return table_.contains(key); }

    /** The node of key, or nullptr when absent; marks the key as used. */
    const toml::node* take(std::string_view key);
    /**
     * The node of key. When it is absent, throws that the table needs it, or, when an unknown
     * key of the table misspells it, that this key is unknown.
     */
    const toml::node& require(std::string_view key);

    std::int64_t integer(std::string_view key, std::int64_t min, std::int64_t max, std::optional<std::int64_t> fallback);
    template <typename T>
    T number(std::string_view key, std::optional<T> fallback = std::nullopt)
    {
        const std::optional<std::int64_t> wide = fallback ? std::optional<std::int64_t>(*fallback) : std::nullopt;
        return static_cast<T>(integer(key, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), wide));
    }
    /** A skin text (UTF-8 in the source, Windows-1250 in the skin), or {hex = "..."} for raw bytes. */
    std::string text(std::string_view key, std::optional<std::string> fallback = std::nullopt);
    /** A plain UTF-8 string (kinds, paths, symbolic values). */
    std::string string(std::string_view key, std::optional<std::string> fallback = std::nullopt);
    /** A byte flag: true, false or a number 0..255. */
    std::uint8_t flag(std::string_view key, std::uint8_t fallback);
    Rect rect(std::string_view key);
    std::vector<std::uint8_t> hex(std::string_view key);
    /** The optional length field that replaces a chunk's or record's true length. */
    std::optional<std::uint32_t> length();
    /** An array of tables under key (absent: empty). */
    std::vector<const toml::table*> tables(std::string_view key);

    /** Throws for the first key (in source order) that the table does not allow and that was not reported yet. */
    void rejectUnknownKeys();
    /** One error for each such key, for the root, where every fault is reported. */
    std::vector<SourceError> unknownKeys();
    /** Throws for an allowed key that no getter took. */
    void finish() const;

private:
    bool allows(std::string_view key) const;
    SourceError unknownKey(std::string_view key, const toml::node& node) const;

    const toml::table& table_;
    std::string what_;
    std::span<const std::string_view> allowed_;
    std::set<std::string, std::less<>> used_;
    std::set<std::string, std::less<>> reported_;
};

/** Converts one node, for arrays whose elements are not tables. */
std::int64_t integerOf(const toml::node& node, std::int64_t min, std::int64_t max, std::string_view what);
std::string textOf(const toml::node& node, std::string_view what);
std::vector<std::uint8_t> hexOf(const toml::node& node, std::string_view what);

} // namespace windlecroft::skin
