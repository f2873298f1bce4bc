#include "resources/FontCatalog.h"

#include "base/SkinLimits.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>

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

// Family names are compared as fontconfig compares them, without regard to case.
bool sameFamily(const std::string& a, const std::string& b)
{
    return FcStrCmpIgnoreCase(fcText(a), fcText(b)) == 0;
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

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Unicode names in a font's name table are UTF-16, big-endian. A lone surrogate becomes U+FFFD;
// a zero ends the name.
std::string utf16BigEndianToUtf8(const FT_Byte* text, FT_UInt length)
{
    std::string out;
    for (FT_UInt at = 0; at + 1 < length; at += 2) {
        char32_t code = static_cast<char32_t>(text[at] << 8 | text[at + 1]);
        if (code == 0)
            break;
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < length) {
            const char32_t low = static_cast<char32_t>(text[at + 2] << 8 | text[at + 3]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        if (code >= 0xD800 && code < 0xE000)
            code = 0xFFFD;
        appendUtf8(out, code);
    }
    return out;
}

// The family names a face states in its name table (UTF-8), the US English family name of the
// Windows records first, as the system the skins come from names a font. Fonts without a
// name table have only FreeType's family name.
std::vector<std::string> familyNames(FT_Face face)
{
    std::vector<std::pair<int, std::string>> ranked;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0 || !name.string)
            continue;
        if (name.name_id != TT_NAME_ID_FONT_FAMILY && name.name_id != TT_NAME_ID_TYPOGRAPHIC_FAMILY)
            continue;
        std::string text;
        if (name.platform_id == TT_PLATFORM_MICROSOFT || name.platform_id == TT_PLATFORM_APPLE_UNICODE) {
            text = utf16BigEndianToUtf8(name.string, name.string_len);
        } else if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN &&
                   std::all_of(name.string, name.string + name.string_len, [](FT_Byte b) { return b > 0 && b < 0x80; })) {
            text.assign(reinterpret_cast<const char*>(name.string), name.string_len);
        }
        if (text.empty())
            continue;
        const bool windowsEnglish =
            name.platform_id == TT_PLATFORM_MICROSOFT && name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES;
        ranked.emplace_back(windowsEnglish ? (name.name_id == TT_NAME_ID_FONT_FAMILY ? 0 : 1) : 2, std::move(text));
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> names;
    for (auto& entry : ranked) {
        if (std::find(names.begin(), names.end(), entry.second) == names.end())
            names.push_back(std::move(entry.second));
    }
    if (names.empty() && face->family_name && *face->family_name)
        names.emplace_back(face->family_name);
    return names;
}

// The OS/2 weight class, else the bold style flag. Some old fonts give the class as 1 to 9.
int weightOf(FT_Face face)
{
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF && os2->usWeightClass > 0) {
        const int weight = os2->usWeightClass < 10 ? os2->usWeightClass * 100 : os2->usWeightClass;
        return std::min(weight, 1000);
    }
    return (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
}

int openTypeWeight(int weight)
{
    return weight <= 0 ? 400 : std::min(weight, 1000);
}

} // namespace

FontCatalog::~FontCatalog()
{
    if (config_)
        FcConfigDestroy(config_);
    if (freetype_)
        FT_Done_FreeType(freetype_);
}

_FcConfig* FontCatalog::config()
{
    // The catalog's own configuration of the system's fonts.
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

FontCatalog::FontDataId FontCatalog::addFontData(std::span<const std::uint8_t> bytes, std::optional<FileRange> lying)
{
    FT_Library library = freetype();
    if (!library || bytes.empty())
        return 0;
    // The faces are read from the caller's bytes, which are kept only when they hold a font.
    std::vector<MemoryFace> faces;
    long faceCount = 1;
    for (long index = 0; index < faceCount && index < maxFacesPerFontFile; ++index) {
        FT_Face face = nullptr;
        if (FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), index, &face) != 0) {
            // Without the first face the number of faces is unknown.
            if (index == 0)
                break;
            continue;
        }
        faceCount = face->num_faces;
        MemoryFace described;
        described.index = static_cast<int>(index);
        described.families = familyNames(face);
        described.weight = weightOf(face);
        described.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
        FT_Done_Face(face);
        if (!described.families.empty())
            faces.push_back(std::move(described));
    }
    if (faces.empty())
        return 0;
    MemoryFont font;
    font.id = ++lastId_;
    font.data = lying ? std::make_shared<const FontBytes>(std::move(*lying))
                      : std::make_shared<const FontBytes>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    font.faces = std::move(faces);
    memoryFonts_.insert(memoryFonts_.begin(), std::move(font));
    return lastId_;
}

void FontCatalog::removeFontData(FontDataId id)
{
    std::erase_if(memoryFonts_, [id](const MemoryFont& font) { return font.id == id; });
}

std::optional<FontCatalog::Match> FontCatalog::match(std::string_view family, int weight)
{
    if (!family.empty()) {
        if (auto found = matchMemory(std::string(family), openTypeWeight(weight)))
            return found;
        if (auto found = matchFamily(family, weight, false))
            return found;
    }
    return matchFamily("sans-serif", weight, true);
}

std::optional<FontCatalog::Match> FontCatalog::matchMemory(const std::string& family, int weight) const
{
    // As fontconfig ranks them: an upright face before an italic one, then the closest weight.
    // The newest font wins a tie, and the first face of a font.
    const MemoryFont* bestFont = nullptr;
    const MemoryFace* best = nullptr;
    for (const MemoryFont& font : memoryFonts_) {
        for (const MemoryFace& face : font.faces) {
            if (std::none_of(face.families.begin(), face.families.end(),
                             [&family](const std::string& name) { return sameFamily(name, family); }))
                continue;
            if (best && (face.italic > best->italic ||
                         (face.italic == best->italic && std::abs(face.weight - weight) >= std::abs(best->weight - weight))))
                continue;
            best = &face;
            bestFont = &font;
        }
    }
    if (!best)
        return std::nullopt;
    Match match;
    match.data = bestFont->data;
    match.index = best->index;
    match.family = best->families.front();
    // Fontconfig's rule for synthetic bold: a bold weight asked of a face lighter than semi-bold.
    match.embolden = weight >= 600 && best->weight < 600;
    return match;
}

std::optional<FontCatalog::Match> FontCatalog::matchFamily(std::string_view family, int weight, bool acceptAnyFamily)
{
    FcConfig* fc = config();
    if (!fc)
        return std::nullopt;
    const std::string familyText(family);
    Pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, fcText(familyText));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(openTypeWeight(weight)));
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
