#pragma once

#include "skin/ArchiveContents.h"
#include "skin/SkinRecords.h"

#include <string>
#include <vector>

namespace windlecroft::skin {

/**
 * Writes the source text (skin.toml) of a skin: the root, one [[entry]] per archive entry that
 * stores the file entryFiles[i] as it is, and one [[chunk]] per chunk with its records in
 * order. Symbolic names are written wherever they compile back to the same bytes, numbers
 * everywhere else; unknown chunks and records are written as hexadecimal bytes, and length
 * fields that are not the true sizes are kept. Compiling the text gives the same bytes back.
 */
std::string writeSource(const SkinFile& skin, const ArchiveContents& archive, const std::vector<std::string>& entryFiles);

} // namespace windlecroft::skin
