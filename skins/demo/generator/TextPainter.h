#pragma once

#include "Canvas.h"
#include "resources/Font.h"
#include "resources/FontCatalog.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace windlecroft::demo {

/**
 * Writes UTF-8 text into pictures with the player's own font code, so that labels look as the
 * title the player draws. Fonts are DejaVu Sans in any cell height and weight, taken from the
 * given font files.
 */
class TextPainter {
public:
    /** regular and bold: the DejaVu Sans font files. */
    TextPainter(const std::filesystem::path& regular, const std::filesystem::path& bold);

    enum class Align { Left, Centre, Right };

    /** Draws text with the top of its cell at y; x is its left edge, centre or right edge. */
    void draw(Canvas& canvas, int x, int y, std::string_view utf8, Colour colour, int height, bool bold = false,
              Align align = Align::Left);
    int width(std::string_view utf8, int height, bool bold = false);
    /** The width of text already in Windows-1250, as the player measures a document's line. */
    int widthOfWindows1250(std::string_view text, int height, bool bold = false);

private:
    Font& font(int height, bool bold);

    FontCatalog catalog_;
    std::map<std::pair<int, bool>, std::unique_ptr<Font>> fonts_;
};

/** The text in Windows-1250, the code page of the skin's texts; throws when it has no form there. */
std::string toWindows1250(std::string_view utf8);

} // namespace windlecroft::demo
