#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace windlecroft {

/**
 * The table that turns a 16-bit action argument into a string (a page name, a named track).
 * It is absent until the first string-mapping chunk creates it; each later chunk replaces it.
 */
class StringMapping {
public:
    /** Replaces the table by one of count empty entries. */
    void create(std::uint16_t count);
    /** Throws "string mapping index out of range" when index is not below the count. */
    void set(std::uint16_t index, std::string text);
    /** Throws "string mapping is null, propably not initialized" or "string mapping index out of range". */
    std::string lookup(std::uint16_t index) const;
    void release() { table_.reset(); }

    bool present() const { return table_.has_value(); }
    std::uint16_t count() const { return table_ ? static_cast<std::uint16_t>(table_->size()) : 0; }

private:
    std::optional<std::vector<std::string>> table_;
};

} // namespace windlecroft
