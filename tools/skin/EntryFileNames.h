#pragma once

#include <set>
#include <string>
#include <string_view>

namespace windlecroft::skin {

/**
 * Chooses where an archive entry is written as a file: its name with backslashes as folder
 * separators ("Data\noc.jpg" becomes "Data/noc.jpg"), decoded from Windows-1250. A name that
 * could leave the target folder or hit a file or folder chosen before (empty parts, "." and
 * "..", control characters, the same path twice, a file where a folder is needed) is written
 * flat as "#N-name" instead, N being the entry's number; '#' never begins a folder taken
 * from a name, so these cannot collide.
 */
class EntryFileNames {
public:
    /** The relative path for entry number (from 1) with the given archive name. */
    std::string choose(int number, std::string_view archiveName);

private:
    bool isFree(const std::string& path) const;
    void reserve(const std::string& path);

    std::set<std::string> files_;
    std::set<std::string> folders_;
};

} // namespace windlecroft::skin
