#pragma once

#include "base/FileRange.h"

#include <cstdint>
#include <memory>
#include <vector>

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace windlecroft {

/**
 * The bytes of a font file a skin installs, for FreeType: a copy held in memory, or a range of
 * the skin's archive read as FreeType asks for it (a face reads little beyond its tables and the
 * glyphs drawn, so the file's megabytes need not stay in memory).
 */
class FontBytes {
public:
    explicit FontBytes(std::vector<std::uint8_t> copy) : copy_(std::move(copy)) {}
    explicit FontBytes(FileRange range) : range_(std::move(range)) {}

    /** A face FreeType opened from the bytes, with what it reads through while it lives. */
    struct Face {
        FT_FaceRec_* face = nullptr;
        std::shared_ptr<void> stream;
    };
    /** Opens face index; the face is null when FreeType cannot open it. The FontBytes must outlive it. */
    Face open(FT_LibraryRec_* library, long index) const;

private:
    std::vector<std::uint8_t> copy_;
    FileRange range_;
};

} // namespace windlecroft
