#include "base/Error.h"
#include "config/ByteReader.h"
#include "config/SkinWriter.h"
#include "config/StringMapping.h"

#include <gtest/gtest.h>

using namespace windlecroft;

namespace {

std::string lookupMessage(const StringMapping& mapping, std::uint16_t index)
{
    try {
        return "value:" + mapping.lookup(index);
    } catch (const Error& error) {
        return error.what();
    }
}

void readChunk(StringMapping& mapping, std::uint16_t count, const std::vector<std::pair<std::string, std::uint16_t>>& entries)
{
    ByteWriter out;
    out.u16(count);
    for (const auto& [text, index] : entries) {
        out.string(text);
        out.u16(index);
    }
    ByteReader in(out.bytes());
    readStringMappingChunk(in, mapping);
}

} // namespace

TEST(StringMapping, EntriesGoToTheirIndexLaterTextWinsGapsStayEmpty)
{
    StringMapping mapping;
    readChunk(mapping, 3, {{"dzien", 2}, {"noc", 0}, {"intro", 2}});
    EXPECT_EQ(mapping.lookup(0), "noc");
    EXPECT_EQ(mapping.lookup(1), "");
    EXPECT_EQ(mapping.lookup(2), "intro");
    EXPECT_EQ(lookupMessage(mapping, 3), "string mapping index out of range");
}

TEST(StringMapping, IndexBeyondTheCountFailsTheLoadKeepingEarlierEntries)
{
    StringMapping mapping;
    try {
        readChunk(mapping, 2, {{"a", 1}, {"b", 2}});
        FAIL() << "index 2 of 2 accepted";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "string mapping index out of range");
    }
    EXPECT_EQ(mapping.lookup(1), "a");
}

TEST(StringMapping, AbsentTableReportsNullForIndexZeroOnly)
{
    StringMapping mapping;
    EXPECT_EQ(lookupMessage(mapping, 0), "string mapping is null, propably not initialized");
    EXPECT_EQ(lookupMessage(mapping, 1), "string mapping index out of range");
}

TEST(StringMapping, EmptyTableAndReplacement)
{
    StringMapping mapping;
    readChunk(mapping, 0, {});
    EXPECT_TRUE(mapping.present());
    EXPECT_EQ(lookupMessage(mapping, 0), "string mapping index out of range");

    readChunk(mapping, 2, {{"first", 1}});
    readChunk(mapping, 1, {{"second", 0}});
    EXPECT_EQ(mapping.lookup(0), "second");
    EXPECT_EQ(lookupMessage(mapping, 1), "string mapping index out of range");
}
