// spectrum: draws the playing music's spectrum as a row of bars in a box near the bottom right
// of the window.
//
// A skin has the player call draw() in one of two ways. Attached to a page by a `plugin`
// record, the plugin draws only while that page is blended during a cross-fade, over the
// blended pixels, so the bars flash up between two panel pages (twice in each frame when both
// pages attach it). Named by a page's `live-plugin` record, as the demo skin does, it draws on
// every frame of that page, at most 25 times a second, and with while-playing only while the
// music plays; before each call the page puts its own pixels back under the record's
// rectangle, so each call paints one whole frame of bars, inside that rectangle only. The
// demo's pages give the box below as that rectangle.
//
// A cap above each bar falls slowly after a loud moment. It falls by the time that has passed,
// on the plugin's own clock, so it falls alike at any number of calls a second, and two calls
// in one frame (a cross-fade's two pages) do not make it fall faster.
//
// The bars take the colours of the page the playing track belongs to in the player's fixed
// table (positions 0-6 day, 7-12 evening, 13-16 night), which during a cross-fade is the page
// being faded in. A skin can choose them itself for the frames of a switch it starts with
// action 0x7001 ("plugin-command"): 1 day, 2 evening, 3 night.
#include <windlecroft/plugin.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace {

// The box the bars fill, in the coordinates of a 600 × 510 window; other window sizes scale it.
constexpr float designWidth = 600.0f;
constexpr float designHeight = 510.0f;
constexpr float boxLeft = 424.0f;
constexpr float boxTop = 446.0f;
constexpr float boxRight = 556.0f;
constexpr float boxBottom = 488.0f;

constexpr int barCount = 16;
constexpr int binCount = 512;
constexpr float floorDb = -60.0f;
// How far a cap falls in a second, in full bar heights.
constexpr float capFallPerSecond = 1.0f;

struct BarColours {
    std::uint32_t low;  // colour at the foot of a bar
    std::uint32_t high; // colour at a full bar's top
    std::uint32_t peak; // the falling cap above each bar
};

constexpr BarColours styles[] = {
    {0x00C8841E, 0x00FFE27A, 0x00FFFFF0}, // day: amber to sunlight
    {0x00B0305A, 0x00FF9A4A, 0x00FFE0C8}, // evening: rose to orange
    {0x00284CB4, 0x0078E6FF, 0x00E8F6FF}, // night: deep blue to ice
};

std::uint32_t mix(std::uint32_t a, std::uint32_t b, int weight) // weight 0..255 towards b
{
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        result |= static_cast<std::uint32_t>((ca * (255 - weight) + cb * weight + 127) / 255) << shift;
    }
    return result;
}

// Bands widen towards the treble, as hearing does: bin edges grow geometrically from 1 to 511.
// Worked out once, not on every frame.
const std::array<int, barCount + 1>& bandEdges()
{
    static const std::array<int, barCount + 1> edges = [] {
        std::array<int, barCount + 1> result{};
        for (int i = 0; i <= barCount; ++i)
            result[static_cast<std::size_t>(i)] = std::clamp(
                static_cast<int>(std::lround(std::pow(static_cast<float>(binCount - 1), static_cast<float>(i) / barCount))), 1,
                binCount - 1);
        return result;
    }();
    return edges;
}

// Loudness of a band as 0..1: the strongest bin in decibels, -60 dB and below counting as 0.
float bandLevel(const float* spectrum, int bar)
{
    const auto& edges = bandEdges();
    const int first = edges[static_cast<std::size_t>(bar)];
    const int last = std::max(first, edges[static_cast<std::size_t>(bar) + 1] - 1);
    float strongest = 0.0f;
    for (int bin = first; bin <= last; ++bin)
        strongest = std::max(strongest, spectrum[bin]);
    if (strongest <= 0.0f)
        return 0.0f;
    const float db = 20.0f * std::log10(strongest);
    return std::clamp((db - floorDb) / -floorDb, 0.0f, 1.0f);
}

class FrequencyBarsPlugin : public WindlecroftPlugin {
public:
    void start(WindlecroftPluginContext*) override
    {
        peaks_.fill(0.0f);
        drawnBefore_ = false;
    }

