// The Qt shell presenting a live rectangle (the demo skin's spectrum, 132 x 42) of a window-sized
// frame on a private Xvfb: the copy into the shown frame and its way to the X server, with the
// events the shell handles meanwhile.
#include "XServer.h"
#include "platform/qt/QtDesktop.h"
#include "resources/Surface.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <span>

using namespace windlecroft;

namespace {

void BM_PresentDamage(benchmark::State& state)
{
    test::XServer x(1024, 768);
    if (!x.ready()) {
        state.SkipWithError("Xvfb did not start");
        return;
    }
    x.pointQtHere();
    int argc = 1;
    char name[] = "platform_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QtDesktop desktop;
    constexpr int width = 510;
    constexpr int height = 600;
    desktop.createWindow("present", 10, 10, width, height);
    desktop.showWindow(ShowCommand::Show);
    Surface frame(width, height);
    desktop.present(frame);
    for (int i = 0; i < 50; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const Rect bars{424, 446, 556, 488};
    std::uint32_t colour = 0;
    for (auto _ : state) {
        colour ^= 0x00FF8040u;
        for (int y = bars.top; y < bars.bottom && y < height; ++y) {
            for (int px = bars.left; px < bars.right && px < width; ++px)
                frame.setPixel(px, y, colour);
        }
        desktop.present(frame, std::span(&bars, 1));
        QCoreApplication::processEvents();
    }
    desktop.destroyWindow();
}
BENCHMARK(BM_PresentDamage)->Unit(benchmark::kMicrosecond);

} // namespace
