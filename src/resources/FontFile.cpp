#include "resources/FontFile.h"

#include "resources/DataArchive.h"

namespace windlecroft {

namespace {

std::string lastNameComponent(std::string_view archiveName)
{
    const std::size_t slash = archiveName.rfind('\\');
    return std::string(slash == std::string_view::npos ? archiveName : archiveName.substr(slash + 1));
}

} // namespace

FontFile::FontFile(FontCatalog& catalog, const DataArchive& archive, std::string_view archiveName)
    : catalog_(catalog), fileName_(lastNameComponent(archiveName))
{
    const ArchiveEntry entry = archive.findEntry(archiveName);
    id_ = catalog_.addFontData(entry.bytes(), archive.fileRange(archiveName));
}

FontFile::~FontFile()
{
    if (installed())
        catalog_.removeFontData(id_);
}

} // namespace windlecroft
