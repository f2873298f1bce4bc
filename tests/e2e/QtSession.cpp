#include "QtSession.h"

#include "platform/qt/QtDesktop.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>

namespace windlecroft::test {

QtSession::QtSession(int width, int height, int scaleFactor) : x_(width, height)
{
    if (!x_.ready())
        return;
    x_.pointQtHere();
    // Without a session bus Qt's tray icon goes straight to the X11 notification area.
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    // Qt reads it as each QApplication starts.
    if (scaleFactor != 1)
        setenv("QT_SCALE_FACTOR", std::to_string(scaleFactor).c_str(), 1);
    else
        unsetenv("QT_SCALE_FACTOR");
    application_ = std::make_unique<QApplication>(argc_, argv_);
}

// Qt first, while its display is still there; then the helpers; the X server last.
QtSession::~QtSession()
{
    application_.reset();
    for (auto& helper : helpers_)
        helper->kill();
}

void QtSession::pump(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::optional<std::string> QtSession::run(std::vector<std::string> command, int settleMs)
{
    Process::Options options;
    options.environment["DISPLAY"] = x_.display();
    Process process(command, options);
    QElapsedTimer timer;
    timer.start();
    while (process.running() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const std::optional<int> status = process.wait(std::chrono::milliseconds(0));
    pump(settleMs);
    if (status != 0)
        return std::nullopt;
    return process.output();
}

void QtSession::startHelper(const std::vector<std::string>& command)
{
    Process::Options options;
    options.environment["DISPLAY"] = x_.display();
    helpers_.push_back(std::make_unique<Process>(command, options));
}

bool QtSession::waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void QtSession::insideLoop(QtDesktop& desktop, DesktopEvents& events, const std::function<void()>& body)
{
    QTimer::singleShot(0, [&] {
        body();
        desktop.postQuit(0);
    });
    desktop.run(events);
}

} // namespace windlecroft::test
