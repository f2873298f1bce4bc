#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct _FcConfig;
struct FT_LibraryRec_;

namespace windlecroft {

/**
 * The typefaces the player can draw with: the system's fonts plus the font files a skin
 * installs, and the FreeType library that opens them. Each Application owns one, so nothing
 * of it is shared between players in one process. Nothing is set up until first needed.
 */
class FontCatalog {
public:
    /** Font files are copied into tempFolder; empty means the system's temporary folder. */
    explicit FontCatalog(std::filesystem::path tempFolder = {});
    ~FontCatalog();
    FontCatalog(const FontCatalog&) = delete;
    FontCatalog& operator=(const FontCatalog&) = delete;

    /** The folder font files are copied to; empty when the system names none that exists. */
    std::filesystem::path tempFolder() const;

    /** Makes the typefaces of this file available to match(); a path may be added twice. */
    void addFontFile(const std::filesystem::path& path);
    /** Withdraws one earlier addition of this path. */
    void removeFontFile(const std::filesystem::path& path);
    /** The paths currently added, oldest first (one entry per addition). */
    const std::vector<std::filesystem::path>& fontFiles() const { return fontFiles_; }

    /** A face to open: a font file and the index of the face inside it. */
    struct Match {
        std::string file;
        int index = 0;
        /** The family name of the face, as the font states it. */
        std::string family;
        /** True when the face is lighter than asked for and should be emboldened. */
        bool embolden = false;
    };
    /**
     * The best upright face of this family (UTF-8) for a weight of 100 to 900 (0 means 400).
     * An empty family, or one no font has, gives the default sans-serif face. Nothing only
     * when the system has no fonts at all.
     */
    std::optional<Match> match(std::string_view family, int weight);

    /** The FreeType library faces are opened with; it lives as long as the catalog. */
    FT_LibraryRec_* freetype();

private:
    _FcConfig* config();
    std::optional<Match> matchFamily(std::string_view family, int weight, bool acceptAnyFamily);

    std::filesystem::path tempFolder_;
    _FcConfig* config_ = nullptr;
    FT_LibraryRec_* freetype_ = nullptr;
    std::vector<std::filesystem::path> fontFiles_;
};

} // namespace windlecroft
