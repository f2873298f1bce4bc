#include "resources/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace windlecroft {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const FcChar8* fcText(const std::string& text)
{
    return reinterpret_cast<const FcChar8*>(text.c_str());
}

bool hasFamily(FcPattern* font, const std::string& family)
{
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (FcStrCmpIgnoreCase(name, fcText(family)) == 0)
            return true;
    }
    return false;
}

} // namespace

FontCatalog::FontCatalog(std::filesystem::path tempFolder) : tempFolder_(std::move(tempFolder)) {}

FontCatalog::~FontCatalog()
{
    if (config_)
        FcConfigDestroy(config_);
    if (freetype_)
        FT_Done_FreeType(freetype_);
}

std::filesystem::path FontCatalog::tempFolder() const
{
    if (!tempFolder_.empty())
        return tempFolder_;
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path{} : folder;
}

_FcConfig* FontCatalog::config()
{
    // The catalog's own configuration: the system's fonts, and application fonts that only
    // this catalog sees.
    if (!config_)
        config_ = FcInitLoadConfigAndFonts();
    return config_;
}

FT_LibraryRec_* FontCatalog::freetype()
{
    if (!freetype_ && FT_Init_FreeType(&freetype_) != 0)
        freetype_ = nullptr;
    return freetype_;
}

void FontCatalog::addFontFile(const std::filesystem::path& path)
{
    fontFiles_.push_back(path);
    if (FcConfig* fc = config())
        FcConfigAppFontAddFile(fc, fcText(path.string()));
}

void FontCatalog::removeFontFile(const std::filesystem::path& path)
{
    const auto found = std::find(fontFiles_.begin(), fontFiles_.end(), path);
    if (found == fontFiles_.end())
        return;
    fontFiles_.erase(found);
    // Fontconfig can only drop all application fonts at once; the others are added again.
    if (FcConfig* fc = config()) {
        FcConfigAppFontClear(fc);
        for (const std::filesystem::path& file : fontFiles_)
            FcConfigAppFontAddFile(fc, fcText(file.string()));
    }
}

std::optional<FontCatalog::Match> FontCatalog::match(std::string_view family, int weight)
{
    if (!family.empty()) {
        if (auto found = matchFamily(family, weight, false))
            return found;
    }
    return matchFamily("sans-serif", weight, true);
}

std::optional<FontCatalog::Match> FontCatalog::matchFamily(std::string_view family, int weight, bool acceptAnyFamily)
{
    FcConfig* fc = config();
    if (!fc)
        return std::nullopt;
    const std::string familyText(family);
    const int openTypeWeight = weight <= 0 ? 400 : std::min(weight, 1000);
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, fcText(familyText));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(openTypeWeight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(fc, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern font(FcFontMatch(fc, pattern.get(), &result));
    // Fontconfig always offers some face; only one of the family asked for is that family.
    if (!font || (!acceptAnyFamily && !hasFamily(font.get(), familyText)))
        return std::nullopt;

    Match match;
    FcChar8* file = nullptr;
    if (FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    match.file = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(font.get(), FC_INDEX, 0, &match.index);
    FcChar8* matchedFamily = nullptr;
    if (FcPatternGetString(font.get(), FC_FAMILY, 0, &matchedFamily) == FcResultMatch)
        match.family = reinterpret_cast<const char*>(matchedFamily);
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(font.get(), FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
        match.embolden = embolden == FcTrue;
    return match;
}

} // namespace windlecroft
