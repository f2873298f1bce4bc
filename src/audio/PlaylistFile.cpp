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

std::filesystem::path playlistFile(std::string_view name)
{
    const std::string raw(name);
    const std::string utf8 = decodeWindows1250(name);
    for (const std::string& candidate : {raw, utf8, withSlashes(raw), withSlashes(utf8)}) {
        std::error_code ignored;
        if (std::filesystem::exists(candidate, ignored))
            return candidate;
    }
    return utf8;
}

} // namespace windlecroft
