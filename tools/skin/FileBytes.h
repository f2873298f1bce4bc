#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace windlecroft::skin {

/** The most the tool reads of any one file it is pointed at (a skin's archive or configuration). */
inline constexpr std::uint64_t maxFileBytes = std::uint64_t{1} << 30;

/**
 * The whole file at path when it is a regular file of at most maxFileBytes; otherwise nothing.
 * A FIFO or device is refused, never waited on.
 */
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path);

} // namespace windlecroft::skin
