#pragma once

#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"
#include "skin/Diagnostics.h"
#include "skin/SkinRecords.h"

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft::skin {

/** The source line of every chunk, record and archive entry, for messages about them. */
struct SourceLines {
    std::vector<int> chunks;
    std::vector<std::vector<int>> records;
    std::vector<int> entries;
};

struct CompiledSkin {
    SkinFile config;
    ArchiveContents archive;
    SourceLines lines;
    /** Archive entries whose data could not be made; their faults are already reported. */
    std::set<std::string> brokenEntries;
    /** The kinds of the chunks that did not compile: names they define may be missing. */
    std::set<std::string> brokenChunkKinds;
};

/** The name of the source file in a source folder. */
inline constexpr const char* sourceFileName = "skin.toml";

/**
 * Compiles the text of a skin source into a configuration tree and an archive. Every fault is
 * reported to diagnostics with its line, chunk and record, and compiling goes on with the next
 * chunk, record or entry (a chunk or record that fails stands as an empty unknown one, so the
 * numbering of the rest stays right). The result is complete only when no error was reported.
 */
CompiledSkin compileSource(std::string_view text, AssetReader& assets, Diagnostics& diagnostics);

} // namespace windlecroft::skin
