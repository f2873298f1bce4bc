#pragma once

#include <QImage>
#include <QWidget>

namespace windlecroft {

class DesktopEvents;
class Region;
class Surface;

/** The player's one borderless top-level window; it forwards its events to the core. */
class QtMainWindow final : public QWidget {
    Q_OBJECT

public:
    explicit QtMainWindow(DesktopEvents*& events);

    /** Keeps a copy of the frame and repaints the window with it. */
    void present(const Surface& frame);
    /** Masks the window to the region's rectangles. */
    void setShape(const Region& region);
    /** Removes the mask: the whole window shows. */
    void clearShape();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    DesktopEvents*& events_;
    QImage frame_;
};

} // namespace windlecroft
