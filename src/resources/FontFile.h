#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace windlecroft {

class DataArchive;
class FontCatalog;

/**
 * A font file from the archive, installed for the lifetime of the object: copied into the
 * catalog's temporary folder under the last backslash-separated part of its archive name and
 * added to the catalog. Destroying it withdraws the font and deletes the copy.
 */
class FontFile {
public:
    /**
     * Installs the archive entry archiveName. Throws the archive's "can't find file ... in
     * datafile" when there is no such entry; a copy that cannot be written is skipped silently
     * and the FontFile then installs nothing. So is one whose name would put it outside the
     * temporary folder (a last part holding '/', or "." or "..").
     */
    FontFile(FontCatalog& catalog, const DataArchive& archive, std::string_view archiveName);
    ~FontFile();
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    /** The archive name's part after its last backslash. */
    const std::string& fileName() const { return fileName_; }
    /** The installed copy; empty when nothing was installed. */
    const std::filesystem::path& path() const { return path_; }
    bool installed() const { return !path_.empty(); }

private:
    FontCatalog& catalog_;
    std::string fileName_;
    std::filesystem::path path_;
};

} // namespace windlecroft
