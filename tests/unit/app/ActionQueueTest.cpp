#include "base/ActionQueue.h"
#include "base/NamedList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace windlecroft;

TEST(ActionQueue, LastPostedIsCarriedOutFirst)
{
    ActionQueue queue;
    queue.post(0x1002, 0);
    queue.post(0x1001, 0);
    queue.post(0x8001, 7);
    std::vector<Action> order;
    while (auto action = queue.take())
        order.push_back(*action);
    EXPECT_EQ(order, (std::vector<Action>{{0x8001, 7}, {0x1001, 0}, {0x1002, 0}}));
    EXPECT_TRUE(queue.empty());
    EXPECT_FALSE(queue.take().has_value());
}

namespace {

struct Tracked {
    Tracked(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
    ~Tracked() { log.push_back(name); }
    std::string name;
    std::vector<std::string>& log;
};

} // namespace

TEST(NamedList, NewestDefinitionWinsAndNamesCompareWholeBytes)
{
    std::vector<std::string> destroyed;
    {
        NamedList<Tracked> list;
        list.add("font", std::make_unique<Tracked>("first", destroyed));
        list.add("font", std::make_unique<Tracked>("second", destroyed));
        list.add(std::string("a\0b", 3), std::make_unique<Tracked>("embedded", destroyed));
        ASSERT_NE(list.find("font"), nullptr);
        EXPECT_EQ(list.find("font")->name, "second");
        EXPECT_EQ(list.find("Font"), nullptr);
        EXPECT_EQ(list.find("fon"), nullptr);
        EXPECT_EQ(list.find("font "), nullptr);
        EXPECT_EQ(list.find("a"), nullptr);
        ASSERT_NE(list.find(std::string("a\0b", 3)), nullptr);
        EXPECT_TRUE(destroyed.empty());
    }
    // Both definitions lived until the list went; it destroys newest first.
    EXPECT_EQ(destroyed, (std::vector<std::string>{"embedded", "second", "first"}));
}
