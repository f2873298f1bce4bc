#pragma once

#include "platform/qt/KeyRepeatFilter.h"
#include "platform/qt/X11DamagePut.h"
#include "base/Rect.h"
#include "resources/Region.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <thread>

namespace windlecroft {

class DesktopEvents;
class Region;
class Surface;

/**
 * The player's one borderless top-level window. It shows the frames it is given and forwards
 * its input to the core as Windows would report it: virtual-key codes, client coordinates, the
 * mouse key-state word. A left press that the core does not take drags the window. Its size,
 * shape and client coordinates are the skin's; Qt's device pixel ratio enlarges them on screen.
 */
class QtMainWindow final : public QWidget {
    Q_OBJECT

public:
    /**
     * translucentCapable asks for a window with an alpha channel, which setTranslucent needs;
     * it can only be chosen before the window is first shown.
     */
    QtMainWindow(DesktopEvents*& events, bool translucentCapable);

    /** Keeps a copy of the frame and repaints the part of the window where it changed. */
    void present(const Surface& frame);
    /**
     * The same for a frame that changed only inside damage. While takesLivePresents() holds,
     * this one may be called from another thread too.
     */
    void present(const Surface& frame, std::span<const Rect> damage);
    /**
     * Whether live rectangles may be presented from another thread: they go straight to the X
     * server, the window being opaque and unscaled on X11.
     */
    bool takesLivePresents();
    /** Masks the window to the region's rectangles. */
    void setShape(const Region& region);
    /** Removes the mask: the whole window shows. */
    void clearShape();
    /**
     * While translucent, white pixels of the frame are fully transparent and the others are
     * shown at the window alpha; otherwise the frame is opaque. Has no effect on a window that
     * was not made translucent-capable.
     */
    void setTranslucent(bool translucent);
    void setAlpha(std::uint8_t alpha);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Tab and Shift+Tab are keys of the skin, not focus moves between child widgets.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void leftPress(QMouseEvent* event);
    void deliverHeldRelease();
    void announceFocus();
    void rebuildKeyedFrame(const QRect& area);
    void repaintChanged(const QRect& changed);
    void showChanged(const QRect& changed);
    bool onOwnThread() const;
    void applyMask();
    void followVisiblePixels();
    /** The input shape of a translucent window; nothing to let it follow the window's shape. */
    void applyInputShape(const std::optional<Region>& region);
    static QRegion toQRegion(const Region& region);
    void traceStartup(bool frameShown);

    DesktopEvents*& events_;
    const bool translucentCapable_;
    // The live-frame thread presents too: the frames, the X11 put and the look they are shown
    // with are used under this lock. Recursive, for a paint that Qt runs inside a call here.
    std::recursive_mutex frameMutex_;
    // What takesLivePresents() found last; the live-frame thread goes by it.
    bool livePuts_ = false;
    const std::thread::id ownThread_ = std::this_thread::get_id();
    bool translucent_ = false;
    std::uint8_t alpha_ = 255;
    // The frame as presented (opaque), and with white keyed out for the translucent look.
    QImage frame_;
    QImage keyedFrame_;
    // Live rectangles go straight to the X server; an exposed window is then repainted whole,
    // since the widget's own copy of them is older.
    X11DamagePut damagePut_{*this};
    bool exposeWatched_ = false;
    // The window's shape; nothing while the whole window shows.
    std::optional<QRegion> shape_;
    // The input shape set while translucent; nothing while it follows the window's shape.
    std::optional<Region> inputShape_;
    // While the shell drags the window itself: the pointer's offset from the window's corner.
    std::optional<QPoint> dragOffset_;
    // Key releases wait here until it is clear they are not half of a repeat.
    KeyRepeatFilter keyRepeats_;
    QTimer releaseTimer_;
    // Since when a press has reported the focus that its window system delivers only later.
    QElapsedTimer focusAnnounced_;
    // With WINDLECROFT_TRACE_STARTUP holding the exec time (ns since the epoch), the first paint
    // and the first paint of a presented frame are reported on stderr, for start-up benchmarks.
    std::optional<std::int64_t> traceStartNs_;
    bool tracedWindow_ = false;
    bool tracedFrame_ = false;
};

} // namespace windlecroft
