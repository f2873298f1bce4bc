#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace windlecroft::skin {

/**
 * The name among names that word most likely misspells, by the number of single-character
 * insertions, deletions, replacements and swaps of two neighbours that turn one into the
 * other. Only a name within a third of its length (at least one edit, at most two) counts,
 * so "rectt" gives "rect" and "colour" gives nothing among "rect" and "action".
 */
std::optional<std::string_view> nearestName(std::string_view word, std::span<const std::string_view> names);

} // namespace windlecroft::skin
