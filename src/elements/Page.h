#pragma once

#include "base/Action.h"
#include "base/Rect.h"
#include "elements/Button.h"
#include "elements/Indicator.h"
#include "elements/KeyBinding.h"
#include "elements/LiveKinds.h"
#include "elements/LivePlugin.h"
#include "elements/LiveText.h"
#include "elements/PageContext.h"
#include "elements/PageTimer.h"
#include "elements/Slider.h"
#include "elements/StyledList.h"
#include "elements/TextList.h"
#include "elements/TextViewer.h"
#include "elements/WheelZone.h"
#include "resources/ImageLoadContext.h"

#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace windlecroft {

class Canvas;
class DataArchive;
class Font;
class Image;
class Plugin;

/**
 * One named screen of the skin: three full-window pictures and a collection per element kind.
 * Every collection is walked newest first with no early exit, so overlapping elements all
 * react. Elements never act on the player themselves: they post actions, and the page reacts
 * to every action carried out through onAction.
 */
class Page {
public:
    /** Loads the pictures; an empty normal name gives a page without any pictures. */
    Page(const PageContext& context, std::string_view normalImage, std::string_view pressedImage,
         std::string_view highlightImage, bool crossFade, const ImageLoadContext& images);
    ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Building, in file order.
    void addButton(Rect rect, std::uint16_t code, std::uint16_t arg);
    void addKeyBinding(std::uint16_t key, std::uint16_t code, std::uint16_t arg);
    void addIndicator(Rect rect, std::string state);
    void addSlider(Slider::Orientation orientation, bool releaseOnly, Rect rect, std::string_view knobImage,
                   std::uint16_t id, const ImageLoadContext& images);
    void addTimer(std::uint64_t delay, std::uint16_t code, std::uint16_t arg);
    void addWheelZone(Rect rect, Action up, Action down);
    void addBackgroundAction(Action action) { backgroundActions_.push_front(action); }
    void addRightClickAction(Action action) { rightClickActions_.push_front(action); }
    void addLeaveAction(Action action) { leaveActions_.push_front(action); }
    void addEnterAction(Action action) { enterActions_.push_front(action); }
    /** Attaches a plugin of the plugin list (mode 0 or 1); the page only refers to it. */
    void addPlugin(int mode, Plugin& plugin);
    void setTextList(int activation, Rect rect, const Font* font, int rowHeight);
    void setTextViewer(Rect rect, const Font* font, int rowHeight);
    void addTextListLine(std::string text);
    /**
     * Loads the archive file and wraps it as a document of the viewer (its first
     * maxDocumentBytes); nothing without a viewer. Returns the bytes of text kept.
     */
    std::size_t addViewerDocument(std::string_view file, std::string title, const DataArchive& archive);

    // The live parts a skin may add: drawn from the player's state on every frame that changes it.
    /** The colours the text list (target 0) or the text viewer (target 1) is drawn with. */
    void setListStyle(int target, const ListStyle& style);
    /** Makes every slider with this id draw its knob, following source; false when none has the id. */
    bool makeSliderLive(std::uint16_t id, LiveSource source);
    void addLiveText(Rect rect, const Font& font, std::uint32_t colour, TextAlign align, LiveTextKind what);
    void addLivePlugin(Plugin& plugin, Rect rect, bool onlyWhilePlaying);

    // Input.
    void mouseMove(int x, int y, std::uint16_t keyState);
    bool mouseDown(int x, int y);
    void mouseUp(int x, int y);
    void doubleClick(int x, int y);
    void rightDown();
    void wheel(int x, int y, int delta);
    void keyDown(std::uint16_t key);
    void keyUp(std::uint16_t key);
    void timerTick(std::uint64_t now);
    void resetButtons();

    // Life.
    void armTimers();
    void enter();
    void leave();
    void onAction(std::uint16_t code, std::uint16_t arg);

