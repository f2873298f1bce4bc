#include "audio/PlaylistFile.h"

#include "base/TextEncoding.h"

#include <algorithm>
#include <string>

namespace windlecroft {

namespace {

std::string withSlashes(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

} // namespace

std::vector<std::string> playlistFileNames(std::string_view name)
{
    const std::string raw(name);
    const std::string utf8 = decodeWindows1250(name);
    std::vector<std::string> names;
    for (const std::string& candidate : {raw, utf8, withSlashes(raw), withSlashes(utf8)}) {
        if (std::find(names.begin(), names.end(), candidate) == names.end())
            names.push_back(candidate);
    }
    return names;
}

std::filesystem::path playlistFile(std::string_view name)
{
    for (const std::string& candidate : playlistFileNames(name)) {
        std::error_code ignored;
        if (std::filesystem::exists(candidate, ignored))
            return candidate;
    }
    return decodeWindows1250(name);
}

} // namespace windlecroft
