#include "platform/qt/QtMainWindow.h"

#include "app/Desktop.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtInputCodes.h"
#include "platform/qt/ScreenScale.h"
#include "resources/Region.h"
#include "resources/Surface.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>
#include <QWindow>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace windlecroft {

namespace {

constexpr std::uint32_t white = 0x00FFFFFF;
// The press of a repeat follows its release at once; a release is held back no longer than this.
constexpr int releaseHoldMs = 20;
// The focus a click brings arrives well within this time after the press.
constexpr qint64 announcedFocusMs = 1000;

std::uint16_t virtualKey(const QKeyEvent* event)
{
    return virtualKeyForQtKey(event->key(), event->modifiers().testFlag(Qt::KeypadModifier));
}

std::uint16_t keyState(const QMouseEvent* event)
{
    return mouseKeyState(event->buttons().toInt(), event->modifiers().toInt());
}

std::optional<std::int64_t> startupTraceOrigin()
{
    const char* value = std::getenv("WINDLECROFT_TRACE_STARTUP");
    if (!value || !*value)
        return std::nullopt;
    char* end = nullptr;
    const long long origin = std::strtoll(value, &end, 10);
    if (*end != '\0' || origin <= 0)
        return std::nullopt;
    return origin;
}

} // namespace

QtMainWindow::QtMainWindow(DesktopEvents*& events, bool translucentCapable)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), events_(events), translucentCapable_(translucentCapable)
{
    // An alpha channel has to be asked for before the native window exists.
    if (translucentCapable_)
        setAttribute(Qt::WA_TranslucentBackground);
    else
        setAttribute(Qt::WA_OpaquePaintEvent); // every paint covers the whole window
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowIcon(programIcon());
    setFocusPolicy(Qt::StrongFocus);
    // Moves arrive without a button held, as the core follows the pointer over its elements.
    setMouseTracking(true);
    releaseTimer_.setSingleShot(true);
    releaseTimer_.setInterval(releaseHoldMs);
    QObject::connect(&releaseTimer_, &QTimer::timeout, this, &QtMainWindow::deliverHeldRelease);
    traceStartNs_ = startupTraceOrigin();
}

// A key release held back goes out before any other input, so that the core sees every
// event in the order it happened.
bool QtMainWindow::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        deliverHeldRelease();
        if (!hasFocus())
            announceFocus();
        break;
    case QEvent::Show:
    case QEvent::ScreenChangeInternal: {
        std::scoped_lock lock(frameMutex_);
        damagePut_.rescale();
        // Until the player asks again, live frames from another thread go through a repaint.
        livePuts_ = false;
        if (!exposeWatched_ && windowHandle()) {
            windowHandle()->installEventFilter(this);
            exposeWatched_ = true;
        }
        break;
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::FocusOut:
    case QEvent::Close:
        deliverHeldRelease();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool QtMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Marked dirty before Qt handles the exposure, so that it repaints instead of showing its copy.
    if (event->type() == QEvent::Expose && watched == windowHandle())
        update();
    return QWidget::eventFilter(watched, event);
}

void QtMainWindow::deliverHeldRelease()
{
    releaseTimer_.stop();
    const std::optional<std::uint16_t> key = keyRepeats_.flush();
    if (key && events_)
        events_->keyUp(*key);
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

// A click activates a window before the window sees the click; Qt learns of the focus only
// after the press. The core resets its buttons on the focus, which would undo that press, so
// a press on a window without the focus reports the focus first, and the focus that follows
// is not reported again.
void QtMainWindow::announceFocus()
{
    focusAnnounced_.start();
    if (events_)
        events_->focusGained();
}

void QtMainWindow::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    const bool announced = focusAnnounced_.isValid() && focusAnnounced_.elapsed() < announcedFocusMs;
    focusAnnounced_.invalidate();
    if (!announced && events_)
        events_->focusGained();
}

// A held key repeats as further presses without releases in between, as on Windows. Qt marks
// most repeats itself; the filter catches those X11 reports as a plain release and press.
void QtMainWindow::keyPressEvent(QKeyEvent* event)
{
    const std::uint16_t key = virtualKey(event);
    if (key == 0 || !events_) {
        QWidget::keyPressEvent(event);
        return;
    }
    releaseTimer_.stop();
    if (const std::optional<std::uint16_t> released = keyRepeats_.press(key, event->timestamp()))
        events_->keyUp(*released);
    events_->keyDown(key);
}

