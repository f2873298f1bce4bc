#pragma once

#include "resources/FontFile.h"

#include <deque>
#include <memory>

namespace windlecroft {

/**
 * The font files a skin installed, newest first. Destroying the list (or clearing it)
 * uninstalls them newest first, each withdrawn from the catalog.
 */
class InstalledFontList {
public:
    InstalledFontList() = default;
    ~InstalledFontList() { clear(); }
    InstalledFontList(const InstalledFontList&) = delete;
    InstalledFontList& operator=(const InstalledFontList&) = delete;

    /** Installs the archive entry (see FontFile) and puts it at the front of the list. */
    FontFile& install(FontCatalog& catalog, const DataArchive& archive, std::string_view archiveName)
    {
        files_.push_front(std::make_unique<FontFile>(catalog, archive, archiveName));
        return *files_.front();
    }

    void clear()
    {
        while (!files_.empty())
            files_.pop_front();
    }

    bool empty() const { return files_.empty(); }
    std::size_t size() const { return files_.size(); }
    auto begin() const { return files_.begin(); }
    auto end() const { return files_.end(); }

private:
    std::deque<std::unique_ptr<FontFile>> files_;
};

} // namespace windlecroft
