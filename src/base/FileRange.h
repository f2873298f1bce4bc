#pragma once

#include "base/RegularFile.h"

#include <cstdint>
#include <memory>

namespace windlecroft {

/** A range of an open file, such as where an archive entry's bytes lie; it keeps the file open. */
struct FileRange {
    std::shared_ptr<const RegularFile> file;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

} // namespace windlecroft
