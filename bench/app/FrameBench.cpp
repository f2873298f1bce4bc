// The cost of one frame of the running player, headless on a manual clock that stands still, so
// that every iteration draws the same picture again: a panel page with two highlighted buttons
// and the track title, a cross-fade between two panel pages, and frames in which only a live
// text or a live plugin changes. A plain copy of the same
// window-sized buffer runs in the same program as the yardstick the machine's noise cannot move.
#include "AllocationCounter.h"
#include "support/StandardSkin.h"
#include "support/ToneEncoder.h"
#include "elements/LivePlugin.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

constexpr std::uint16_t highlightStep = 50;

// The standard test skin with the title's font, a highlight that takes two steps to come in,
// and two overlapping buttons on the day page; day and night cross-fade.
void buildSkin(TestSkin& skin)
{
    skin.config.font("font", "DejaVu Sans", 400, 14);
    skin.config.timing(1500, 1500, highlightStep);
    PageRecords records;
    records.day = [](SkinConfigWriter& c) {
        c.button({100, 100, 200, 140}, 0x1009, 0);
        c.button({120, 110, 220, 150}, 0x100A, 0);
    };
    buildStandardSkin(skin, "dzien", true, true, records);
}

void frames(benchmark::State& state, Harness& h)
{
    const std::uint64_t before = bench::allocationCount();
    for (auto _ : state) {
        h.app->frameUpdate();
        h.app->frameRender();
        benchmark::ClobberMemory();
    }
    state.counters["allocations_per_frame"] =
        static_cast<double>(bench::allocationCount() - before) / static_cast<double>(state.iterations());
}

void BM_FrameTwoHighlightsAndTitle(benchmark::State& state)
{
    Harness h(false);
    TestSkin skin;
    buildSkin(skin);
    h.start(skin);
    h.run(20);
    // Both buttons under the pointer, one step into their fade; the clock stands still from here,
    // so they stay half lit and every frame draws them again.
    h.app->mouseMove(150, 120, 0);
    if (h.app->scenes().currentScene() != "dzien" || !h.app->scenes().currentPage()->animating()) {
        state.SkipWithError("the day page is not showing two highlights on their way in");
        return;
    }
    frames(state, h);
}
BENCHMARK(BM_FrameTwoHighlightsAndTitle);

void BM_FrameCrossFade(benchmark::State& state)
{
    Harness h(false);
    TestSkin skin;
    buildSkin(skin);
    h.start(skin);
    h.run(20);
    // Position 13 belongs to the night page; halfway through, both pages blend at about 128.
    h.act(0x1010, 13);
    h.run(740);
    if (!h.app->scenes().switchPending()) {
        state.SkipWithError("no cross-fade is running");
        return;
    }
    frames(state, h);
}
BENCHMARK(BM_FrameCrossFade);

// A frame in which only a live text changes: the main volume's percent, set anew before each
// frame, is drawn again in its rectangle and presented alone.
void BM_FrameLiveTextChanged(benchmark::State& state)
{
    Harness h(false);
    TestSkin skin;
    skin.config.startScene("dzien");
    skin.config.font("font", "DejaVu Sans", 400, 14);
    skin.addPage("dzien", dayColours, false, [](SkinConfigWriter& c) {
        c.record(skin::LiveTextRecord{{400, 20, 480, 40}, "font", 0x00FFFFFF, 2, 6});
    });
    // A track that plays has a volume; the output is never pulled, so its time stands still.
    writeFile(h.dir / "tone.ogg", encodeTone({}));
    skin.config.tracklist(1, {{"Tone", (h.dir / "tone.ogg").string()}});
    h.start(skin);
    h.act(0x1001);
    h.run(20);
    Player& player = h.app->player();
    // Both texts once, so that their characters are rendered and kept before counting.
    for (int volume : {41, 40}) {
        player.setMainVolume(volume);
        h.run(10);
    }
    const std::uint64_t before = bench::allocationCount();
    const int presented = h.desktop->presentCount();
    int volume = 40;
    for (auto _ : state) {
        volume = volume == 40 ? 41 : 40;
        player.setMainVolume(volume);
        h.app->frameUpdate();
        h.app->frameRender();
        benchmark::ClobberMemory();
    }
    if (h.desktop->presentCount() - presented != static_cast<int>(state.iterations()) || h.desktop->lastDamage().size() != 1) {
        state.SkipWithError("the frames did not present the live text alone");
        return;
    }
    state.counters["allocations_per_frame"] =
        static_cast<double>(bench::allocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameLiveTextChanged);

// A frame of a live plugin while a track plays: the spectrum of the music, the page's pixels put
// back under the plugin's rectangle, the example spectrum plugin's bars, and that rectangle
// presented alone. The clock moves on by the plugin's pace before each frame.
void BM_FrameLivePlugin(benchmark::State& state)
{
    Harness h(false);
    TestSkin skin;
    skin.config.startScene("dzien");
    std::filesystem::copy_file(SPECTRUM_PLUGIN, h.dir / "spectrum.so");
    skin.config.plugin("spectrum", "spectrum.so");
    const Rect bars{424, 446, 556, 488};
    skin.addPage("dzien", dayColours, false,
                 [&bars](SkinConfigWriter& c) { c.record(skin::LivePluginRecord{"spectrum", bars, 1}); });
    writeFile(h.dir / "tone.ogg", encodeTone({.seconds = 30.0}));
    skin.config.tracklist(1, {{"Tone", (h.dir / "tone.ogg").string()}});
    h.start(skin);
    h.act(0x1001);
    h.audio.renderMilliseconds(500);
    h.run(100);
    const std::uint64_t before = bench::allocationCount();
    const int presented = h.desktop->presentCount();
    for (auto _ : state) {
        h.clock.advance(LivePlugin::frameMs);
        h.app->frameUpdate();
        h.app->frameRender();
        benchmark::ClobberMemory();
    }
    if (h.desktop->presentCount() - presented != static_cast<int>(state.iterations())
        || h.desktop->lastDamage().size() != 1 || !(h.desktop->lastDamage().front() == bars)) {
        state.SkipWithError("the frames did not present the plugin's rectangle alone");
        return;
    }
    state.counters["allocations_per_frame"] =
        static_cast<double>(bench::allocationCount() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameLivePlugin);

// The yardstick: one copy of a window-sized buffer of 32-bit pixels.
void BM_MemcpyWindow(benchmark::State& state)
{
    constexpr std::size_t pixels = 600 * 510;
    std::vector<std::uint32_t> from(pixels, 0x00C08000), to(pixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), pixels * sizeof(std::uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pixels * sizeof(std::uint32_t)));
}
BENCHMARK(BM_MemcpyWindow);

} // namespace
