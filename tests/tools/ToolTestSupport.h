#pragma once

#include "skin/AssetReader.h"
#include "skin/Diagnostics.h"
#include "skin/SourceCompiler.h"
#include "support/Process.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace windlecroft::test {

using MemoryAssets = skin::MemoryAssetReader;

/** An RGBA colour for generated pictures. */
struct Rgba {
    std::uint8_t r, g, b, a;
};

/** A PNG file made with libpng: RGBA when withAlpha, otherwise RGB (the alpha is dropped). */
std::vector<std::uint8_t> makePng(int width, int height, const std::function<Rgba(int x, int y)>& colour, bool withAlpha = true);

/** Compiles source text; the diagnostics are left in diagnostics. */
skin::CompiledSkin compile(const std::string& text, skin::Diagnostics& diagnostics, skin::AssetReader* assets = nullptr);

/** The text of all diagnostics, one per line, as the tool prints them. */
std::string printed(const skin::Diagnostics& diagnostics);

std::vector<std::uint8_t> bytesOf(std::string_view text);
void writeText(const std::filesystem::path& path, std::string_view text);
/** The file's bytes, or none when it cannot be read. */
std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path);

/** Runs the built windlecroft-skin with arguments (and extra environment) to its end. */
RunResult runTool(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment = {});

/** Writes the source that `windlecroft-skin new` writes into folder. */
void writeStarterSource(const std::filesystem::path& folder);
/** Replaces the first `from` in folder/skin.toml with `to`; fails the test when there is none. */
void editSource(const std::filesystem::path& folder, std::string_view from, std::string_view to);

} // namespace windlecroft::test
