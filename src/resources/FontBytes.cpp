#include "resources/FontBytes.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <span>

namespace windlecroft {

namespace {

// FreeType's read of a file range; a count of 0 asks whether offset may be sought to.
unsigned long readRange(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    const auto* range = static_cast<const FileRange*>(stream->descriptor.pointer);
    if (count == 0)
        return offset <= range->size ? 0 : 1;
    if (offset >= range->size)
        return 0;
    const std::uint64_t wanted = std::min<std::uint64_t>(count, range->size - offset);
    return range->file->readAt(range->offset + offset, {buffer, static_cast<std::size_t>(wanted)});
}

} // namespace

FontBytes::Face FontBytes::open(FT_LibraryRec_* library, long index) const
{
    Face opened;
    FT_Face face = nullptr;
    if (!range_.file) {
        if (FT_New_Memory_Face(library, copy_.data(), static_cast<FT_Long>(copy_.size()), index, &face) == 0)
            opened.face = face;
        return opened;
    }
    // Each face reads through a stream of its own (a stream keeps its position).
    auto stream = std::make_shared<FT_StreamRec>();
    stream->size = static_cast<unsigned long>(range_.size);
    stream->descriptor.pointer = const_cast<FileRange*>(&range_);
    stream->read = readRange;
    FT_Open_Args arguments{};
    arguments.flags = FT_OPEN_STREAM;
    arguments.stream = stream.get();
    if (FT_Open_Face(library, &arguments, index, &face) == 0) {
        opened.face = face;
        opened.stream = std::move(stream);
    }
    return opened;
}

} // namespace windlecroft