void QtMainWindow::keyReleaseEvent(QKeyEvent* event)
{
    const std::uint16_t key = virtualKey(event);
    if (key == 0 || !events_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    if (const std::optional<std::uint16_t> earlier = keyRepeats_.release(key, event->timestamp()))
        events_->keyUp(*earlier);
    releaseTimer_.start();
}

void QtMainWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (dragOffset_) {
        // The pointer's own motion, not the client position, which moves with the window.
        if (event->buttons().testFlag(Qt::LeftButton))
            move(event->globalPosition().toPoint() - *dragOffset_);
        else
            dragOffset_.reset();
        return;
    }
    if (events_) {
        const QPoint at = skinPoint(event->scenePosition());
        events_->mouseMove(at.x(), at.y(), keyState(event));
    }
}

void QtMainWindow::leftPress(QMouseEvent* event)
{
    const QPoint at = skinPoint(event->scenePosition());
    if (events_ && events_->mouseDown(at.x(), at.y()))
        return;
    // A press that nothing takes drags the window, by the window manager when there is one. On
    // Wayland only the compositor can move a window: a client cannot place itself.
    QWindow* window = windowHandle();
    if (window && window->startSystemMove())
        return;
    dragOffset_ = event->globalPosition().toPoint() - pos();
}

void QtMainWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        leftPress(event);
    else if (event->button() == Qt::RightButton && events_)
        events_->rightDown();
}

// Qt reports the second press of a double click as a double click alone; the core sees the
// press it stands for, then the double click, and the release follows as usual.
void QtMainWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        leftPress(event);
        if (events_) {
            const QPoint at = skinPoint(event->scenePosition());
            events_->doubleClick(at.x(), at.y());
        }
    } else if (event->button() == Qt::RightButton && events_) {
        events_->rightDown();
    }
}

// The end of a drag is no click: the window manager's move loop swallows that release too.
void QtMainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (dragOffset_) {
        dragOffset_.reset();
        return;
    }
    if (events_) {
        const QPoint at = skinPoint(event->scenePosition());
        events_->mouseUp(at.x(), at.y());
    }
}

void QtMainWindow::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || !events_)
        return;
    const QPoint at = skinPoint(event->scenePosition());
    events_->wheel(at.x(), at.y(), delta);
}

// Only the pixels that differ from the frame shown are converted and repainted: a highlight
// fading in repaints its button, not the whole window.
void QtMainWindow::present(const Surface& frame)
{
    std::scoped_lock lock(frameMutex_);
    const int width = frame.width();
    const int height = frame.height();
    bool resized = false;
    if (frame_.width() != width || frame_.height() != height) {
        frame_ = QImage(width, height, QImage::Format_RGB32);
        resized = true;
    }
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        // Surface pixels are 0x00RRGGBB; RGB32 wants the unused byte at 0xFF.
        const std::uint32_t* from = frame.row(y);
        auto* to = reinterpret_cast<std::uint32_t*>(frame_.scanLine(y));
        int first = 0;
        int last = width - 1;
        if (!resized) {
            while (first < width && to[first] == (from[first] | 0xFF000000u))
                ++first;
            if (first == width)
                continue;
            while (to[last] == (from[last] | 0xFF000000u))
                --last;
        }
        for (int x = first; x <= last; ++x)
            to[x] = from[x] | 0xFF000000u;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    if (bottom < 0)
        return;
    const QRect changed(left, top, right - left + 1, bottom - top + 1);
    if (translucent_) {
        rebuildKeyedFrame(resized ? frame_.rect() : changed);
        followVisiblePixels();
    }
    repaintChanged(changed);
}

// Only the damaged rectangles changed. Within them only the pixels that differ from those shown
// need to go out: each rectangle goes in columns a few pixels wide, each from its first changed
// row to its last, so a spectrum's bars send their moving tops rather than the whole box.
void QtMainWindow::present(const Surface& frame, std::span<const Rect> damage)
{
    std::scoped_lock lock(frameMutex_);
    if (frame_.width() != frame.width() || frame_.height() != frame.height()) {
        present(frame);
        return;
    }
    constexpr int column = 8;
    auto* shown = reinterpret_cast<std::uint32_t*>(frame_.bits());
    const auto shownStride = static_cast<std::ptrdiff_t>(frame_.bytesPerLine()) / 4;
    bool changedAny = false;
    // Neighbouring columns that changed over the same rows go out as one rectangle.
    QRect pending;
    const auto show = [this, &pending] {
        if (pending.isEmpty())
            return;
        if (translucent_)
            rebuildKeyedFrame(pending);
        showChanged(pending);
        pending = QRect();
    };
    for (const Rect& rect : damage) {
        const Rect area = intersection(rect, {0, 0, frame.width(), frame.height()});
        if (holdsNoPixel(area))
            continue;
        for (int left = area.left; left < area.right; left += column) {
            const int right = std::min(area.right, left + column);
            int top = -1;
            int bottom = -1;
            for (int y = area.top; y < area.bottom; ++y) {
                const std::uint32_t* from = frame.row(y);
                std::uint32_t* to = shown + y * shownStride;
                bool differs = false;
                for (int x = left; x < right; ++x) {
                    const std::uint32_t pixel = from[x] | 0xFF000000u;
                    differs |= to[x] != pixel;
                    to[x] = pixel;
                }
                if (differs) {
                    top = top < 0 ? y : top;
                    bottom = y;
                }
            }
            if (top < 0)
                continue;
            changedAny = true;
            const QRect changed(left, top, right - left, bottom - top + 1);
            if (!pending.isEmpty() && pending.right() + 1 == left && pending.top() == top && pending.bottom() == bottom) {
                pending.setRight(changed.right());
                continue;
            }
            show();
            pending = changed;
        }
        show();
    }
    damagePut_.finish();
    if (changedAny && translucent_)
        followVisiblePixels();
}

