#pragma once

#include "skin/SkinRecords.h"

#include <cstdint>
#include <vector>

namespace windlecroft::skin {

/**
 * Writes a SkinFile as configuration bytes. Every length field is the true size of its chunk or
 * record, unless the tree keeps a different declared length, which is then written instead.
 * Throws SkinFormatError when a list is longer than its 16-bit count can say.
 */
std::vector<std::uint8_t> writeSkinFile(const SkinFile& file);

/** One chunk or record with its header, as writeSkinFile writes it inside a file. */
std::vector<std::uint8_t> writeChunk(const Chunk& chunk);
std::vector<std::uint8_t> writeRecord(const ElementRecord& record);

/** The true sizes, header included, that length fields should hold. */
std::uint32_t trueLength(const Chunk& chunk);
std::uint32_t trueLength(const ElementRecord& record);
/** The root's true size: the file without its trailing bytes. */
std::uint32_t trueRootLength(const SkinFile& file);

} // namespace windlecroft::skin