    // Drawing.
    /** Draws the whole page: pictures, lamps, buttons, then its live parts. */
    void draw();
    /**
     * Brings the live parts up to the player's state: every part that changes is drawn again,
     * over the page's own pixels under it, and its rectangle added to damage. Returns whether
     * anything was drawn.
     */
    bool drawLiveChanges(std::vector<Rect>& damage);
    void fadeDraw(std::uint8_t alpha);
    /**
     * Lets the page's pictures go (all but the normal one with keepNormal, for the page shown);
     * they are decoded again, exactly as at load, when drawing needs them.
     */
    void parkPictures(bool keepNormal = false);
    void unparkPictures();
    /** True while a button's highlight is still on its way up or down: draw() will change it. */
    bool animating() const;
    /** A value that changes whenever what draw() puts on screen changes (presses, highlights, lamps). */
    std::uint64_t drawState() const;
    /** True when the page has live parts. */
    bool hasLiveParts() const;
    /** The tick a live plugin of the page needs now, in milliseconds; nothing when none runs. */
    std::optional<int> liveTickMs() const;

    bool crossFade() const { return crossFade_; }
    const Image* normalImage() const { return normalImage_.get(); }
    const Image* pressedImage() const { return pressedImage_; }
    const Image* highlightImage() const { return highlightImage_; }
    const std::deque<Button>& buttons() const { return buttons_; }
    const std::deque<KeyBinding>& keyBindings() const { return keyBindings_; }
    const std::deque<Indicator>& indicators() const { return indicators_; }
    const std::deque<std::unique_ptr<Slider>>& sliders() const { return sliders_; }
    const std::deque<PageTimer>& timers() const { return timers_; }
    const std::deque<WheelZone>& wheelZones() const { return wheelZones_; }
    const std::deque<Action>& backgroundActions() const { return backgroundActions_; }
    const std::deque<Action>& rightClickActions() const { return rightClickActions_; }
    const std::deque<Action>& enterActions() const { return enterActions_; }
    const std::deque<Action>& leaveActions() const { return leaveActions_; }
    const std::deque<Plugin*>& plugins(int mode) const { return mode == 0 ? pluginsMode0_ : pluginsMode1_; }
    TextList* textList() const { return textList_.get(); }
    TextViewer* textViewer() const { return textViewer_.get(); }

private:
    void postAll(const std::deque<Action>& actions);
    void setIndicators(std::string_view state, bool on);
    /** The pictures, lamps and buttons inside clip, as draw() shows them, on canvas. */
    void drawBase(Canvas& canvas, const Rect& clip);
    const Image& pressedPicture();
    const Image& highlightPicture();
    /** Brings every live part up to the player's state; each that changed adds its rectangle. */
    void updateLive(std::vector<Rect>* damage);
    /** Draws the live parts inside clip: lists, viewer, knobs, texts, then live plugins. */
    void drawLive(Canvas& canvas, const Rect& clip, bool withPlugins);
    std::optional<double> sourceFraction(LiveSource source) const;

    const PageContext& context_;
    std::deque<Button> buttons_;
    std::deque<KeyBinding> keyBindings_;
    std::deque<Indicator> indicators_;
    std::deque<Plugin*> pluginsMode0_;
    std::deque<Plugin*> pluginsMode1_;
    std::deque<std::unique_ptr<Slider>> sliders_;
    std::deque<PageTimer> timers_;
    std::deque<WheelZone> wheelZones_;
    std::deque<Action> backgroundActions_;
    std::deque<Action> rightClickActions_;
    std::deque<Action> leaveActions_;
    std::deque<Action> enterActions_;
    // Where parked pictures are decoded from again.
    std::optional<ImageLoadContext> pictureSource_;
    std::unique_ptr<Image> normalImage_;
    // Pressed and highlight pictures are the normal one unless the skin names their own.
    std::unique_ptr<Image> ownPressedImage_;
    std::unique_ptr<Image> ownHighlightImage_;
    const Image* pressedImage_ = nullptr;
    const Image* highlightImage_ = nullptr;
    std::unique_ptr<TextViewer> textViewer_;
    std::unique_ptr<TextList> textList_;
    bool crossFade_;
    std::optional<ListStyle> listStyle_;
    std::optional<ListStyle> viewerStyle_;
    std::optional<ListLook> listDrawn_;
    std::optional<ListLook> viewerDrawn_;
    std::deque<LiveText> liveTexts_;
    std::deque<LivePlugin> livePlugins_;
};

} // namespace windlecroft
