#include "platform/qt/QtDesktop.h"

#include "platform/qt/QtMainWindow.h"
#include "platform/qt/QtTrayIcon.h"
#include "base/TextEncoding.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace windlecroft {

namespace {

constexpr int tickPeriodMs = 10;

// On X11 translucent windows need a compositing manager: it owns the _NET_WM_CM_S<screen>
// selection while it runs.
bool x11CompositorRunning()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* connection = x11->connection();
    std::string name = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr);
    if (!atom)
        return false;
    bool running = false;
    if (atom->atom != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t* owner =
            xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
        running = owner && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
    }
    std::free(atom);
    return running;
}

bool detectLayeredSupport()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform == QLatin1String("xcb"))
        return x11CompositorRunning();
    return false;
}

QString fromSkinText(const std::string& bytes)
{
    return QString::fromStdString(decodeWindows1250(bytes));
}

} // namespace

QtDesktop::QtDesktop() : layered_(detectLayeredSupport()), tray_(std::make_unique<QtTrayIcon>(events_))
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(tickPeriodMs);
    QObject::connect(&frameTimer_, &QTimer::timeout, [this] {
        if (events_)
            events_->tick();
    });
}

QtDesktop::~QtDesktop() = default;

ScreenRect QtDesktop::screenGeometry() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect g = screen->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void QtDesktop::createWindow(const std::string& title, int x, int y, int width, int height)
{
    window_ = std::make_unique<QtMainWindow>(events_, layered_);
    window_->setTranslucent(translucent_);
    window_->setAlpha(alpha_);
    window_->setWindowTitle(fromSkinText(title));
    window_->setFixedSize(width, height);
    window_->move(x, y);
}

void QtDesktop::showWindow(ShowCommand command)
{
    if (!window_)
        return;
    switch (command) {
    case ShowCommand::Hide:
        window_->hide();
        break;
    case ShowCommand::Show:
        window_->showNormal();
        window_->raise();
        break;
    case ShowCommand::Minimise:
        window_->showMinimized();
        break;
    }
}

void QtDesktop::destroyWindow()
{
    window_.reset();
}

int QtDesktop::run(DesktopEvents& events)
{
    events_ = &events;
    frameTimer_.start();
    // However the loop ends, no tick and no live frame reaches the player after it.
    struct LoopEnd {
        QtDesktop& desktop;
        ~LoopEnd()
        {
            desktop.liveFrames_.stop();
            desktop.frameTimer_.stop();
            desktop.events_ = nullptr;
        }
    } end{*this};
    return QCoreApplication::exec();
}

void QtDesktop::postQuit(int code)
{
    QCoreApplication::exit(code);
}

// Setting the interval of a running timer restarts it: the next tick is a full period away.
// With no tick the timer stops; only events and wakeTick() run frames until it starts again.
void QtDesktop::setTickInterval(int milliseconds)
{
    if (milliseconds == EventLoop::noTick) {
        frameTimer_.stop();
        return;
    }
    if (milliseconds != frameTimer_.interval() || !frameTimer_.isActive())
        frameTimer_.start(milliseconds);
}

// Queued into the main thread's event loop; the timer object gives the call its thread.
void QtDesktop::wakeTick()
{
    QMetaObject::invokeMethod(
        &frameTimer_,
        [this] {
            if (events_)
                events_->tick();
        },
        Qt::QueuedConnection);
}

// Only a window that puts its live rectangles straight to the X server can take them from
// another thread; elsewhere (Wayland, a translucent or scaled window) the tick carries them.
// They run only while the loop does.
bool QtDesktop::setLiveFrameInterval(int milliseconds)
{
    if (milliseconds == EventLoop::noTick || !events_ || !window_ || !window_->takesLivePresents()) {
        liveFrames_.pause();
        return false;
    }
    liveFrames_.start(std::chrono::milliseconds(milliseconds));
    return true;
}

void QtDesktop::present(const Surface& frame)
{
    if (window_)
        window_->present(frame);
}

void QtDesktop::present(const Surface& frame, std::span<const Rect> damage)
{
    if (window_)
        window_->present(frame, damage);
}

void QtDesktop::setWindowShape(const Region& region)
{
    if (window_)
        window_->setShape(region);
}

void QtDesktop::clearWindowShape()
{
    if (window_)
        window_->clearShape();
}

void QtDesktop::setTranslucent(bool translucent)
{
    translucent_ = translucent;
    if (window_)
        window_->setTranslucent(translucent);
}

void QtDesktop::setWindowAlpha(std::uint8_t alpha)
{
    alpha_ = alpha;
    if (window_)
        window_->setAlpha(alpha);
}

bool QtDesktop::trayAvailable() const
{
    return QtTrayIcon::available();
}

void QtDesktop::showTrayIcon(const std::string& tip, const std::vector<TrayMenuEntry>& menu)
{
    tray_->show(tip, menu);
}

void QtDesktop::hideTrayIcon()
{
    tray_->hide();
}

void QtDesktop::showTrayMenu()
{
    tray_->showMenu();
}

void QtDesktop::showError(const std::string& message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("windlecroft runtime exception"), fromSkinText(message),
                    QMessageBox::Ok);
    box.exec();
}

void installQtFatalHandler()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "windlecroft: cannot open a window: %s\n", qPrintable(text.simplified()));
            std::fflush(stderr);
            std::_Exit(1);
        }
        if (type != QtDebugMsg && type != QtInfoMsg)
            std::fprintf(stderr, "windlecroft: %s\n", qPrintable(text));
    });
}

} // namespace windlecroft
