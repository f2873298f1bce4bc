#pragma once

#include "resources/Surface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

namespace windlecroft {

class FontCatalog;

/**
 * A typeface at one size for drawing skin text, made from a face name, a cell height and a
 * weight. Text is Windows-1250 bytes and is drawn anti-aliased on a transparent background.
 * The catalog must outlive the Font.
 */
class Font {
public:
    /** Face names longer than this many bytes are cut to it. */
    static constexpr std::size_t maxFaceLength = 31;
    /** The cell height used for a height of 0. */
    static constexpr int defaultCellHeight = 16;

    /**
     * Picks the face through the catalog: the family named by face (Windows-1250, cut to 31
     * bytes) at the weight (100 to 900; 0 means normal), or the default sans-serif face when
     * face is empty or no font has that family. A positive height is the character cell's
     * height in pixels (ascent plus descent), a negative one the em height. value1 to value4 are
     * kept as given.
     */
    Font(FontCatalog& catalog, std::string_view face, int height, int weight, std::uint32_t value1 = 0,
         std::uint32_t value2 = 0, std::uint32_t value3 = 0, std::uint32_t value4 = 0);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    /**
     * Draws text with the top-left of its first character cell at (x, y) in colour, given as
     * 0x00BBGGRR (red in the low byte). Pixels outside the surface are skipped. Each character
     * is rendered once and kept, so drawing the same text every frame allocates nothing.
     */
    void drawText(Surface& target, int x, int y, std::string_view text, std::uint32_t colour);
    /** The advance of the text in pixels. */
    int textWidth(std::string_view text);

    /** False when no face could be opened; drawing then draws nothing. */
    bool usable() const { return face_ != nullptr; }
    /** The face name asked for, cut to 31 bytes. */
    const std::string& requestedFace() const { return requestedFace_; }
    /** The family of the face in use (UTF-8). */
    const std::string& family() const { return family_; }
    int height() const { return height_; }
    int weight() const { return weight_; }
    /** Pixels from the cell's top to the baseline. */
    int ascent() const { return ascent_; }

    std::uint32_t value1;
    std::uint32_t value2;
    std::uint32_t value3;
    std::uint32_t value4;

private:
    struct Glyph {
        int left = 0;  // from the pen position to the bitmap's first column
        int top = 0;   // from the baseline up to the bitmap's first row
        int width = 0;
        int rows = 0;
        std::int64_t advance = 0; // 26.6 fixed point
        std::vector<std::uint8_t> coverage;
    };

    const Glyph& glyph(std::uint8_t character);

    std::string requestedFace_;
    std::string family_;
    int height_;
    int weight_;
    int ascent_ = 0;
    bool embolden_ = false;
    FT_FaceRec_* face_ = nullptr;
    std::array<char32_t, 256> codePoints_{};
    std::array<std::optional<Glyph>, 256> glyphs_;
};

} // namespace windlecroft
