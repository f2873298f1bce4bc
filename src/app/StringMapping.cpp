#include "app/StringMapping.h"

#include "base/Error.h"

namespace windlecroft {

void StringMapping::create(std::uint16_t count)
{
    table_.emplace(count);
}

void StringMapping::set(std::uint16_t index, std::string text)
{
    if (!table_ || index >= table_->size())
        throw Error("string mapping index out of range");
    (*table_)[index] = std::move(text);
}

std::string StringMapping::lookup(std::uint16_t index) const
{
    if (table_ && index < table_->size())
        return (*table_)[index];
    if (!table_ && index == 0)
        throw Error("string mapping is null, propably not initialized");
    throw Error("string mapping index out of range");
}

} // namespace windlecroft
