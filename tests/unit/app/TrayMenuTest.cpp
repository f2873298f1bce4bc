#include "base/ActionQueue.h"
#include "app/TrayMenu.h"
#include "base/TextEncoding.h"

#include <gtest/gtest.h>

#include <vector>

using namespace windlecroft;

namespace {

std::vector<Action> drain(ActionQueue& queue)
{
    std::vector<Action> actions;
    while (auto action = queue.take())
        actions.push_back(*action);
    return actions;
}

} // namespace

TEST(TrayMenu, RestoreEntryIsFirstAndDefaultConfiguredEntriesFollowInFileOrder)
{
    TrayMenu tray;
    ASSERT_EQ(tray.menu().size(), 1u);
    EXPECT_EQ(decodeWindows1250(tray.menu()[0].text), "Przywróć");
    EXPECT_EQ(tray.menu()[0].command, 0xFFFC);
    EXPECT_TRUE(tray.menu()[0].isDefault);

    tray.addItem("Play", 0x1001, 0);
    tray.addItem("Quit", 0xFFFF, 0);
    ASSERT_EQ(tray.menu().size(), 3u);
    EXPECT_EQ(tray.menu()[1].text, "Play");
    EXPECT_EQ(tray.menu()[2].text, "Quit");
    EXPECT_FALSE(tray.menu()[2].isDefault);
    // The item list itself is newest first.
    EXPECT_EQ(tray.items().front().text, "Quit");
}

TEST(TrayMenu, CommandsPostEveryMatchingItemAndRestoreComesFirst)
{
    TrayMenu tray;
    tray.addItem("Louder", 0x1017, 80);
    tray.addItem("Quieter", 0x1017, 20);
    tray.addItem("Restore too", 0xFFFC, 9);
    ActionQueue queue;

    tray.command(0x1017, queue);
    // Items are walked newest first and the queue is last in, first out.
    EXPECT_EQ(drain(queue), (std::vector<Action>{{0x1017, 80}, {0x1017, 20}}));

    tray.command(0xFFFC, queue);
    EXPECT_EQ(drain(queue), (std::vector<Action>{{0xFFFC, 0}}));

    tray.command(0x1234, queue);
    EXPECT_TRUE(queue.empty());
}

TEST(TrayMenu, TipIsCutToTheSystemField)
{
    EXPECT_EQ(trayTipText("Velkor  "), "Velkor  ");
    EXPECT_EQ(trayTipText(std::string(100, 'x')).size(), 63u);
}
