#include "platform/qt/QtTrayIcon.h"

#include "platform/qt/ProgramIcon.h"

#include <QAction>
#include <QCursor>
#include <QFont>

namespace windlecroft {

QtTrayIcon::QtTrayIcon(DesktopEvents*& events) : events_(events)
{
    icon_.setIcon(programIcon());
    // A left press restores the window; a right press asks for the menu, which the player
    // opens through showMenu(). A double click is left alone: its first press already counted.
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!events_)
            return;
        if (reason == QSystemTrayIcon::Trigger)
            events_->trayClicked(false);
        else if (reason == QSystemTrayIcon::Context)
            events_->trayClicked(true);
    });
}

// No icon may stay behind in the notification area once the player is gone.
QtTrayIcon::~QtTrayIcon()
{
    icon_.hide();
}

bool QtTrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::show(const std::string& tip, const std::vector<TrayMenuEntry>& entries)
{
    rebuildMenu(entries);
    icon_.setToolTip(QString::fromStdString(tip));
    icon_.show();
}

void QtTrayIcon::hide()
{
    menu_.hide();
    icon_.hide();
}

void QtTrayIcon::rebuildMenu(const std::vector<TrayMenuEntry>& entries)
{
    menu_.clear();
    for (const TrayMenuEntry& entry : entries) {
        QAction* action = menu_.addAction(QString::fromStdString(entry.text));
        const std::uint16_t command = entry.command;
        QObject::connect(action, &QAction::triggered, [this, command] {
            if (events_)
                events_->menuCommand(command);
        });
        if (entry.isDefault) {
            // Styles differ in whether they embolden the default entry; the font makes sure.
            QFont bold = action->font();
            bold.setBold(true);
            action->setFont(bold);
            menu_.setDefaultAction(action);
        }
    }
}

void QtTrayIcon::showMenu()
{
    if (menu_.isEmpty())
        return;
    menu_.ensurePolished();
    QPoint at = QCursor::pos();
    at.rx() -= menu_.sizeHint().width();
    menu_.popup(at);
}

} // namespace windlecroft
