#pragma once

#include "skin/ArchiveContents.h"
#include "skin/Diagnostics.h"
#include "skin/SkinRecords.h"
#include "skin/SourceCompiler.h"

#include <filesystem>
#include <set>
#include <string>

namespace windlecroft::skin {

struct LintInput {
    const SkinFile& skin;
    const ArchiveContents& archive;
    /** Folder the playlist's disk files are looked for in (the player's working folder). */
    std::filesystem::path musicFolder{};
    /** Source lines for the messages, when the skin was compiled from a source. */
    const SourceLines* lines = nullptr;
    /** Archive entries that failed to compile; they are not inspected again. */
    const std::set<std::string>* brokenEntries = nullptr;
    /** Kinds of chunks that failed to compile; names they would define are not reported missing. */
    const std::set<std::string>* brokenChunkKinds = nullptr;
    /** Whether plugin files are named as in a source folder (UTF-8) rather than a skin folder. */
    bool sourceNames = false;
    /**
     * The folders plugin files are looked for in, as the player does: the checked folder, then
     * the program's plugin folder. Without them plugin files are not looked for.
     */
    std::filesystem::path pluginFolder{};
    std::filesystem::path programPluginFolder{};
};

/**
 * Checks a skin against what the player does with it, walking the chunks in file order as the
 * player does. Errors are faults that stop the player's start or end it later: names that do
 * not resolve where they are used (fonts, plugins, archive entries, string-mapping indices of
 * actions), fonts and plugins defined only after the pages that use them, bytes the player
 * rejects, plugin files that are not there or export no PluginCreateProc (read from the file,
 * never loaded). Warnings are faults the player survives with something missing: a playlist before
 * the pages whose lists it fills, missing panel pages for the track-driven switch, pictures and
 * masks of another size than the window, slider knobs that fill their track, music files that
 * are not there, length fields that are not the true sizes.
 */
void lintSkin(const LintInput& input, Diagnostics& diagnostics);

} // namespace windlecroft::skin
