// The Qt shell's notification-area icon and menu, hosted by trayer on a private Xvfb.
#include "EventRecorder.h"
#include "QtSession.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtTrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include <gtest/gtest.h>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

const std::vector<TrayMenuEntry> entries{
    {"Przywróć", 0xFFFC, true},
    {"Następny", 0x1003, false},
    {"Koniec", 0xFFFF, false},
};

void clickAt(QtSession& session, QPoint at, const char* button)
{
    session.run({"xdotool", "mousemove", std::to_string(at.x()), std::to_string(at.y()), "click", button}, 300);
}

} // namespace

TEST(QtShellTray, IconClicksMenuAndHidingWithATrayHost)
{
    QtSession session(640, 480);
    ASSERT_TRUE(session.ready());
    QtDesktop desktop;
    EXPECT_FALSE(desktop.trayAvailable());
    session.startHelper({"trayer", "--edge", "top", "--align", "left", "--widthtype", "pixel", "--width", "40",
                         "--heighttype", "pixel", "--height", "40", "--SetDockType", "false", "--SetPartialStrut",
                         "false", "--expand", "false"});
    ASSERT_TRUE(QtSession::waitFor([&] { return desktop.trayAvailable(); })) << "trayer did not start";

    EventRecorder events;
    QtSession::insideLoop(desktop, events, [&] {
        desktop.showTrayIcon("Windlecroft", entries);
        const QtTrayIcon& tray = desktop.trayIcon();
        ASSERT_TRUE(QtSession::waitFor([&] { return tray.visible() && tray.geometry().width() > 0; }));
        QtSession::pump(300);
        const QPoint icon = tray.geometry().center();

        clickAt(session, icon, "1");
        EXPECT_EQ(events.take(), std::vector<std::string>{"tray left"});
        clickAt(session, icon, "3");
        EXPECT_EQ(events.take(), std::vector<std::string>{"tray right"});

        // The menu opens with its right edge at the pointer, the default entry in bold.
        session.run({"xdotool", "mousemove", "300", "200"});
        desktop.showTrayMenu();
        const QMenu& menu = tray.menu();
        ASSERT_TRUE(QtSession::waitFor([&] { return menu.isVisible(); }));
        EXPECT_EQ(menu.geometry().right() + 1, 300);
        EXPECT_EQ(menu.geometry().top(), 200);
        ASSERT_EQ(menu.actions().size(), 3);
        EXPECT_EQ(menu.defaultAction(), menu.actions().front());
        EXPECT_EQ(menu.actions().front()->text(), QString::fromUtf8("Przywróć"));
        EXPECT_TRUE(menu.actions().front()->font().bold());
        EXPECT_FALSE(menu.actions()[1]->font().bold());

        const QRect next = menu.actionGeometry(menu.actions()[1]);
        clickAt(session, menu.mapToGlobal(next.center()), "1");
        EXPECT_EQ(events.take(), std::vector<std::string>{"menu 4099"});
        EXPECT_FALSE(menu.isVisible());

        desktop.hideTrayIcon();
        QtSession::pump(300);
        EXPECT_FALSE(tray.visible());
        // Nothing is left in the tray host: a click where the icon was reaches nobody.
        clickAt(session, icon, "1");
        EXPECT_TRUE(events.take().empty());
    });
}
