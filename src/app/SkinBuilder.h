#pragma once

#include "base/Budget.h"
#include "base/SkinLimits.h"
#include "plugins/PluginSearch.h"
#include "resources/ImageLoadContext.h"
#include "resources/PictureBudget.h"
#include "skin/SkinFileNames.h"
#include "skin/SkinRecords.h"

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <vector>

namespace windlecroft {

class Page;
class PluginContext;
class Skin;
struct PageContext;

/** What building a skin needs of the running player. */
struct SkinBuildContext {
    /** What the pages share with the rest of the player. */
    const PageContext& pages;
    /** The record the playlist's names are handed to plugins in. */
    PluginContext& plugins;
    /** Whether the window can be translucent: JPEG pictures are whitened, switch timers wait less. */
    bool layered = false;
    /** Where plugin libraries are looked for. */
    PluginSearch pluginSearch;
    /** Where a picture that does not decode is reported. */
    std::ostream& diagnostics;
};

/**
 * Builds a Skin from the records of windlecroft.cfg, applying them in file order, each chunk
 * building its objects: so the first fault the player meets in a file is the one reported,
 * with the player's messages. Pictures, fonts and documents are charged to the skin's budgets.
 */
class SkinBuilder {
public:
    SkinBuilder(Skin& skin, SkinBuildContext context);

    /**
     * Takes the root's title and window size. Throws the root's messages and "config file
     * corrupted, window of W x H pixels is too large".
     */
    void readRoot(std::span<const std::uint8_t> config);
    /** Reads the whole configuration and builds everything it defines. */
    void build(std::span<const std::uint8_t> config);
    /** Opens the archive file the skin's entries are read from; throws "can't open data file". */
    void openArchive(const std::filesystem::path& path);
    /** Takes an archive that is already in memory (tests, fuzzing, the skin tool). */
    void openArchive(std::vector<std::uint8_t> bytes);

    void apply(const skin::Chunk& chunk);
    void apply(const skin::ElementRecord& record);

private:
    ImageLoadContext images();
    void takeRoot(const skin::SkinRoot& root);
    void addPage(const skin::PageChunk& chunk);

    Skin& skin_;
    SkinBuildContext context_;
    Page* page_ = nullptr;
    Budget documentBudget_{maxSkinDocumentBytes};
};

/** The bytes of windlecroft.cfg; throws "can't open config file". */
std::vector<std::uint8_t> readConfigFile(const std::filesystem::path& path);

} // namespace windlecroft
