#include "resources/FontFile.h"

#include "resources/DataArchive.h"
#include "resources/FontCatalog.h"

#include <fstream>

namespace windlecroft {

namespace {

std::string lastNameComponent(std::string_view archiveName)
{
    const std::size_t slash = archiveName.rfind('\\');
    return std::string(slash == std::string_view::npos ? archiveName : archiveName.substr(slash + 1));
}

// The copy goes into the temporary folder under this name. A name with a '/' would reach
// another folder (an absolute one replaces the temporary folder altogether), and "." or ".."
// name a folder: as on the system the format comes from, such a copy cannot be written.
bool plainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

} // namespace

FontFile::FontFile(FontCatalog& catalog, const DataArchive& archive, std::string_view archiveName)
    : catalog_(catalog), fileName_(lastNameComponent(archiveName))
{
    // The entry is looked up before anything is written, so a missing entry leaves no empty
    // file behind in the temporary folder.
    const ArchiveEntry entry = archive.findEntry(archiveName);
    const std::filesystem::path folder = catalog.tempFolder();
    if (!plainFileName(fileName_) || folder.empty())
        return;
    const std::filesystem::path target = folder / fileName_;
    {
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out)
            return;
        out.write(reinterpret_cast<const char*>(entry.data), static_cast<std::streamsize>(entry.size));
    }
    path_ = target;
    catalog_.addFontFile(path_);
}

FontFile::~FontFile()
{
    if (!installed())
        return;
    catalog_.removeFontFile(path_);
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

} // namespace windlecroft
