#pragma once

#include "skin/SkinFile.h"

#include <cstdint>
#include <span>

namespace windlecroft::skin {

/**
 * Reads configuration bytes into a SkinFile, walking them as the player does: known chunks and
 * records are read field by field and the next header follows their last field, unknown ones
 * are skipped by their length, the records of a page run up to the page's length, and the walk
 * stops at the root's end or the file's end. Length fields that differ from the true sizes are
 * kept, and so are the bytes after the walk, so that writing the tree gives the same bytes.
 *
 * Throws FormatError, naming the chunk and record, when the file does not start with a root
 * chunk, when it ends inside the fields of a root, chunk or record, or when an unknown chunk or
 * record has a length smaller than its header. Nothing outside the bytes is ever read.
 */
SkinFile readSkinFile(std::span<const std::uint8_t> bytes);

} // namespace windlecroft::skin