// A live rectangle goes to the X server as it is when the window shows the frame unscaled and
// opaque (or keyed at full alpha); otherwise the widget repaints it. The live-frame thread may not
// ask the widget: it goes by what takesLivePresents() found last.
void QtMainWindow::showChanged(const QRect& changed)
{
    const bool direct = onOwnThread()
        ? (!translucent_ || alpha_ == 255) && exposeWatched_ && damagePut_.usable()
        : livePuts_;
    if (direct && damagePut_.put(translucent_ ? keyedFrame_ : frame_, changed))
        return;
    repaintChanged(changed);
}

bool QtMainWindow::takesLivePresents()
{
    std::scoped_lock lock(frameMutex_);
    livePuts_ = !translucent_ && exposeWatched_ && damagePut_.usable();
    return livePuts_;
}

bool QtMainWindow::onOwnThread() const
{
    return std::this_thread::get_id() == ownThread_;
}

// A smoothly scaled skin pixel tints the screen pixels of its neighbours too. From another thread
// the repaint is queued to the window's own.
void QtMainWindow::repaintChanged(const QRect& changed)
{
    if (!onOwnThread()) {
        QMetaObject::invokeMethod(this, [this, changed] { repaintChanged(changed); }, Qt::QueuedConnection);
        return;
    }
    update(smoothScaling(devicePixelRatioF()) ? changed.adjusted(-1, -1, 1, 1) : changed);
}

// A translucent window shows no white pixel; clicks there go to the windows below, as they do
// where a colour key hides a pixel. On X11 that is the window's input shape; elsewhere the
// native window's mask, which takes only input there.
void QtMainWindow::followVisiblePixels()
{
    if (keyedFrame_.isNull())
        return;
    // The keyed frame is transparent exactly where the frame is white.
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(keyedFrame_.width()) * static_cast<std::size_t>(keyedFrame_.height()));
    for (int y = 0; y < keyedFrame_.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(keyedFrame_.constScanLine(y));
        std::uint8_t* out = mask.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(keyedFrame_.width());
        for (int x = 0; x < keyedFrame_.width(); ++x)
            out[x] = row[x] == 0 ? 1 : 0;
    }
    applyInputShape(Region::fromMask(RegionMask(mask, keyedFrame_.width()), keyedFrame_.height()));
}

void QtMainWindow::applyInputShape(const std::optional<Region>& region)
{
    if (region == inputShape_)
        return;
    inputShape_ = region;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) {
        applyMask();
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const auto window = static_cast<xcb_window_t>(winId());
    if (!region) {
        // The input shape follows the bounding shape again.
        xcb_shape_mask(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, window, 0, 0, XCB_NONE);
    } else {
        // The X server counts the window's own pixels, which Qt's device pixel ratio enlarges.
        const qreal ratio = devicePixelRatioF();
        std::vector<xcb_rectangle_t> rects;
        rects.reserve(region->rects().size());
        for (const RegionRect& r : region->rects()) {
            const QRect native = nativeRect(r, ratio);
            rects.push_back({static_cast<std::int16_t>(native.x()), static_cast<std::int16_t>(native.y()),
                             static_cast<std::uint16_t>(native.width()), static_cast<std::uint16_t>(native.height())});
        }
        xcb_shape_rectangles(connection, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_YX_BANDED, window, 0,
                             0, static_cast<std::uint32_t>(rects.size()), rects.data());
    }
    xcb_flush(connection);
}

