#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace windlecroft::test {

/**
 * Skin folders as a stranger's download may hold them: files that are folders, FIFOs, links to
 * devices, huge sparse files, pictures and documents that claim gigabytes, names that reach
 * outside the skin. Each case builds its folder inside root: the skin in root/"skin", the
 * user's temporary folder in root/"tmp" (holding a file and a link the player must never
 * touch, see plantUserFiles) and anything else outside the skin directly in root.
 */
struct HostileSkin {
    std::string name;
    /** A line the player prints on stderr for it (its message, or the line of what it skipped). */
    std::string says;
    std::function<void(const std::filesystem::path& root)> build;
};

/** Every hostile case. pluginFile is a library that marks WINDLECROFT_PLUGIN_MARKER when loaded. */
std::vector<HostileSkin> hostileSkins(const std::filesystem::path& pluginFile);

/**
 * Puts the user's own files into root/"tmp": "krb5cc_1000" (a regular file) and "krb5cc_link"
 * (a link to root/"victim"); userFilesIntact says whether both and the link's target are
 * still exactly as planted.
 */
void plantUserFiles(const std::filesystem::path& root);
bool userFilesIntact(const std::filesystem::path& root);

} // namespace windlecroft::test
