#pragma once

#include "app/StringMapping.h"
#include "app/TrackScenes.h"
#include "app/TrayMenu.h"
#include "audio/TrackEntry.h"
#include "audio/Tracklist.h"
#include "base/NamedList.h"
#include "elements/Page.h"
#include "plugins/Plugin.h"
#include "resources/DataArchive.h"
#include "resources/Font.h"
#include "resources/FontCatalog.h"
#include "resources/InstalledFontList.h"
#include "resources/PictureBudget.h"

#include <cstdint>
#include <string>

namespace windlecroft {

/** The durations and the highlight step of a skin; a timing chunk changes them. */
struct SkinTiming {
    std::uint16_t crossFadeTime = 1500;
    std::uint16_t musicFadeTime = 1500;
    std::uint16_t highlightStep = 5;
};

/**
 * Everything a skin defines, built from its two files by the SkinBuilder and kept for the
 * player's lifetime: the window's title and size, pages, fonts, plugins, tracks, the string
 * mapping, the tray menu, the timing and the archive they come from. What is built is fixed;
 * the pages keep the states of their elements. The lists are declared in the order they are
 * built, so they are destroyed newest first: pages before the fonts they draw with, every
 * Font before its catalog.
 */
class Skin {
public:
    const std::string& windowTitle() const { return windowTitle_; }
    const int& windowWidth() const { return windowWidth_; }
    const int& windowHeight() const { return windowHeight_; }
    /** The page named by the start-scene chunk; empty when there is none. */
    const std::string& startScene() const { return startScene_; }
    const SkinTiming& timing() const { return timing_; }
    const TrackScenes& trackScenes() const { return trackScenes_; }

    FontCatalog& fontCatalog() { return fontCatalog_; }
    const NamedList<Font>& fonts() const { return fonts_; }
    const NamedList<Page>& pages() const { return pages_; }
    Page* page(std::string_view name) const { return pages_.find(name); }
    const NamedList<Plugin>& plugins() const { return plugins_; }
    const InstalledFontList& installedFonts() const { return installedFonts_; }
    const NamedTracks& namedTracks() const { return namedTracks_; }
    const Tracklist& playlist() const { return playlist_; }
    const StringMapping& stringMapping() const { return stringMapping_; }
    const TrayMenu& trayMenu() const { return trayMenu_; }
    const DataArchive& archive() const { return archive_; }

    /** Lets go of the archive and the string mapping at shutdown (audio has stopped by then). */
    void release()
    {
        archive_.close();
        stringMapping_.release();
    }

private:
    friend class SkinBuilder;

    std::string windowTitle_ = "Windlecroft          ";
    // Charged by every picture the first time it is decoded, at load or when a page is first
    // drawn; it outlives the pages that decode later.
    PictureBudget pictureBudget_;
    TrackScenes trackScenes_;
    FontCatalog fontCatalog_;
    NamedList<Font> fonts_;
    NamedList<Page> pages_;
    NamedList<Plugin> plugins_;
    InstalledFontList installedFonts_;
    NamedTracks namedTracks_;
    std::string startScene_;
    Tracklist playlist_;
    int windowWidth_ = 640;
    int windowHeight_ = 480;
    SkinTiming timing_;
    DataArchive archive_;
    StringMapping stringMapping_;
    TrayMenu trayMenu_;
};

} // namespace windlecroft
