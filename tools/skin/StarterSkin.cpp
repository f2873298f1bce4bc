#include "skin/StarterSkin.h"

#include "music/ToneEncoder.h"
#include "skin/PngEncoder.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace windlecroft::skin {

namespace {

constexpr int width = 360;
constexpr int height = 500;

struct Box {
    int left, top, right, bottom; // inclusive, as skin rectangles are
};

// The buttons of the page, in the order of skin.toml's records.
constexpr std::array<Box, 3> buttons{{{50, 300, 129, 359}, {140, 300, 219, 359}, {230, 300, 309, 359}}};
// The strip under the player's track title, which it draws at (51, 462).
constexpr Box titleStrip{40, 452, 319, 489};
constexpr int cornerRadius = 28;

struct Colour {
    std::uint8_t r, g, b;
};

// A picture of the window's size that the page's pictures are painted on.
class Painter {
public:
    Painter() { picture_ = RgbaPicture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4, 255), false}; }

    void set(int x, int y, Colour c)
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return;
        std::uint8_t* p = picture_.rgba.data() + (std::size_t(y) * width + std::size_t(x)) * 4;
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void fill(const Box& box, Colour c)
    {
        for (int y = box.top; y <= box.bottom; ++y)
            for (int x = box.left; x <= box.right; ++x)
                set(x, y, c);
    }
    // Points (x, y) inside box where inside(u, v) holds for u, v in 0..1 across the box.
    template <typename Shape>
    void shape(const Box& box, Colour c, Shape inside)
    {
        for (int y = box.top; y <= box.bottom; ++y) {
            for (int x = box.left; x <= box.right; ++x) {
                const double u = (x - box.left + 0.5) / (box.right - box.left + 1);
                const double v = (y - box.top + 0.5) / (box.bottom - box.top + 1);
                if (inside(u, v))
                    set(x, y, c);
            }
        }
    }
    const RgbaPicture& picture() const { return picture_; }

private:
    RgbaPicture picture_;
};

bool inPlayTriangle(double u, double v)
{
    return u >= 0.36 && u <= 0.68 && std::abs(v - 0.5) <= (0.68 - u) * 0.75;
}

bool inNextSymbol(double u, double v)
{
    const bool triangle = u >= 0.30 && u <= 0.58 && std::abs(v - 0.5) <= (0.58 - u) * 0.85;
    const bool bar = u >= 0.62 && u <= 0.70 && v >= 0.26 && v <= 0.74;
    return triangle || bar;
}

bool inQuitCross(double u, double v)
{
    const bool inside = u >= 0.32 && u <= 0.68 && v >= 0.26 && v <= 0.74;
    const double x = (u - 0.5) * 80, y = (v - 0.5) * 60; // pixels from the centre
    return inside && (std::abs(x - y) <= 3.5 || std::abs(x + y) <= 3.5);
}

RgbaPicture panel(bool pressed)
{
    Painter painter;
    for (int y = 0; y < height; ++y) {
        const double t = static_cast<double>(y) / (height - 1);
        const Colour row{static_cast<std::uint8_t>(48 - 28 * t), static_cast<std::uint8_t>(72 - 40 * t),
                         static_cast<std::uint8_t>(110 - 50 * t)};
        painter.fill({0, y, width - 1, y}, row);
    }
    painter.fill({40, 60, 319, 259}, {28, 40, 62});
    painter.fill({44, 64, 315, 255}, {64, 96, 140});
    const Colour face = pressed ? Colour{36, 64, 104} : Colour{86, 130, 186};
    const Colour symbol = pressed ? Colour{200, 210, 225} : Colour{245, 247, 250};
    const std::array<bool (*)(double, double), 3> symbols{inPlayTriangle, inNextSymbol, inQuitCross};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const Box& b = buttons[i];
        painter.fill(b, {20, 30, 48});
        painter.fill({b.left + 2, b.top + 2, b.right - 2, b.bottom - 2}, face);
        painter.shape(b, symbol, symbols[i]);
    }
    painter.fill(titleStrip, {236, 232, 220});
    return painter.picture();
}

