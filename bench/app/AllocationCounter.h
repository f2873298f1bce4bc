#pragma once

#include <cstdint>

namespace windlecroft::bench {

/** Calls of the global operator new since the program started (this program replaces it). */
std::uint64_t allocationCount();

} // namespace windlecroft::bench