    void draw(WindlecroftPluginContext* context) override
    {
        const WindlecroftSurface* surface = context->surface;
        if (surface == nullptr || surface->pixels == nullptr || surface->width <= 0 || surface->height <= 0)
            return;

        const float sx = static_cast<float>(surface->width) / designWidth;
        const float sy = static_cast<float>(surface->height) / designHeight;
        const int left = static_cast<int>(boxLeft * sx);
        const int top = static_cast<int>(boxTop * sy);
        const int right = static_cast<int>(boxRight * sx);
        const int bottom = static_cast<int>(boxBottom * sy);
        const int height = bottom - top;
        const float pitch = static_cast<float>(right - left) / barCount;
        if (height <= 2 || pitch < 2.0f)
            return;

        const float fall = capFallPerSecond * secondsSinceLastDraw();
        const BarColours& colours = styles[styleOf(*context)];
        std::array<Bar, barCount> bars{};
        for (int bar = 0; bar < barCount; ++bar) {
            const float level = context->playing && context->spectrum ? bandLevel(context->spectrum, bar) : 0.0f;
            peaks_[bar] = std::max(level, peaks_[bar] - fall);
            bars[bar].x0 = left + static_cast<int>(bar * pitch);
            bars[bar].x1 = left + static_cast<int>((bar + 1) * pitch) - 2; // the last pixel; one of gap before the next bar
            bars[bar].filled = static_cast<int>(level * static_cast<float>(height - 2));
            bars[bar].cap = bottom - 1 - static_cast<int>(peaks_[bar] * static_cast<float>(height - 2));
        }
        // Row by row, so that a row's shade of the gradient is worked out once for all bars.
        for (int y = std::max(top, 0); y < std::min(bottom, surface->height); ++y) {
            const int fromFoot = bottom - 1 - y;
            const std::uint32_t shade = mix(colours.low, colours.high, fromFoot * 255 / std::max(1, height - 1));
            for (const Bar& bar : bars) {
                if (y == bar.cap || y == bar.cap - 1)
                    paintRow(*surface, bar.x0, bar.x1, y, colours.peak, 230);
                else if (fromFoot < bar.filled)
                    paintRow(*surface, bar.x0, bar.x1, y, shade, 210);
            }
        }
    }

private:
    // The time since the previous call, at most a second; none at the first call.
    float secondsSinceLastDraw()
    {
        const auto now = std::chrono::steady_clock::now();
        const float seconds = drawnBefore_ ? std::chrono::duration<float>(now - lastDraw_).count() : 0.0f;
        lastDraw_ = now;
        drawnBefore_ = true;
        return std::clamp(seconds, 0.0f, 1.0f);
    }

    static int styleOf(const WindlecroftPluginContext& context)
    {
        if (context.pluginCommand >= 1 && context.pluginCommand <= 3)
            return context.pluginCommand - 1;
        if (context.trackNameCount > 0)
            return context.currentIndex <= 6 ? 0 : context.currentIndex <= 12 ? 1 : 2;
        // No playlist: the page shown, by its initial.
        const char initial = windlecroft_string_text(&context.pageName)[0];
        return initial == 'w' ? 1 : initial == 'n' ? 2 : 0;
    }

    // Blends colour over a row's pixels, red and blue in one step and green in another, with the
    // same rounding as mix().
    static void paintRow(const WindlecroftSurface& surface, int x0, int x1, int y, std::uint32_t colour, int alpha)
    {
        const auto weight = static_cast<std::uint32_t>(alpha);
        const std::uint32_t keep = 255 - weight;
        const std::uint32_t addRedBlue = (colour & 0xFF00FFu) * weight + 0x007F007Fu;
        const std::uint32_t addGreen = ((colour >> 8) & 0xFFu) * weight + 127u;
        std::uint32_t* row = surface.pixels + static_cast<std::ptrdiff_t>(y) * surface.stride;
        const int last = std::min(x1, surface.width - 1); // read once: the stores below may alias it
        for (int x = std::max(0, x0); x <= last; ++x) {
            // Each 16-bit lane stays below 65 536, so floor(v / 255) is (v + 1 + (v >> 8)) >> 8.
            const std::uint32_t redBlue = (row[x] & 0xFF00FFu) * keep + addRedBlue;
            const std::uint32_t green = ((row[x] >> 8) & 0xFFu) * keep + addGreen;
            row[x] = (((redBlue + 0x00010001u + ((redBlue >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu) |
                     (((green + 1 + (green >> 8)) >> 8) << 8);
        }
    }

    struct Bar {
        int x0, x1;  // first and last pixel
        int filled;  // rows lit from the foot
        int cap;     // the row of the cap's lower line
    };

    // Trivially destructible members only: the player frees the object's memory without running a destructor.
    std::array<float, barCount> peaks_{};
    std::chrono::steady_clock::time_point lastDraw_{};
    bool drawnBefore_ = false;
};

} // namespace

extern "C" __attribute__((visibility("default"))) void* PluginCreateProc(void)
{
    return WINDLECROFT_NEW_PLUGIN(FrequencyBarsPlugin);
}
