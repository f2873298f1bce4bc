// The Qt shell in this process on a private Xvfb: what it shows is read back from the screen.
#include "EventRecorder.h"
#include "XServer.h"
#include "platform/qt/QtDesktop.h"
#include "resources/Region.h"
#include "resources/Surface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <sstream>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

constexpr int windowX = 100;
constexpr int windowY = 80;
constexpr int width = 64;
constexpr int height = 48;
constexpr std::uint32_t rootColour = 0xFFFFFF; // Xvfb -wr

// No pixel of the pattern is white, so the root shows wherever the window does not.
std::uint32_t patternPixel(int x, int y)
{
    return static_cast<std::uint32_t>(x * 3) << 16 | static_cast<std::uint32_t>(y * 5) << 8 | 0x40;
}

void processEventsFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The whole screen as 0x00RRGGBB pixels, read through ImageMagick's PPM output.
class Screen {
public:
    explicit Screen(const XServer& x)
    {
        const auto ppm = x.query({"import", "-window", "root", "-depth", "8", "ppm:-"});
        if (!ppm)
            return;
        std::istringstream in(*ppm);
        std::string magic;
        int maxValue = 0;
        in >> magic >> width_ >> height_ >> maxValue;
        in.get();
        if (magic != "P6" || maxValue != 255)
            return;
        bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    bool valid() const { return bytes_.size() >= static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3; }

    std::uint32_t pixel(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)) * 3;
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at + 1])) << 8 |
               static_cast<unsigned char>(bytes_[at + 2]);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::string bytes_;
};

} // namespace

TEST(QtShell, ShowsThePresentedFrameAndTakesTheRegionAsItsShape)
{
    XServer x(320, 240);
    ASSERT_TRUE(x.ready());
    x.pointQtHere();
    int argc = 1;
    char name[] = "qt_shell_tests";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);

    QtDesktop desktop;
    desktop.createWindow("shell", windowX, windowY, width, height);
    desktop.showWindow(ShowCommand::Show);
    Surface frame(width, height);
    for (int y = 0; y < height; ++y) {
        for (int px = 0; px < width; ++px)
            frame.setPixel(px, y, patternPixel(px, y));
    }
    desktop.present(frame);
    processEventsFor(700);
    {
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        for (auto [px, py] : {std::pair{0, 0}, std::pair{63, 0}, std::pair{0, 47}, std::pair{63, 47}, std::pair{31, 20}})
            EXPECT_EQ(screen.pixel(windowX + px, windowY + py), patternPixel(px, py)) << px << "," << py;
        EXPECT_EQ(screen.pixel(windowX - 1, windowY), rootColour);
    }

    // A ring: the window keeps its border band, the centre shows the root window.
    std::vector<std::uint8_t> mask(width * height, 0);
    for (int y = 10; y < 30; ++y) {
        for (int px = 20; px < 40; ++px)
            mask[static_cast<std::size_t>(y * width + px)] = 1;
    }
    desktop.setWindowShape(Region::fromMask(RegionMask(mask, width), height));
    processEventsFor(500);
    {
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        EXPECT_EQ(screen.pixel(windowX + 25, windowY + 15), rootColour);
        EXPECT_EQ(screen.pixel(windowX + 39, windowY + 29), rootColour);
        EXPECT_EQ(screen.pixel(windowX + 19, windowY + 15), patternPixel(19, 15));
        EXPECT_EQ(screen.pixel(windowX + 40, windowY + 29), patternPixel(40, 29));
    }

    desktop.setWindowShape(Region{});
    processEventsFor(500);
    {
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        EXPECT_EQ(screen.pixel(windowX + 5, windowY + 5), rootColour);
    }

    desktop.clearWindowShape();
    processEventsFor(500);
    {
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        EXPECT_EQ(screen.pixel(windowX + 25, windowY + 15), patternPixel(25, 15));
        EXPECT_EQ(screen.pixel(windowX + 5, windowY + 5), patternPixel(5, 5));
    }

    // A live rectangle alone reaches the screen, and stays there when a window laid over it goes.
    constexpr std::uint32_t liveColour = 0x123456;
    Surface live = frame;
    for (int y = 10; y < 20; ++y) {
        for (int px = 30; px < 50; ++px)
            live.setPixel(px, y, liveColour);
    }
    const Rect changed{30, 10, 50, 20};
    desktop.present(live, std::span(&changed, 1));
    processEventsFor(300);
    for (bool covered : {false, true}) {
        if (covered) {
            QWidget cover(nullptr, Qt::Window | Qt::FramelessWindowHint);
            cover.setGeometry(windowX - 10, windowY - 10, width + 20, height + 20);
            cover.show();
            processEventsFor(300);
        }
        processEventsFor(400);
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        EXPECT_EQ(screen.pixel(windowX + 35, windowY + 15), liveColour) << (covered ? "after an exposure" : "");
        EXPECT_EQ(screen.pixel(windowX + 49, windowY + 19), liveColour);
        EXPECT_EQ(screen.pixel(windowX + 29, windowY + 15), patternPixel(29, 15));
        EXPECT_EQ(screen.pixel(windowX + 35, windowY + 20), patternPixel(35, 20));
    }

    // Only changed pixels go out: rows far apart in one column, and the rectangle's narrow last column.
    constexpr std::uint32_t spotColour = 0x00FF80;
    const std::pair<int, int> spots[] = {{31, 11}, {33, 18}, {49, 19}};
    for (auto [px, py] : spots)
        live.setPixel(px, py, spotColour);
    desktop.present(live, std::span(&changed, 1));
    processEventsFor(300);
    {
        const Screen screen(x);
        ASSERT_TRUE(screen.valid());
        for (auto [px, py] : spots)
            EXPECT_EQ(screen.pixel(windowX + px, windowY + py), spotColour) << px << "," << py;
        EXPECT_EQ(screen.pixel(windowX + 32, windowY + 15), liveColour);
    }

    // While the loop runs, live frames come from a thread of their own and reach the screen (the
    // pattern again); none comes once the loop has ended.
    EventRecorder events;
    std::atomic<int> liveFrames{0};
    std::atomic<bool> onLoopThread{false};
    events.onLiveFrame = [&, loopThread = std::this_thread::get_id()] {
        onLoopThread.store(onLoopThread.load() || std::this_thread::get_id() == loopThread);
        desktop.present(frame, std::span(&changed, 1));
        liveFrames.fetch_add(1);
    };
    EXPECT_FALSE(desktop.setLiveFrameInterval(20)) << "not before the loop runs";
    bool taken = false;
    QTimer::singleShot(0, [&] { taken = desktop.setLiveFrameInterval(20); });
    QTimer::singleShot(600, [] { QCoreApplication::exit(0); });
    desktop.run(events);
    EXPECT_TRUE(taken);
    const int afterLoop = liveFrames.load();
    EXPECT_GT(afterLoop, 5);
    EXPECT_FALSE(onLoopThread.load());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(liveFrames.load(), afterLoop) << "the live frames end with the loop";
    processEventsFor(200);
    const Screen screen(x);
    ASSERT_TRUE(screen.valid());
    EXPECT_EQ(screen.pixel(windowX + 35, windowY + 15), patternPixel(35, 15));
    EXPECT_EQ(screen.pixel(windowX + 49, windowY + 19), patternPixel(49, 19));
    desktop.destroyWindow();
}
