#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace windlecroft {

class Application;

inline constexpr const char* configFileName = "windlecroft.cfg";
inline constexpr const char* dataFileName = "windlecroft.dat";

/**
 * Reads the root header of the configuration for the window's title and size.
 * Throws "can't open config file" or "config file corrupted, first chunk should be 0x0258".
 */
void preReadSkinConfig(const std::filesystem::path& configPath, Application& app);

/** Opens the archive, then walks the whole configuration, building every chunk's objects. */
void loadSkinConfig(const std::filesystem::path& configPath, const std::filesystem::path& dataPath, Application& app);

/** Walks configuration bytes that are already in memory (the archive must be open). */
void walkSkinConfig(std::span<const std::uint8_t> config, Application& app);

} // namespace windlecroft
