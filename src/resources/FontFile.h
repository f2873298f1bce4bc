#pragma once

#include "resources/FontCatalog.h"

#include <string>
#include <string_view>

namespace windlecroft {

class DataArchive;

/**
 * A font file from the archive, installed for the lifetime of the object: its bytes are copied
 * into the catalog, which draws its faces from memory. Nothing is written to disk, so the
 * entry's name decides no path. Destroying it withdraws the font from the catalog; Fonts that
 * already opened one of its faces keep their copy of the bytes.
 */
class FontFile {
public:
    /**
     * Installs the archive entry archiveName. Throws the archive's "can't find file ... in
     * datafile" when there is no such entry; an entry FreeType cannot open is skipped silently
     * and the FontFile then installs nothing.
     */
    FontFile(FontCatalog& catalog, const DataArchive& archive, std::string_view archiveName);
    ~FontFile();
    FontFile(const FontFile&) = delete;
    FontFile& operator=(const FontFile&) = delete;

    /** The archive name's part after its last backslash, kept for diagnostics only. */
    const std::string& fileName() const { return fileName_; }
    /** False when the entry held no face FreeType could open. */
    bool installed() const { return id_ != 0; }

private:
    FontCatalog& catalog_;
    std::string fileName_;
    FontCatalog::FontDataId id_ = 0;
};

} // namespace windlecroft
