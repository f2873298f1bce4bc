// Seeds of the text targets: documents wrapped at the viewer's width with the short cases that
// show where lines break, and skin sources (the demo skin's and a small one).
#include "Seeds.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string_view>

namespace windlecroft::fuzz {

namespace {

std::vector<std::uint8_t> wrapInput(std::uint8_t width, std::string_view text)
{
    std::vector<std::uint8_t> out(text.size() + 1);
    out[0] = width;
    std::copy(text.begin(), text.end(), out.begin() + 1);
    return out;
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

// A source with each kind of archive entry and the chunks the demo skin leaves out.
constexpr std::string_view smallSource = R"(title = "Seed"
width = 40
height = 30

[[entry]]
name = 'Data\dzien.jpg'
picture = "pictures/dzien.png"
quality = 50

[[entry]]
name = 'Data\knob.bmp'
picture = "pictures/knob.png"

[[entry]]
name = 'Data\panel.rgn'
mask = "masks/panel.png"

[[entry]]
name = 'Data\intro.rgn'
mask = "masks/intro.png"
key = "#FFFFFF"

[[entry]]
name = 'Data\readme.txt'
text = "Read me."

[[entry]]
name = 'Data\tune.xm'
file = "sounds/tune.xm"

[[chunk]]
kind = "start-scene"
scene = "dzien"

[[chunk]]
kind = "raw"
id = 28672
hex = "AABB"

[[chunk]]
kind = "tray-menu"
tip = "Seed"
items = [{ text = "Play", action = "play" }, { text = "Quit", action = "quit" }]

[[chunk]]
kind = "font"
name = "font"
face = "DejaVu Sans"
weight = 400
height = 10

[[chunk]]
kind = "page"
name = "dzien"
normal = 'Data\dzien.jpg'
records = [
  { kind = "text-list", rect = [0, 0, 20, 20], mode = 0, font = "font", row-height = 5 },
  { kind = "slider", rect = [22, 0, 38, 4], release-only = false, orientation = 0, knob = 'Data\knob.bmp', id = 8193 },
  { kind = "text-viewer", rect = [0, 0, 20, 20], font = "font", row-height = 5 },
  { kind = "document", title = "Read me", file = 'Data\readme.txt' },
  { kind = "raw", id = 16720, hex = "01020304" },
]
)";

} // namespace

SeedSet textWrapSeeds()
{
    return {
        {"document", wrapInput(28, "The player reads its documents from the archive and wraps them at twenty-eight "
                                   "bytes.\r\nA carriage return is an ordinary byte.\n\nEmpty lines stay.\n")},
        {"long-word", wrapInput(28, "short averyveryverylongwordwithoutanyspaceinsideitatall then more words")},
        {"space-at-break", wrapInput(4, "abcd efgh")},
        {"no-space", wrapInput(4, "abcdef")},
        {"spaces-only", wrapInput(3, "         ")},
        {"width-zero", wrapInput(0, "a b\nc")},
    };
}

SeedSet skinSourceSeeds()
{
    SeedSet seeds{{"small", bytesOf(smallSource)}};
    std::ifstream demo(WINDLECROFT_DEMO_SKIN_SOURCE, std::ios::binary);
    if (demo)
        seeds.emplace_back("demo", std::vector<std::uint8_t>(std::istreambuf_iterator<char>(demo), {}));
    return seeds;
}

} // namespace windlecroft::fuzz
