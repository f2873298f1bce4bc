#include "skin/ArchiveContents.h"

#include "skin/ArchiveWriter.h"
#include "resources/DataArchive.h"

namespace windlecroft {

ArchiveContents ArchiveContents::parse(std::span<const std::uint8_t> bytes)
{
    // The player's own archive walks the entries; whatever it does not reach is a corrupt tail.
    DataArchive archive;
    archive.openBytes({bytes.begin(), bytes.end()});
    ArchiveContents contents;
    archive.forEachEntry([&](std::string_view name, const ArchiveEntry& entry) {
        contents.add(std::string(name), {entry.bytes().begin(), entry.bytes().end()});
    });
    if (archive.readableEnd() != bytes.size())
        contents.corruptTail_ = static_cast<std::size_t>(archive.readableEnd());
    return contents;
}

void ArchiveContents::add(std::string name, std::vector<std::uint8_t> data)
{
    files_.push_back({std::move(name), std::move(data)});
}

std::vector<std::uint8_t> ArchiveContents::bytes() const
{
    ArchiveWriter writer;
    for (const ArchiveFile& file : files_)
        writer.add(file.name, file.data);
    return writer.bytes();
}

const ArchiveFile* ArchiveContents::find(std::string_view name) const
{
    for (const ArchiveFile& file : files_) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

} // namespace windlecroft
