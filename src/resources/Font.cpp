#include "resources/Font.h"

#include "resources/FontCatalog.h"
#include "base/TextEncoding.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>

namespace windlecroft {

namespace {

// Windows-1250 is a single-byte code page: the 256 characters are looked up once for the
// process, so drawing needs no conversion. A byte without a character shows as '?'.
std::array<char32_t, 256> decodeCodePage()
{
    std::string all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<char>(i);
    const std::string utf8 = decodeWindows1250(all);

    std::array<char32_t, 256> table{};
    std::size_t at = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (at >= utf8.size())
            return table;
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        for (int k = 1; k < length && at + static_cast<std::size_t>(k) < utf8.size(); ++k)
            code = code << 6 | (static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(k)]) & 0x3Fu);
        table[i] = code;
        at += static_cast<std::size_t>(length);
    }
    return table;
}

const std::array<char32_t, 256>& windows1250CodePoints()
{
    static const std::array<char32_t, 256> table = decodeCodePage();
    return table;
}

// The em size, in pixels, that gives the asked-for cell or em height, and the ascent in font
// units. The cell is the font's Windows ascent plus descent where it states them.
struct Scale {
    double emPixels = 0;
    double ascentUnits = 0;
};

Scale scaleFor(FT_Face face, int height)
{
    double ascent = face->ascender;
    double descent = -face->descender;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    }
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000.0;
    const double cellUnits = ascent + descent > 0 ? ascent + descent : unitsPerEm;
    const int cellHeight = height == 0 ? Font::defaultCellHeight : height;
    const double emPixels = cellHeight > 0 ? cellHeight * unitsPerEm / cellUnits : -cellHeight;
    return {emPixels, ascent};
}

} // namespace

Font::Font(FontCatalog& catalog, std::string_view face, int height, int weight, std::uint32_t value1,
           std::uint32_t value2, std::uint32_t value3, std::uint32_t value4)
    : value1(value1)
    , value2(value2)
    , value3(value3)
    , value4(value4)
    , catalog_(catalog)
    , requestedFace_(face.substr(0, std::min(face.size(), maxFaceLength)))
    , height_(height)
    , weight_(weight)
{
}

Font::~Font()
{
    if (opened_ && opened_->face)
        FT_Done_Face(opened_->face);
}

Font::Opened& Font::opened() const
{
    if (opened_)
        return *opened_;
    // Assigned rather than emplaced: clang takes the nested struct for not default-constructible.
    opened_ = Opened{};
    Opened& result = *opened_;
    const std::optional<FontCatalog::Match> match = catalog_.match(decodeWindows1250(requestedFace_), weight_);
    if (!match)
        return result;
    FT_Library library = catalog_.freetype();
    FT_Face face = nullptr;
    if (!library)
        return result;
    // A face from the archive is opened from the catalog's bytes, which the Font shares, so
    // withdrawing the font file later leaves this face intact.
    const FontCatalog::FontData& data = match->data;
    if (data) {
        FontBytes::Face opened = data->open(library, match->index);
        face = opened.face;
        result.stream = std::move(opened.stream);
    } else if (FT_New_Face(library, match->file.c_str(), match->index, &face) != 0) {
        face = nullptr;
    }
    if (!face)
        return result;
    result.face = face;
    result.data = data;
    result.family = match->family;
    result.embolden = match->embolden;
    result.glyphs.resize(256);

    if (FT_IS_SCALABLE(face)) {
        const Scale scale = scaleFor(face, height_);
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(scale.emPixels * 64)), 72, 72);
        result.ascent = static_cast<int>(std::lround(scale.ascentUnits * scale.emPixels / face->units_per_EM));
    } else if (face->num_fixed_sizes > 0) {
        // A bitmap font: the strike closest to the asked-for height.
        const int wanted = std::abs(height_ == 0 ? defaultCellHeight : height_);
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i) {
            if (std::abs(face->available_sizes[i].height - wanted) < std::abs(face->available_sizes[best].height - wanted))
                best = i;
        }
        FT_Select_Size(face, best);
        result.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    }
    return result;
}

