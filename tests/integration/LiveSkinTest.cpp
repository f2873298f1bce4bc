// A page with the live records shows the player's state: rows drawn with the playing row marked,
// documents in the viewer, a seek knob and a time that follow the music, and a plugin drawn on
// every frame while the music plays, each frame presenting only what changed.
#include "support/StandardSkin.h"
#include "support/ToneEncoder.h"

#include "base/ActionCode.h"
#include "elements/LiveKinds.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace windlecroft;
using namespace windlecroft::test;

namespace {

// Colours of the skin, 0x00BBGGRR as the file holds them.
constexpr std::uint32_t rowText = 0x0000FF00;
constexpr std::uint32_t rowPlaying = 0x00FF0000;
constexpr std::uint32_t viewerText = 0x00FF00FF;
constexpr std::uint32_t timeText = 0x00FFFFFF;
constexpr std::uint32_t knobColour = 0x102030;

constexpr Rect listRect{20, 100, 200, 136};
constexpr int rowHeight = 12;
constexpr Rect viewerRect{220, 100, 400, 160};
constexpr Rect seekRect{20, 20, 220, 30};
constexpr Rect timeRect{20, 40, 120, 60};
constexpr Rect probeRect{0, 0, 8, 8};

Rect row(const Rect& list, int index)
{
    return {list.left, list.top + index * rowHeight, list.right, list.top + (index + 1) * rowHeight};
}

class LiveSkin : public ::testing::Test {
protected:
    LiveSkin()
    {
        TestSkin skin;
        skin.config.startScene("dzien");
        skin.config.font("lst", "", 400, 10);
        std::filesystem::copy_file(RECORDER_PLUGIN, h.dir / "recorder.so");
        skin.config.plugin("rec", "recorder.so");
        skin.archive.add("Data\\knob.bmp", solidBmp(10, 10, knobColour));
        skin.archive.add("Data\\about.txt", std::string_view("Words enough to wrap over several lines of the viewer "
                                                             "and then a few more words again."));
        skin.addPage("dzien", dayColours, false, [](SkinConfigWriter& c) {
            c.textList(listRect, 0, "lst", rowHeight);
            c.record(skin::ListStyleRecord{0, rowText, 0x0000FF00, rowPlaying, 0x0000FFFF, skin::ListStyleRecord::noBar});
            c.textViewer(viewerRect, "lst", rowHeight);
            c.textBlock("About", "Data\\about.txt");
            c.record(skin::ListStyleRecord{1, viewerText, viewerText, viewerText, viewerText, skin::ListStyleRecord::noBar});
            c.slider(seekRect, 1, 0, "Data\\knob.bmp", number(SliderId::Seek));
            c.record(skin::LiveSliderRecord{number(SliderId::Seek), 1});
            c.record(skin::LiveTextRecord{timeRect, "lst", timeText, 0, 0});
            c.record(skin::LivePluginRecord{"rec", probeRect, 1});
        });
        writeFile(h.dir / "tone.ogg", encodeTone({.seconds = 5.0}));
        const std::string tone = (h.dir / "tone.ogg").string();
        skin.config.tracklist(1, {{"Three", tone}, {"Two", tone}, {"One", tone}});
        h.start(skin);
        h.run(20);
    }

    // The pixels of area tinted towards a colour of the skin: text is anti-aliased, so few
    // pixels of a small font carry the colour exactly.
    int count(const Rect& area, std::uint32_t skinColour) const
    {
        const std::uint32_t wanted = pixelOf(skinColour);
        int found = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const std::uint32_t p = h.pixel(x, y);
                int distance = 0;
                for (int shift = 0; shift <= 16; shift += 8)
                    distance += std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((wanted >> shift) & 0xFF));
                found += distance < 150 ? 1 : 0;
            }
        }
        return found;
    }

    int knobLeft() const
    {
        for (int x = seekRect.left; x < seekRect.right; ++x) {
            if (h.pixel(x, seekRect.top + 2) == knobColour)
                return x;
        }
        return -1;
    }

    std::vector<std::uint32_t> pixels(const Rect& area) const
    {
        std::vector<std::uint32_t> all;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                all.push_back(h.pixel(x, y));
        }
        return all;
    }

    Harness h{false};
};

} // namespace

TEST_F(LiveSkin, ThePlayingRowIsMarkedAndMovesWithNextAndPrevious)
{
    EXPECT_GT(count(row(listRect, 0), rowPlaying), 0);
    EXPECT_GT(count(row(listRect, 1), rowText), 0);
    EXPECT_EQ(count(row(listRect, 1), rowPlaying), 0);

    h.act(number(ActionCode::PlayNext));
    ASSERT_EQ(h.app->player().currentIndex(), 1);
    EXPECT_EQ(count(row(listRect, 0), rowPlaying), 0);
    EXPECT_GT(count(row(listRect, 0), rowText), 0);
    EXPECT_GT(count(row(listRect, 1), rowPlaying), 0);

    h.act(number(ActionCode::PlayPrevious));
    EXPECT_GT(count(row(listRect, 0), rowPlaying), 0);
    EXPECT_EQ(count(row(listRect, 1), rowPlaying), 0);
}

