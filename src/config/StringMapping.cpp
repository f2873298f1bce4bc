#include "config/StringMapping.h"

#include "base/Error.h"
#include "config/ByteReader.h"

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

void readStringMappingChunk(ByteReader& in, StringMapping& mapping)
{
    const std::uint16_t count = in.u16();
    mapping.create(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string text = in.string();
        const std::uint16_t index = in.u16();
        mapping.set(index, std::move(text));
    }
}

} // namespace windlecroft