const Font::Glyph& Font::glyph(std::uint8_t character) const
{
    // Only called once the face is open.
    Opened& open = opened();
    FT_Face face = open.face;
    std::optional<Glyph>& cached = open.glyphs[character];
    if (cached)
        return *cached;
    // Assigned rather than emplaced: clang takes Glyph for not default-constructible inside Font.
    cached = Glyph{};
    Glyph& glyph = *cached;
    const FT_UInt index = FT_Get_Char_Index(face, windows1250CodePoints()[character]);
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (open.embolden)
        FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = slot->advance.x;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)
        return glyph;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows));
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    const int maxGray = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.width);
        for (int col = 0; col < glyph.width; ++col) {
            out[col] = mono ? ((source[col >> 3] >> (7 - (col & 7))) & 1 ? 255 : 0)
                            : static_cast<std::uint8_t>(source[col] * 255 / maxGray);
        }
    }
    return glyph;
}

int Font::textWidth(std::string_view text) const
{
    if (!usable())
        return 0;
    std::int64_t pen = 0;
    for (char c : text)
        pen += glyph(static_cast<std::uint8_t>(c)).advance;
    return static_cast<int>((pen + 32) >> 6);
}

void Font::drawText(Surface& target, int x, int y, std::string_view text, std::uint32_t colour) const
{
    drawText(target, x, y, text, colour, {0, 0, target.width(), target.height()});
}

int Font::cellHeight() const
{
    if (height_ > 0)
        return height_;
    if (height_ == 0)
        return defaultCellHeight;
    const FT_FaceRec_* face = opened().face;
    return face && face->size ? static_cast<int>((face->size->metrics.ascender - face->size->metrics.descender + 63) >> 6)
                              : -height_;
}

void Font::drawText(Surface& target, int x, int y, std::string_view text, std::uint32_t colour, const Rect& clip) const
{
    if (!usable())
        return;
    const std::int64_t clipLeft = std::max(0, clip.left);
    const std::int64_t clipTop = std::max(0, clip.top);
    const std::int64_t clipRight = std::min<std::int64_t>(target.width(), clip.right);
    const std::int64_t clipBottom = std::min<std::int64_t>(target.height(), clip.bottom);
    // 0x00BBGGRR, the colour order of the skin format.
    const std::uint32_t red = colour & 0xFF;
    const std::uint32_t green = (colour >> 8) & 0xFF;
    const std::uint32_t blue = (colour >> 16) & 0xFF;
    const std::int64_t baseline = static_cast<std::int64_t>(y) + ascent();
    std::int64_t pen = static_cast<std::int64_t>(x) * 64;
    for (char c : text) {
        const Glyph& g = glyph(static_cast<std::uint8_t>(c));
        const std::int64_t left = ((pen + 32) >> 6) + g.left;
        const std::int64_t top = baseline - g.top;
        pen += g.advance;
        const std::int64_t colBegin = std::max<std::int64_t>(0, clipLeft - left);
        const std::int64_t colEnd = std::min<std::int64_t>(g.width, clipRight - left);
        const std::int64_t rowBegin = std::max<std::int64_t>(0, clipTop - top);
        const std::int64_t rowEnd = std::min<std::int64_t>(g.rows, clipBottom - top);
        for (std::int64_t row = rowBegin; row < rowEnd; ++row) {
            const std::uint8_t* coverage = g.coverage.data() + row * g.width;
            std::uint32_t* out = target.row(static_cast<int>(top + row));
            for (std::int64_t col = colBegin; col < colEnd; ++col) {
                const std::uint32_t a = coverage[col];
                if (a == 0)
                    continue;
                std::uint32_t& pixel = out[left + col];
                const std::uint32_t d = pixel;
                const std::uint32_t r = (red * a + ((d >> 16) & 0xFF) * (255 - a) + 127) / 255;
                const std::uint32_t gr = (green * a + ((d >> 8) & 0xFF) * (255 - a) + 127) / 255;
                const std::uint32_t b = (blue * a + (d & 0xFF) * (255 - a) + 127) / 255;
                pixel = r << 16 | gr << 8 | b;
            }
        }
    }
}

} // namespace windlecroft