TEST_F(LiveSkin, TheViewerShowsTheDocumentAfterAClickOnItsTitleUntilItCloses)
{
    const Rect title = row(viewerRect, 0);
    const Rect below{viewerRect.left, title.bottom, viewerRect.right, viewerRect.bottom};
    EXPECT_GT(count(title, viewerText), 0);
    EXPECT_EQ(count(below, viewerText), 0);

    h.app->mouseDown(title.left + 5, title.top + 5);
    h.app->mouseUp(title.left + 5, title.top + 5);
    h.run(10);
    EXPECT_GT(count(below, viewerText), 0) << "the document's lines fill the viewer";

    h.act(number(ActionCode::ViewerClose));
    EXPECT_GT(count(title, viewerText), 0);
    EXPECT_EQ(count(below, viewerText), 0);
}

TEST_F(LiveSkin, KnobTimeAndPluginFollowThePlaybackAndFramesPresentOnlyWhatChanged)
{
    h.act(number(ActionCode::PlayCurrent));
    ASSERT_TRUE(h.app->player().mainPlaying());
    EXPECT_EQ(h.pixel(0, 0), 0xABCDEFu) << "the plugin draws on a page without a cross-fade";
    EXPECT_EQ(h.desktop->tickInterval(), 40) << "the plugin's pace";

    h.audio.renderMilliseconds(1500);
    h.run(20);
    const int early = knobLeft();
    const std::vector<std::uint32_t> earlyTime = pixels(timeRect);
    EXPECT_GT(count(timeRect, timeText), 0);
    h.audio.renderMilliseconds(2000);
    h.run(20);
    EXPECT_GT(early, seekRect.left);
    EXPECT_GT(knobLeft(), early) << "the knob is further right at 3.5 s than at 1.5 s";
    EXPECT_NE(pixels(timeRect), earlyTime) << "the elapsed time changed";

    // Between whole redraws only the live parts that changed are presented.
    EXPECT_FALSE(h.desktop->lastDamage().empty());
    for (const Rect& area : h.desktop->lastDamage()) {
        const bool knob = intersection(area, seekRect) == area && area.right - area.left < seekRect.right - seekRect.left;
        EXPECT_TRUE(knob || area == timeRect || area == probeRect)
            << area.left << "," << area.top << " " << area.right << "," << area.bottom;
    }

    // Paused, the plugin stops and its rectangle shows the page again; then nothing is presented.
    h.act(number(ActionCode::TogglePause));
    h.run(50);
    EXPECT_EQ(h.pixel(0, 0), dayColours.normal);
    EXPECT_EQ(h.desktop->tickInterval(), EventLoop::noTick) << "paused on a still page, nothing ticks";
    const int presented = h.desktop->presentCount();
    h.run(2000);
    EXPECT_EQ(h.desktop->presentCount(), presented);
}

// Where the desktop runs live frames apart from its loop, the loop sleeps while only the live
// parts move; anything else that changes the page takes the frames back to the loop.
TEST_F(LiveSkin, LiveFramesApartFromTheLoopDrawTheLivePartsAlone)
{
    h.desktop->takeLiveFrames(true);
    h.act(number(ActionCode::PlayCurrent));
    EXPECT_EQ(h.desktop->liveFrameInterval(), 40) << "the plugin's pace";
    EXPECT_EQ(h.desktop->tickInterval(), EventLoop::noTick) << "the loop sleeps";

    const int early = knobLeft();
    const std::vector<std::uint32_t> earlyTime = pixels(timeRect);
    h.audio.renderMilliseconds(2000);
    h.app->liveFrame();
    EXPECT_GT(knobLeft(), early);
    EXPECT_NE(pixels(timeRect), earlyTime);
    EXPECT_EQ(h.pixel(0, 0), 0xABCDEFu) << "the plugin draws";

    h.act(number(ActionCode::TogglePause));
    EXPECT_EQ(h.desktop->liveFrameInterval(), EventLoop::noTick);
    EXPECT_EQ(h.pixel(0, 0), dayColours.normal);
    h.app->liveFrame();
    EXPECT_EQ(h.pixel(0, 0), dayColours.normal) << "a live frame that comes late draws nothing";
}

// Live frames on a thread of their own while the loop delivers input and actions: the sanitizer
// build runs this one to find what the two touch without taking turns.
TEST_F(LiveSkin, LiveFramesOnAThreadTakeTurnsWithTheLoop)
{
    h.desktop->takeLiveFrames(true);
    h.act(number(ActionCode::PlayCurrent));
    std::atomic<bool> done{false};
    std::atomic<int> frames{0};
    std::thread live([&] {
        while (!done.load()) {
            h.app->liveFrame();
            frames.fetch_add(1);
        }
    });
    for (int i = 0; i < 60; ++i) {
        h.audio.renderMilliseconds(40);
        h.app->mouseMove(30 + i, 110, 0);
        h.run(10);
        if (i % 20 == 19)
            h.act(number(ActionCode::TogglePause));
    }
    while (frames.load() < 10)
        std::this_thread::yield();
    done.store(true);
    live.join();
    EXPECT_FALSE(h.app->loopError().has_value());
    EXPECT_FALSE(h.app->player().mainPlaying()) << "the third pause holds";
}
