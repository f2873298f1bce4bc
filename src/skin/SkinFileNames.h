#pragma once

namespace windlecroft {

/** The names of a skin's two files in its folder. */
inline constexpr const char* configFileName = "windlecroft.cfg";
inline constexpr const char* dataFileName = "windlecroft.dat";

} // namespace windlecroft
