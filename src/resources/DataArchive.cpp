#include "resources/DataArchive.h"

#include "base/Error.h"
#include "base/SkinLimits.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

namespace windlecroft {

std::vector<std::uint8_t> ArchiveEntry::take() &&
{
    if (copy_)
        return std::move(*copy_);
    return {view_.begin(), view_.end()};
}

void DataArchive::open(const std::filesystem::path& path)
{
    // Only a regular file within the archive limit is taken. Its entries are found once here
    // and read when asked for; a file that shrinks meanwhile gives only what is still there.
    auto file = std::make_shared<const RegularFile>(path);
    if (!file->isOpen() || file->size() > maxArchiveBytes)
        throw Error("can't open data file");
    close();
    size_ = file->size();
    file_ = std::move(file);
    buildIndex();
    open_ = true;
}

void DataArchive::openBytes(std::vector<std::uint8_t> block)
{
    close();
    block_ = std::move(block);
    size_ = block_.size();
    buildIndex();
    open_ = true;
}

void DataArchive::close()
{
    block_.clear();
    block_.shrink_to_fit();
    file_.reset();
    index_.clear();
    index_.shrink_to_fit();
    size_ = 0;
    readableEnd_ = 0;
    open_ = false;
}

std::size_t DataArchive::readAt(std::uint64_t offset, std::span<std::uint8_t> out) const
{
    if (file_)
        return file_->readAt(offset, out);
    if (offset >= block_.size())
        return 0;
    const std::size_t count = std::min<std::size_t>(out.size(), block_.size() - static_cast<std::size_t>(offset));
    std::memcpy(out.data(), block_.data() + offset, count);
    return count;
}

namespace {

// A skin names its entries in a few dozen bytes; a longer name is taken for a corrupt tail, so
// that indexing never holds more than this of one name.
constexpr std::size_t longestName = 64 * 1024;

} // namespace

// The name from offset up to its zero byte; nothing when the archive ends first.
std::optional<std::string> DataArchive::nameAt(std::uint64_t offset) const
{
    std::string name;
    std::array<std::uint8_t, 512> chunk{};
    while (offset < size_ && name.size() <= longestName) {
        const std::size_t got = readAt(offset, chunk);
        if (got == 0)
            return std::nullopt;
        const auto* zero = static_cast<const std::uint8_t*>(std::memchr(chunk.data(), 0, got));
        const std::size_t length = zero ? static_cast<std::size_t>(zero - chunk.data()) : got;
        name.append(reinterpret_cast<const char*>(chunk.data()), length);
        if (zero)
            return name;
        offset += got;
    }
    return std::nullopt;
}

void DataArchive::buildIndex()
{
    std::uint64_t cursor = 0;
    while (cursor < size_ && index_.size() < maxArchiveEntries) {
        std::optional<std::string> name = nameAt(cursor);
        if (!name)
            break;
        const std::uint64_t sizeField = cursor + name->size() + 1;
        std::array<std::uint8_t, 4> s{};
        if (size_ - sizeField < 4 || readAt(sizeField, s) != s.size())
            break;
        const std::uint32_t dataSize = static_cast<std::uint32_t>(s[0]) | (static_cast<std::uint32_t>(s[1]) << 8)
            | (static_cast<std::uint32_t>(s[2]) << 16) | (static_cast<std::uint32_t>(s[3]) << 24);
        const std::uint64_t dataStart = sizeField + 4;
        if (dataSize > size_ - dataStart)
            break;
        index_.push_back({std::move(*name), dataStart, dataSize});
        cursor = dataStart + dataSize;
    }
    readableEnd_ = cursor;
}

std::optional<ArchiveEntry> DataArchive::read(const Indexed& entry) const
{
    if (!file_)
        return ArchiveEntry(std::span<const std::uint8_t>(block_).subspan(entry.offset, entry.size), entry.offset);
    std::vector<std::uint8_t> bytes(entry.size);
    if (file_->readAt(entry.offset, bytes) != bytes.size())
        return std::nullopt;
    return ArchiveEntry(std::move(bytes), entry.offset);
}

const DataArchive::Indexed* DataArchive::indexed(std::string_view name) const
{
    const auto found = std::find_if(index_.begin(), index_.end(), [name](const Indexed& entry) { return entry.name == name; });
    return found == index_.end() ? nullptr : &*found;
}

std::optional<FileRange> DataArchive::fileRange(std::string_view name) const
{
    const Indexed* entry = indexed(name);
    if (!file_ || !entry)
        return std::nullopt;
    return FileRange{file_, entry->offset, entry->size};
}

bool DataArchive::contains(std::string_view name) const
{
    return indexed(name) != nullptr;
}

ArchiveEntry DataArchive::findEntry(std::string_view name) const
{
    if (const Indexed* entry = indexed(name)) {
        if (std::optional<ArchiveEntry> data = read(*entry))
            return std::move(*data);
    }
    throw Error("can't find file " + std::string(name) + " in datafile");
}

} // namespace windlecroft
