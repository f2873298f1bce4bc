#include "skin/EntryFileNames.h"

#include "base/TextEncoding.h"

#include <vector>

namespace windlecroft::skin {

namespace {

// File systems take names of up to 255 bytes; longer parts are written flat and cut.
constexpr std::size_t maxPart = 200;

// Characters kept in a file name; everything else becomes '_'. Bytes of 0x80 and above are
// the UTF-8 of letters such as 'ó' and stay.
bool safeCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80)
        return true;
    if (byte < 0x20 || byte == 0x7F)
        return false;
    return std::string_view(":*?\"<>|#").find(c) == std::string_view::npos;
}

std::string sanitise(std::string_view part)
{
    std::string out;
    for (char c : part)
        out += safeCharacter(c) ? c : '_';
    return out;
}

std::vector<std::string> parts(const std::string& name)
{
    std::vector<std::string> result;
    std::string part;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            result.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    result.push_back(part);
    return result;
}

} // namespace

bool EntryFileNames::isFree(const std::string& path) const
{
    if (files_.contains(path) || folders_.contains(path))
        return false;
    // No folder on the way may already be a file.
    for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        if (files_.contains(path.substr(0, slash)))
            return false;
    }
    return true;
}

void EntryFileNames::reserve(const std::string& path)
{
    files_.insert(path);
    for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
        folders_.insert(path.substr(0, slash));
}

std::string EntryFileNames::choose(int number, std::string_view archiveName)
{
    const std::string utf8 = decodeWindows1250(archiveName);
    bool usable = !utf8.empty();
    std::string path;
    for (const std::string& part : parts(utf8)) {
        if (part.empty() || part == "." || part == ".." || part.size() > maxPart || sanitise(part) != part)
            usable = false;
        path += (path.empty() ? "" : "/") + part;
    }
    if (!usable || !isFree(path)) {
        std::string flat = sanitise(utf8);
        for (char& c : flat) {
            if (c == '/' || c == '\\')
                c = '_';
        }
        if (flat.size() > maxPart) {
            // Cut on a character boundary so that the name stays valid UTF-8.
            std::size_t cut = maxPart;
            while (cut > 0 && (static_cast<unsigned char>(flat[cut]) & 0xC0) == 0x80)
                --cut;
            flat.resize(cut);
        }
        path = "#" + std::to_string(number) + "-" + flat;
    }
    reserve(path);
    return path;
}

} // namespace windlecroft::skin
