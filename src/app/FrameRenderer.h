#pragma once

#include "audio/FrequencyAnalyzer.h"

#include "base/Rect.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace windlecroft {

class BackBuffer;
class Page;
class Player;
class PluginContext;
class SceneDirector;
class Skin;
class TrayIcon;
class Window;
struct TrackEntry;

/**
 * One frame: the scene machine's step, the values plugins read, the page (or the cross-fade)
 * and the track title drawn into the back buffer, the window's alpha, and the present. A frame
 * that would show exactly what was presented last is neither drawn nor sent.
 */
class FrameRenderer {
public:
    struct Parts {
        SceneDirector& scenes;
        const Skin& skin;
        Player& player;
        PluginContext& plugins;
        BackBuffer& backBuffer;
        Window& window;
        const TrayIcon& tray;
    };

    explicit FrameRenderer(Parts parts) : parts_(parts) { damage_.reserve(64); }

    /** Draws and presents the frame; nothing while the window is in the tray. */
    void render();
    /** A frame of the live parts alone, when nothing else can have changed since the last one. */
    void renderLive();

private:
    void drawTitle();
    void drawTitle(const Rect& clip);
    bool nearTitle(const Rect& area) const;
    void directRepaint();
    void presentLiveChanges(Page& page);
    /** Hands plugins the spectrum (made afresh when withSpectrum) and whether music plays. */
    void feedPlugins(bool withSpectrum);

    /** What the last ordinary frame showed: the page, its element states and the title's entry. */
    struct FrameState {
        const Page* page;
        std::uint64_t pageState;
        const TrackEntry* title;
        bool operator==(const FrameState&) const = default;
    };
    FrameState stateOf(const Page* page) const;

    Parts parts_;
    std::optional<FrameState> lastFrame_;
    // The rectangles of the live parts drawn again in one frame; kept so frames allocate nothing.
    std::vector<Rect> damage_;
    std::array<float, FrequencyAnalyzer::binCount> spectrum_{};
};

} // namespace windlecroft
