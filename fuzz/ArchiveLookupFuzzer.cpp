// Lookups in a fuzzed resource archive: every entry the scan yields lies inside the block and
// is the one a lookup of its name finds (the first of that name); names the archive does not
// hold are reported as missing.
#include "base/Error.h"
#include "resources/DataArchive.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

using windlecroft::ArchiveEntry;
using windlecroft::DataArchive;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool found(const DataArchive& archive, std::string_view name)
{
    try {
        archive.findEntry(name);
        return true;
    } catch (const windlecroft::Error&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DataArchive archive;
    archive.openBytes(std::vector<std::uint8_t>(data, data + size));
    std::map<std::string, ArchiveEntry> firstOfName;
    archive.forEachEntry([&](std::string_view name, const ArchiveEntry& entry) {
        require(entry.offset() + entry.size() <= archive.readableEnd() && archive.readableEnd() <= size);
        require(entry.size() == 0 || std::memcmp(entry.bytes().data(), data + entry.offset(), entry.size()) == 0);
        firstOfName.emplace(std::string(name), entry);
    });
    for (const auto& [name, entry] : firstOfName) {
        const ArchiveEntry lookedUp = archive.findEntry(name);
        require(lookedUp.offset() == entry.offset() && lookedUp.size() == entry.size());
        // A name one byte longer is a different name; it is found only if the archive holds it.
        const std::string longer = name + "x";
        require(found(archive, longer) == firstOfName.contains(longer));
    }
    for (std::string_view name : {"Data\\panel.rgn", "", "Data\\"})
        require(found(archive, name) == firstOfName.contains(std::string(name)));
    return 0;
}
