#pragma once

#include "base/ActionQueue.h"
#include "app/BackBuffer.h"
#include "audio/AudioEngine.h"
#include "audio/Player.h"
#include "audio/Tracklist.h"
#include "skin/ArchiveWriter.h"
#include "elements/Page.h"
#include "elements/PageContext.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/ManualClock.h"
#include "resources/DataArchive.h"
#include "resources/ImageLoadContext.h"

#include "support/BmpBuilder.h"

#include <windlecroft/plugin.h>

#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace windlecroft::test {

/** The colour of pixel (x, y) of the test pictures: red names the picture, green x, blue y. */
inline std::uint32_t pictureColour(std::uint8_t tag, int x, int y)
{
    return static_cast<std::uint32_t>(tag) << 16 | static_cast<std::uint32_t>(x & 0xFF) << 8
        | static_cast<std::uint32_t>(y & 0xFF);
}

/** A 24-bit BMP of width x height whose pixels are pictureColour(tag, x, y). */
inline std::vector<std::uint8_t> picture(int width, int height, std::uint8_t tag)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(rowBytes * height), 0);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        std::uint8_t* row = data.data() + static_cast<std::size_t>((height - 1 - y) * rowBytes);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = pictureColour(tag, x, y);
            row[x * 3] = static_cast<std::uint8_t>(colour);
            row[x * 3 + 1] = static_cast<std::uint8_t>(colour >> 8);
            row[x * 3 + 2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    return BmpBuilder(width, height, 24).pixels(data).build();
}

/** Per channel (src · a + dst · (255 − a) + 127) / 255, as the back buffer blends. */
inline std::uint32_t blended(std::uint32_t source, std::uint32_t destination, int alpha)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int s = static_cast<int>(source >> shift & 0xFF);
        const int d = static_cast<int>(destination >> shift & 0xFF);
        out |= static_cast<std::uint32_t>((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

/**
 * Everything a page needs, without an Application: a manual clock, a back buffer on a headless
 * desktop, a player over a null engine and an archive holding the pictures "normal.bmp",
 * "pressed.bmp" and "highlight.bmp" (with their tags), each width x height, and the
 * knobs "knob20x10.bmp" and "knob10x16.bmp".
 */
class PageRig {
public:
    static constexpr int width = 64;
    static constexpr int height = 48;
    // Far apart, so that even a blend at alpha 2 changes the red channel.
    static constexpr std::uint8_t normalTag = 0x10;
    static constexpr std::uint8_t pressedTag = 0x80;
    static constexpr std::uint8_t highlightTag = 0xF0;

    PageRig()
    {
        ArchiveWriter pictures;
        pictures.add("normal.bmp", picture(width, height, normalTag));
        pictures.add("pressed.bmp", picture(width, height, pressedTag));
        pictures.add("highlight.bmp", picture(width, height, highlightTag));
        pictures.add("knob20x10.bmp", picture(20, 10, 9));
        pictures.add("knob10x16.bmp", picture(10, 16, 9));
        archive.openBytes(pictures.bytes());
        backBuffer.create(width, height);
        pluginSurface = {backBuffer.surface().data(), backBuffer.width(), backBuffer.height(),
                         backBuffer.surface().stride()};
        pluginRecord.surface = &pluginSurface;
    }

    ImageLoadContext images() { return {archive, false, windowWidth, diagnostics}; }

    /** A page with the three pictures (or the ones named). */
    std::unique_ptr<Page> makePage(std::string normal = "normal.bmp", std::string pressed = "pressed.bmp",
                                   std::string highlight = "highlight.bmp")
    {
        return std::make_unique<Page>(context, normal, pressed, highlight, false, images());
    }

    /** The actions posted so far in posting order; empties the queue. */
    std::vector<Action> posted()
    {
        std::vector<Action> out;
        while (auto action = actions.take())
            out.insert(out.begin(), *action);
        return out;
    }

    /** The actions posted so far in the order the frame update carries them out (last posted first). */
    std::vector<Action> carriedOut()
    {
        std::vector<Action> out;
        while (auto action = actions.take())
            out.push_back(*action);
        return out;
    }

    std::uint32_t pixel(int x, int y) const { return backBuffer.surface().pixel(x, y); }
    void fill(std::uint32_t colour)
    {
        for (int y = 0; y < backBuffer.height(); ++y)
            for (int x = 0; x < backBuffer.width(); ++x)
                backBuffer.surface().setPixel(x, y, colour);
    }

    ManualClock clock;
    HeadlessDesktop desktop{clock, false};
    std::ostringstream diagnostics;
    AudioEngine engine{diagnostics};
    DataArchive archive;
    ActionQueue actions;
    Tracklist playlist;
    std::uint16_t publishedIndex = 0;
    Player player{engine, archive, playlist, publishedIndex};
    BackBuffer backBuffer{desktop};
    std::uint16_t highlightStep = 5;
    int windowWidth = width;
    int windowHeight = height;
    WindlecroftSurface pluginSurface{};
    WindlecroftPluginContext pluginRecord{};
    Canvas scratch;
    PageContext context{actions, clock, highlightStep, windowWidth, windowHeight, player, backBuffer, scratch, pluginRecord};
};

} // namespace windlecroft::test
