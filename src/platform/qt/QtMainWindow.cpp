#include "platform/qt/QtMainWindow.h"

#include "platform/Desktop.h"

#include <QCloseEvent>
#include <QMoveEvent>

namespace windlecroft {

QtMainWindow::QtMainWindow(DesktopEvents*& events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), events_(events)
{
}

// Closing only asks the core to quit; the window is torn down after the loop.
void QtMainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (events_)
        events_->closeRequested();
}

void QtMainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (events_)
        events_->windowMoved();
}

} // namespace windlecroft
