#include "platform/qt/QtMainWindow.h"

#include "platform/Desktop.h"
#include "resources/Region.h"
#include "resources/Surface.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QPainter>
#include <QRegion>

#include <vector>

namespace windlecroft {

QtMainWindow::QtMainWindow(DesktopEvents*& events)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), events_(events)
{
    // Every paint covers the whole window with the last frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
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

void QtMainWindow::present(const Surface& frame)
{
    if (frame_.width() != frame.width() || frame_.height() != frame.height())
        frame_ = QImage(frame.width(), frame.height(), QImage::Format_RGB32);
    // Surface pixels are 0x00RRGGBB; RGB32 wants the unused byte at 0xFF.
    for (int y = 0; y < frame.height(); ++y) {
        const std::uint32_t* from = frame.row(y);
        auto* to = reinterpret_cast<std::uint32_t*>(frame_.scanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    update();
}

void QtMainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (frame_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, frame_);
}

void QtMainWindow::setShape(const Region& region)
{
    // An empty QRegion would remove the mask; a region outside the window hides all of it.
    QRegion shape(-1, -1, 1, 1);
    if (!region.empty()) {
        // Region rectangles are already in the banded order QRegion::setRects asks for.
        std::vector<QRect> rects;
        rects.reserve(region.rects().size());
        for (const RegionRect& r : region.rects())
            rects.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
        shape.setRects(rects.data(), static_cast<int>(rects.size()));
    }
    setMask(shape);
    // On X11 the shape request would wait in the output queue until something else flushes it.
    QGuiApplication::sync();
}

void QtMainWindow::clearShape()
{
    clearMask();
    QGuiApplication::sync();
}

} // namespace windlecroft
