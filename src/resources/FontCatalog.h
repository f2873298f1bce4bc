#pragma once

#include "resources/FontBytes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct _FcConfig;
struct FT_LibraryRec_;

namespace windlecroft {

/**
 * The typefaces the player can draw with: the font files a skin installs, held in memory, and
 * the system's fonts, and the FreeType library that opens them. Each Application owns one, so
 * nothing of it is shared between players in one process. Nothing is set up until first needed.
 */
class FontCatalog {
public:
    /** The bytes of a font file a skin installed; faces opened from them share ownership. */
    using FontData = std::shared_ptr<const FontBytes>;
    /** Names one addFontData(); 0 names nothing. */
    using FontDataId = std::uint64_t;

    FontCatalog() = default;
    ~FontCatalog();
    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;

    /**
     * Makes every face FreeType can open in a font file's bytes available to match(), ahead of
     * the faces added before it and of the system's fonts. The catalog keeps a copy of the
     * bytes, or only where they lie when a file range holding them is given. Gives 0, and keeps
     * nothing, when no face can be opened.
     */
    FontDataId addFontData(std::span<const std::uint8_t> bytes, std::optional<FileRange> lying = std::nullopt);
    /** Withdraws one earlier addition: Fonts resolved afterwards no longer get its faces. */
    void removeFontData(FontDataId id);
    /** The number of additions currently in the catalog. */
    std::size_t fontDataCount() const { return memoryFonts_.size(); }

    /**
     * A face to open: a system font file and the index of the face inside it, or, for a font
     * file added with addFontData(), its bytes and the index.
     */
    struct Match {
        /** The system font's path; empty for a face held in memory. */
        std::string file;
        /** The bytes of a font added with addFontData(); empty for a system font. */
        FontData data;
        int index = 0;
        /** The family name of the face, as the font states it. */
        std::string family;
        /** True when the face is lighter than asked for and should be emboldened. */
        bool embolden = false;
    };
    /**
     * The best face of this family (UTF-8, compared without regard to case) for a weight of
     * 100 to 900 (0 means 400), upright where the family has one. Faces added with
     * addFontData() come first, the newest addition winning a tie; then the system's fonts. An
     * empty family, or one no font has, gives the system's default sans-serif face. Nothing
     * only when the system has no fonts at all.
     */
    std::optional<Match> match(std::string_view family, int weight);

    /** The FreeType library faces are opened with; it lives as long as the catalog. */
    FT_LibraryRec_* freetype();

private:
    // What the catalog knows of one face of a font held in memory.
    struct MemoryFace {
        int index = 0;
        // Every family name the font states for the face (UTF-8), FreeType's first.
        std::vector<std::string> families;
        // 1 to 1000, as in the OpenType OS/2 table.
        int weight = 400;
        bool italic = false;
    };
    struct MemoryFont {
        FontDataId id = 0;
        FontData data;
        std::vector<MemoryFace> faces;
    };

    _FcConfig* config();
    std::optional<Match> matchMemory(const std::string& family, int weight) const;
    std::optional<Match> matchFamily(std::string_view family, int weight, bool acceptAnyFamily);

    _FcConfig* config_ = nullptr;
    FT_LibraryRec_* freetype_ = nullptr;
    // Newest first.
    std::vector<MemoryFont> memoryFonts_;
    FontDataId lastId_ = 0;
};

} // namespace windlecroft