// White becomes fully transparent, everything else stays opaque; the window alpha is applied
// when painting, so that a fade needs no new frame.
void QtMainWindow::rebuildKeyedFrame(const QRect& area)
{
    if (frame_.isNull()) {
        keyedFrame_ = QImage();
        return;
    }
    QRect rows = area;
    if (keyedFrame_.size() != frame_.size()) {
        keyedFrame_ = QImage(frame_.size(), QImage::Format_ARGB32_Premultiplied);
        rows = frame_.rect();
    }
    for (int y = rows.top(); y <= rows.bottom(); ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(frame_.constScanLine(y));
        auto* to = reinterpret_cast<std::uint32_t*>(keyedFrame_.scanLine(y));
        for (int x = rows.left(); x <= rows.right(); ++x)
            to[x] = (from[x] & white) == white ? 0u : from[x];
    }
}

void QtMainWindow::setTranslucent(bool translucent)
{
    std::scoped_lock lock(frameMutex_);
    if (!translucentCapable_ || translucent == translucent_)
        return;
    translucent_ = translucent;
    if (translucent_) {
        rebuildKeyedFrame(frame_.rect());
        followVisiblePixels();
    } else {
        applyInputShape(std::nullopt);
    }
    update();
}

void QtMainWindow::setAlpha(std::uint8_t alpha)
{
    std::scoped_lock lock(frameMutex_);
    if (alpha == alpha_)
        return;
    alpha_ = alpha;
    if (translucent_)
        update();
}

// A window is painted only once it is mapped, so the first paint marks the mapped window.
void QtMainWindow::traceStartup(bool frameShown)
{
    if (!traceStartNs_ || (tracedWindow_ && (tracedFrame_ || !frameShown)))
        return;
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch()).count();
    const double ms = static_cast<double>(now - *traceStartNs_) / 1e6;
    if (!tracedWindow_)
        std::fprintf(stderr, "windlecroft startup: window mapped %.1f ms\n", ms);
    if (frameShown && !tracedFrame_)
        std::fprintf(stderr, "windlecroft startup: first frame shown %.1f ms\n", ms);
    tracedWindow_ = true;
    tracedFrame_ = tracedFrame_ || frameShown;
}

// The frame is drawn at the window's size in device-independent pixels; Qt enlarges it by the
// device pixel ratio, pixel for pixel at whole-number ratios and filtered between them.
void QtMainWindow::paintEvent(QPaintEvent*)
{
    std::scoped_lock lock(frameMutex_);
    const QImage& shown = translucent_ ? keyedFrame_ : frame_;
    traceStartup(!shown.isNull());
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smoothScaling(devicePixelRatioF()));
    // Where the mask only takes input (Wayland), the pixels outside the shape have to be
    // transparent; a window with an alpha channel clears them on every platform alike.
    if (translucentCapable_) {
        painter.fillRect(rect(), Qt::transparent);
        if (shape_)
            painter.setClipRegion(*shape_);
    }
    if (shown.isNull()) {
        if (!translucent_)
            painter.fillRect(rect(), Qt::black);
        return;
    }
    if (translucent_) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(alpha_ / 255.0);
    }
    painter.drawImage(QRect(QPoint(0, 0), shown.size()), shown);
}

QRegion QtMainWindow::toQRegion(const Region& region)
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
    return shape;
}

void QtMainWindow::setShape(const Region& region)
{
    shape_ = toQRegion(region);
    applyMask();
    update();
    // On X11 the shape request would wait in the output queue until something else flushes it.
    QGuiApplication::sync();
}

void QtMainWindow::clearShape()
{
    shape_.reset();
    applyMask();
    update();
    QGuiApplication::sync();
}

// On X11 the mask is the window's bounding shape, which hides what lies outside it; the input
// shape is set apart. Elsewhere (Wayland) a window's mask takes only input: it goes to the native
// window, as Qt's widgets would leave what lies outside a widget mask unpainted, stale from
// frames before, and the paint clears it instead. The visible pixels of a translucent window
// narrow it, so that clicks on hidden ones pass.
void QtMainWindow::applyMask()
{
    if (qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        if (shape_)
            setMask(*shape_);
        else
            clearMask();
        return;
    }
    std::optional<QRegion> mask = shape_;
    if (inputShape_)
        mask = mask ? *mask & toQRegion(*inputShape_) : toQRegion(*inputShape_);
    // An empty mask would take input everywhere again; one outside the window takes none.
    if (mask && mask->isEmpty())
        mask = QRegion(-1, -1, 1, 1);
    winId(); // the native window, which holds the mask, exists from here on
    windowHandle()->setMask(mask.value_or(QRegion()));
}

} // namespace windlecroft