// The window's shape: a rectangle with rounded corners, as alpha.
RgbaPicture shape()
{
    RgbaPicture mask{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4, 0), true};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int dx = std::max({cornerRadius - x, x - (width - 1 - cornerRadius), 0});
            const int dy = std::max({cornerRadius - y, y - (height - 1 - cornerRadius), 0});
            const bool inside = dx * dx + dy * dy <= cornerRadius * cornerRadius;
            mask.rgba[(std::size_t(y) * width + std::size_t(x)) * 4 + 3] = inside ? 255 : 0;
        }
    }
    return mask;
}

std::vector<std::uint8_t> tone(double frequency)
{
    music::Tone tone;
    tone.frequency = frequency;
    tone.seconds = 3.0;
    tone.amplitude = 0.3;
    return music::encodeTone(tone);
}

std::string box(const Box& b)
{
    return "[" + std::to_string(b.left) + ", " + std::to_string(b.top) + ", " + std::to_string(b.right) + ", " +
           std::to_string(b.bottom) + "]";
}

std::string source()
{
    return R"(# A new Windlecroft skin, written by windlecroft-skin new. Build and run it with
#   windlecroft-skin build THIS_FOLDER -o SKIN_FOLDER
#   windlecroft SKIN_FOLDER
# or see every change while you edit with
#   windlecroft-skin preview THIS_FOLDER
# docs/skin-format.md describes every key.

# The window: its title and its size in pixels. The pictures and the mask have this size.
title = "My skin"
width = )" + std::to_string(width) + R"(
height = )" + std::to_string(height) + R"(

# ---------------------------------------------------------------------------------------
# The archive: the files the player takes from windlecroft.dat. A picture is converted from
# PNG to what the end of its name asks for.

# The page's picture, and the same picture with its buttons pressed: while a button is held
# down, the player shows its rectangle from the pressed picture.
[[entry]]
name = 'Data\dzien.jpg'
picture = "art/panel.png"
quality = 92

[[entry]]
name = 'Data\dzien_p.bmp'
picture = "art/panel-pressed.png"

# The window's shape, one byte a pixel: a pixel belongs to the window where the picture's
# alpha is at least 128. The player needs this entry, under this name.
[[entry]]
name = 'Data\panel.rgn'
mask = "art/shape.png"

# ---------------------------------------------------------------------------------------
# The configuration, read in this order: what a page uses is defined before the page.

# The font the player draws the current track's title with, under the panel. It must be
# called "font"; the face is a font of the system, found by its name.
[[chunk]]
kind = "font"
name = "font"
face = "DejaVu Sans"
weight = 700
height = 16

# The page the player shows first.
[[chunk]]
kind = "start-scene"
scene = "dzien"

# The page: its pictures and what lies on them. "dzien" is also the page the player turns to
# for the first seven pieces of the playlist.
[[chunk]]
kind = "page"
name = "dzien"
normal = 'Data\dzien.jpg'
pressed = 'Data\dzien_p.bmp'
records = [
  # A button is a rectangle [left, top, right, bottom] of the window and the action a click runs.
  { kind = "button", rect = )" + box(buttons[0]) + R"(, action = "play" },
  { kind = "button", rect = )" + box(buttons[1]) + R"(, action = "next" },
  { kind = "button", rect = )" + box(buttons[2]) + R"(, action = "quit" },
  # Keys act while the window has the focus.
  { kind = "key", key = "space", action = "pause" },
  { kind = "key", key = "escape", action = "quit" },
]

# The playlist: music files beside the skin, named by their path; build copies them there.
# The player puts the entry read last at position 0, so "Low tone" plays first.
[[chunk]]
kind = "playlist"
tracks = [
  { name = "High tone", file = "music/high.ogg" },
  { name = "Low tone", file = "music/low.ogg" },
]
)";
}

} // namespace

std::vector<SourceFile> starterSkin()
{
    const std::string text = source();
    return {
        {"skin.toml", {text.begin(), text.end()}},
        {"art/panel.png", encodePng(panel(false))},
        {"art/panel-pressed.png", encodePng(panel(true))},
        {"art/shape.png", encodePng(shape())},
        {"music/low.ogg", tone(440.0)},
        {"music/high.ogg", tone(660.0)},
    };
}

} // namespace windlecroft::skin
