#include "app/StringMapping.h"
#include "base/Error.h"
#include "support/SkinRig.h"

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

using Entries = std::vector<std::pair<std::string, std::uint16_t>>;

// The table a skin holding these string-mapping chunks (count, then its entries) builds, and
// the message its load ended with.
const StringMapping& readChunks(test::SkinRig& rig, const std::vector<std::pair<std::uint16_t, Entries>>& chunks,
                                std::string* message = nullptr)
{
    SkinConfigWriter config("t", 8, 6);
    for (const auto& [count, entries] : chunks)
        config.stringMapping(count, entries);
    const std::string said = rig.walk(config);
    if (message)
        *message = said;
    return rig.skin.stringMapping();
}

} // namespace

TEST(StringMapping, EntriesGoToTheirIndexLaterTextWinsGapsStayEmpty)
{
    test::SkinRig rig;
    const StringMapping& mapping = readChunks(rig, {{3, {{"dzien", 2}, {"noc", 0}, {"intro", 2}}}});
    EXPECT_EQ(mapping.lookup(0), "noc");
    EXPECT_EQ(mapping.lookup(1), "");
    EXPECT_EQ(mapping.lookup(2), "intro");
    EXPECT_EQ(lookupMessage(mapping, 3), "string mapping index out of range");
}

TEST(StringMapping, IndexBeyondTheCountFailsTheLoadKeepingEarlierEntries)
{
    test::SkinRig rig;
    std::string message;
    const StringMapping& mapping = readChunks(rig, {{2, {{"a", 1}, {"b", 2}}}}, &message);
    EXPECT_EQ(message, "string mapping index out of range");
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
    test::SkinRig empty;
    const StringMapping& table = readChunks(empty, {{0, {}}});
    EXPECT_TRUE(table.present());
    EXPECT_EQ(lookupMessage(table, 0), "string mapping index out of range");

    // A later chunk replaces the whole table.
    test::SkinRig rig;
    const StringMapping& mapping = readChunks(rig, {{2, {{"first", 1}, {"", 0}}}, {1, {{"second", 0}}}});
    EXPECT_EQ(mapping.lookup(0), "second");
    EXPECT_EQ(lookupMessage(mapping, 1), "string mapping index out of range");
}
