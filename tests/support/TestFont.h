#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace windlecroft::test {

/** The family name of testFontFile(): no font of the system has it. */
inline constexpr const char* testFontFamily = "Windle Serif";

/**
 * DejaVu Serif (Debian's fonts-dejavu-core), its regular or its bold face, with its family
 * renamed to "Windle Serif", so that a test can tell the font from the archive from the
 * system's own fonts, whose default sans-serif face draws differently. The names are replaced
 * in place by others of the same length; nothing reads the table checksums.
 */
inline std::vector<std::uint8_t> testFontFile(bool bold = false)
{
    const char* path = bold ? "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
                            : "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("the tests need ") + path + " (Debian package fonts-dejavu-core)");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto replaceAll = [&bytes](const std::vector<std::uint8_t>& from, const std::vector<std::uint8_t>& to) {
        for (auto at = bytes.begin();
             (at = std::search(at, bytes.end(), from.begin(), from.end())) != bytes.end(); at += static_cast<long>(from.size()))
            std::copy(to.begin(), to.end(), at);
    };
    const std::string oldName = "DejaVu Serif";
    const std::string newName = testFontFamily;
    replaceAll({oldName.begin(), oldName.end()}, {newName.begin(), newName.end()});
    // The Windows name records are UTF-16, big-endian.
    std::vector<std::uint8_t> oldWide;
    std::vector<std::uint8_t> newWide;
    for (std::size_t i = 0; i < oldName.size(); ++i) {
        oldWide.insert(oldWide.end(), {0, static_cast<std::uint8_t>(oldName[i])});
        newWide.insert(newWide.end(), {0, static_cast<std::uint8_t>(newName[i])});
    }
    replaceAll(oldWide, newWide);
    return bytes;
}

} // namespace windlecroft::test
