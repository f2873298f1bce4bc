#pragma once

#include "base/Rect.h"
#include "resources/Surface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FT_FaceRec_;

namespace windlecroft {

class FontBytes;

class FontCatalog;

/**
 * A typeface at one size for drawing skin text, made from a face name, a cell height and a
 * weight. Text is Windows-1250 bytes and is drawn anti-aliased on a transparent background.
 * The face is looked up in the catalog at first use (drawing, measuring, or asking for the
 * family, ascent or usability), so a font file installed after the Font was made still
 * provides its face, and a Font never used costs no face. The catalog must outlive the Font.
 */
class Font {
public:
    /** Face names longer than this many bytes are cut to it. */
    static constexpr std::size_t maxFaceLength = 31;
    /** The cell height used for a height of 0. */
    static constexpr int defaultCellHeight = 16;

    /**
     * Names the face to pick through the catalog: the family named by face (Windows-1250, cut
     * to 31 bytes) at the weight (100 to 900; 0 means normal), or the default sans-serif face
     * when face is empty or no font has that family. A positive height is the character cell's
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
    void drawText(Surface& target, int x, int y, std::string_view text, std::uint32_t colour) const;
    /** The same, drawing only the pixels inside clip (right and bottom exclusive). */
    void drawText(Surface& target, int x, int y, std::string_view text, std::uint32_t colour, const Rect& clip) const;
    /** The height of a line of text: the character cell. */
    int cellHeight() const;
    /** The advance of the text in pixels. */
    int textWidth(std::string_view text) const;

    /** False when no face could be opened; drawing then draws nothing. */
    bool usable() const { return opened().face != nullptr; }
    /** The face name asked for, cut to 31 bytes. */
    const std::string& requestedFace() const { return requestedFace_; }
    /** The family of the face in use (UTF-8). */
    const std::string& family() const { return opened().family; }
    int height() const { return height_; }
    int weight() const { return weight_; }
    /** Pixels from the cell's top to the baseline. */
    int ascent() const { return opened().ascent; }

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

    // The face in use and what is drawn with it, set up at first use.
    struct Opened {
        FT_FaceRec_* face = nullptr;
        // The bytes of a face a skin installed, and what the face reads through; both must
        // outlive the face.
        std::shared_ptr<const FontBytes> data;
        std::shared_ptr<void> stream;
        std::string family;
        int ascent = 0;
        bool embolden = false;
        // One entry per Windows-1250 byte, rendered when first drawn or measured.
        std::vector<std::optional<Glyph>> glyphs;
    };

    // Opens the face at the first call. That changes nothing a caller can see, so the const
    // getters may call it.
    Opened& opened() const;
    const Glyph& glyph(std::uint8_t character) const;

    FontCatalog& catalog_;
    std::string requestedFace_;
    int height_;
    int weight_;
    mutable std::optional<Opened> opened_;
};

} // namespace windlecroft
