#include "resources/DataArchive.h"

#include "base/Error.h"
#include "base/RegularFile.h"
#include "base/SkinLimits.h"

#include <cstring>
#include <string>

namespace windlecroft {

void DataArchive::open(const std::filesystem::path& path)
{
    // One read of the whole file: the archive holds every picture and piece of the skin. Only a
    // regular file within the archive limit is read; a file that shrinks gives what was there.
    std::optional<std::vector<std::uint8_t>> bytes = readRegularFile(path, maxArchiveBytes);
    if (!bytes)
        throw Error("can't open data file");
    openBytes(std::move(*bytes));
}

void DataArchive::openBytes(std::vector<std::uint8_t> block)
{
    block_ = std::move(block);
    open_ = true;
}

void DataArchive::close()
{
    block_.clear();
    block_.shrink_to_fit();
    open_ = false;
}

bool DataArchive::nextEntry(std::size_t& cursor, std::string_view& name, ArchiveEntry& entry) const
{
    const std::size_t size = block_.size();
    if (cursor >= size)
        return false;
    const auto* start = block_.data() + cursor;
    const void* zero = std::memchr(start, 0, size - cursor);
    if (zero == nullptr)
        return false;
    const std::size_t nameLength = static_cast<const std::uint8_t*>(zero) - start;
    std::size_t sizeField = cursor + nameLength + 1;
    if (size - sizeField < 4)
        return false;
    const auto* s = block_.data() + sizeField;
    std::uint32_t dataSize = static_cast<std::uint32_t>(s[0]) | (static_cast<std::uint32_t>(s[1]) << 8)
        | (static_cast<std::uint32_t>(s[2]) << 16) | (static_cast<std::uint32_t>(s[3]) << 24);
    std::size_t dataStart = sizeField + 4;
    if (dataSize > size - dataStart)
        return false;
    name = std::string_view(reinterpret_cast<const char*>(start), nameLength);
    entry = ArchiveEntry{block_.data() + dataStart, dataSize};
    cursor = dataStart + dataSize;
    return true;
}

bool DataArchive::contains(std::string_view name) const
{
    bool found = false;
    forEachEntry([&](std::string_view entryName, const ArchiveEntry&) { found = found || entryName == name; });
    return found;
}

ArchiveEntry DataArchive::findEntry(std::string_view name) const
{
    ArchiveEntry found;
    bool ok = false;
    std::size_t cursor = 0;
    std::string_view entryName;
    ArchiveEntry entry;
    while (nextEntry(cursor, entryName, entry)) {
        if (entryName == name) {
            found = entry;
            ok = true;
            break;
        }
    }
    if (!ok)
        throw Error("can't find file " + std::string(name) + " in datafile");
    return found;
}

} // namespace windlecroft
