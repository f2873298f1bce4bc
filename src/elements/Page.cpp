#include "elements/Page.h"

#include "elements/RectExtent.h"

#include "base/ActionCode.h"
#include "base/ActionQueue.h"
#include "base/SkinLimits.h"
#include "audio/Player.h"
#include "base/Clock.h"
#include "plugins/Plugin.h"
#include "resources/Canvas.h"
#include "resources/Font.h"
#include "resources/DataArchive.h"
#include "resources/Image.h"
#include "resources/ImageLoadContext.h"

#include <algorithm>

namespace windlecroft {

namespace {

std::unique_ptr<Image> loadPicture(std::string_view name, const ImageLoadContext& images)
{
    auto image = std::make_unique<Image>();
    image->loadImage(name, images);
    return image;
}

// A page's pictures are decoded when the page is first drawn.
std::unique_ptr<Image> pagePicture(std::string_view name, const ImageLoadContext& images)
{
    auto image = std::make_unique<Image>();
    image->loadLater(name, images);
    return image;
}

} // namespace

Page::Page(const PageContext& context, std::string_view normalImage, std::string_view pressedImage,
           std::string_view highlightImage, bool crossFade, const ImageLoadContext& images)
    : context_(context), crossFade_(crossFade)
{
    if (normalImage.empty())
        return;
    pictureSource_.emplace(images);
    normalImage_ = pagePicture(normalImage, images);
    pressedImage_ = normalImage_.get();
    highlightImage_ = normalImage_.get();
    if (!pressedImage.empty()) {
        ownPressedImage_ = pagePicture(pressedImage, images);
        pressedImage_ = ownPressedImage_.get();
    }
    if (!highlightImage.empty()) {
        ownHighlightImage_ = pagePicture(highlightImage, images);
        highlightImage_ = ownHighlightImage_.get();
    }
}

// The plugins only leave the page's lists; the plugin list owns them.
Page::~Page()
{
    pluginsMode0_.clear();
    pluginsMode1_.clear();
    pressedImage_ = nullptr;
    highlightImage_ = nullptr;
    ownPressedImage_.reset();
    ownHighlightImage_.reset();
    normalImage_.reset();
    textViewer_.reset();
    textList_.reset();
}

void Page::addButton(Rect rect, std::uint16_t code, std::uint16_t arg)
{
    buttons_.emplace_front(rect, Action{code, arg}, context_.clock.now());
}

void Page::addKeyBinding(std::uint16_t key, std::uint16_t code, std::uint16_t arg)
{
    keyBindings_.push_front({key, {code, arg}});
}

void Page::addIndicator(Rect rect, std::string state)
{
    indicators_.emplace_front(rect, std::move(state));
}

void Page::addSlider(Slider::Orientation orientation, bool releaseOnly, Rect rect, std::string_view knobImage,
                     std::uint16_t id, const ImageLoadContext& images)
{
    auto slider = std::make_unique<Slider>(orientation, releaseOnly, rect, id);
    slider->setKnob(loadPicture(knobImage, images));
    sliders_.push_front(std::move(slider));
}

void Page::addTimer(std::uint64_t delay, std::uint16_t code, std::uint16_t arg)
{
    timers_.emplace_front(delay, Action{code, arg});
}

void Page::addWheelZone(Rect rect, Action up, Action down)
{
    wheelZones_.emplace_front(rect, up, down);
}

void Page::addPlugin(int mode, Plugin& plugin)
{
    (mode == 0 ? pluginsMode0_ : pluginsMode1_).push_front(&plugin);
}

void Page::setTextList(int activation, Rect rect, const Font* font, int rowHeight)
{
    textList_ = std::make_unique<TextList>(activation, rect, font, rowHeight);
}

void Page::setTextViewer(Rect rect, const Font* font, int rowHeight)
{
    textViewer_ = std::make_unique<TextViewer>(rect, font, rowHeight);
}

void Page::addTextListLine(std::string text)
{
    if (textList_)
        textList_->addLine(std::move(text));
}

std::size_t Page::addViewerDocument(std::string_view file, std::string title, const DataArchive& archive)
{
    if (!textViewer_)
        return 0;
    // A document is a few pages for a reader; beyond the cap its text is not shown.
    const ArchiveEntry entry = archive.findEntry(file);
    const std::span<const std::uint8_t> text = entry.bytes();
    const std::span<const std::uint8_t> kept = text.first(std::min<std::size_t>(text.size(), maxDocumentBytes));
    textViewer_->addDocument(std::move(title), std::make_unique<TextBlock>(kept, TextViewer::wrapWidth));
    return kept.size();
}

void Page::postAll(const std::deque<Action>& actions)
{
    for (const Action& action : actions)
        context_.actions.post(action);
}

void Page::mouseMove(int x, int y, std::uint16_t keyState)
{
    // Hover follows the pointer only while no mouse button, Shift or Ctrl is held.
    if (keyState == 0) {
        for (Button& button : buttons_)
            button.hoverAt(x, y);
    }
    for (auto& slider : sliders_) {
        if (slider->dragTo(x, y))
            context_.actions.post(ActionCode::SliderMoved, slider->id());
    }
    if (textViewer_)
        textViewer_->hoverAt(x, y);
    if (textList_)
        textList_->hoverAt(x, y);
}

bool Page::mouseDown(int x, int y)
{
    bool handled = false;
    for (Button& button : buttons_) {
        button.pressAt(true, x, y);
        handled |= button.pressed();
    }
    for (auto& slider : sliders_)
        handled |= slider->press(true, x, y);
    if (textViewer_)
        handled |= textViewer_->press(true, x, y);
    if (textList_)
        handled |= textList_->click(1, true, x, y);
    if (!handled)
        postAll(backgroundActions_);
    return handled;
}

void Page::mouseUp(int x, int y)
{
    for (Button& button : buttons_) {
        if (button.pressed() && button.contains(x, y))
            context_.actions.post(button.action());
        button.pressAt(false, x, y);
    }
    for (auto& slider : sliders_) {
        if (slider->press(false, -1, -1))
            context_.actions.post(ActionCode::SliderMoved, slider->id());
    }
    if (textViewer_)
        textViewer_->press(false, x, y);
    if (textList_ && textList_->click(1, false, x, y))
        context_.actions.post(ActionCode::PlayChosenEntry, 0);
}

// Only a list that single clicks do not activate takes double clicks; buttons and sliders
// have already seen the second click as a press and a release.
void Page::doubleClick(int x, int y)
{
    if (textList_ && textList_->click(0, true, x, y))
        context_.actions.post(ActionCode::PlayChosenEntry, 0);
}

void Page::rightDown()
{
    postAll(rightClickActions_);
}

void Page::wheel(int x, int y, int delta)
{
    for (WheelZone& zone : wheelZones_) {
        if (zone.contains(x, y))
            context_.actions.post(zone.wheel(delta));
    }
}

void Page::keyDown(std::uint16_t key)
{
    for (const KeyBinding& binding : keyBindings_) {
        if (binding.key != key)
            continue;
        for (Button& button : buttons_) {
            if (button.action() == binding.action)
                button.pressAt(true, -1, -1);
        }
    }
}

void Page::keyUp(std::uint16_t key)
{
    for (const KeyBinding& binding : keyBindings_) {
        if (binding.key != key)
            continue;
        for (Button& button : buttons_) {
            if (button.action() == binding.action)
                button.pressAt(false, -1, -1);
        }
        context_.actions.post(binding.action);
    }
}

void Page::timerTick(std::uint64_t now)
{
    for (PageTimer& timer : timers_) {
        if (timer.tick(now))
            context_.actions.post(timer.action());
    }
}

void Page::resetButtons()
{
    for (Button& button : buttons_)
        button.reset();
}

void Page::armTimers()
{
    const std::uint64_t now = context_.clock.now();
    for (PageTimer& timer : timers_)
        timer.arm(now);
}

void Page::parkPictures(bool keepNormal)
{
    for (Image* image : {keepNormal ? nullptr : normalImage_.get(), ownPressedImage_.get(), ownHighlightImage_.get()}) {
        if (image)
            image->park();
    }
}

void Page::unparkPictures()
{
    if (normalImage_ && pictureSource_)
        normalImage_->unpark(*pictureSource_);
}

// The pressed and highlight pictures are decoded when a press, a highlight or a lamp first needs them.
const Image& Page::pressedPicture()
{
    Image& image = ownPressedImage_ ? *ownPressedImage_ : *normalImage_;
    if (pictureSource_)
        image.unpark(*pictureSource_);
    return image;
}

const Image& Page::highlightPicture()
{
    Image& image = ownHighlightImage_ ? *ownHighlightImage_ : *normalImage_;
    if (pictureSource_)
        image.unpark(*pictureSource_);
    return image;
}

void Page::enter()
{
    unparkPictures();
    postAll(enterActions_);
    // The lamps show the player's state, whatever page was current when it changed.
    const Player& player = context_.player;
    setIndicators(indicator::musicLooped, player.repeatOne());
    setIndicators(indicator::musicRandom, player.randomOrder());
    setIndicators(indicator::moduleLooped, player.moduleLooped());
    // A list the player draws shows the playing entry as selected, whichever page was current
    // when it changed; a list the pictures show keeps its rows where the pictures have them.
    if (textList_ && listStyle_) {
        textList_->setSelected(player.currentIndex());
        textList_->showSelected();
    }
}

void Page::leave()
{
    postAll(leaveActions_);
    resetButtons();
}

void Page::setIndicators(std::string_view state, bool on)
{
    for (Indicator& indicator : indicators_)
        indicator.setState(state, on);
}

// The page's own reactions; the player and the window are acted on before, by the dispatcher.
void Page::onAction(std::uint16_t code, std::uint16_t arg)
{
    const Player& player = context_.player;
    switch (static_cast<ActionCode>(code)) {
    case ActionCode::PlayNext:
    case ActionCode::PlayPrevious:
    case ActionCode::TrackAdvanced:
        if (textList_) {
            textList_->setSelected(player.currentIndex());
            textList_->showSelected();
        }
        break;
    case ActionCode::ToggleRepeatOne:
        setIndicators(indicator::musicLooped, player.repeatOne());
        break;
    case ActionCode::ToggleRandom:
        setIndicators(indicator::musicRandom, player.randomOrder());
        break;
    case ActionCode::SliderMoved:
        for (auto& slider : sliders_) {
            if (slider->id() != arg)
                continue;
            if (arg == number(SliderId::ListScroll) && textList_)
                textList_->scrollToPercent(slider->percent());
            else if (arg == number(SliderId::ViewerScroll) && textViewer_)
                textViewer_->scrollToPercent(slider->percent());
        }
        break;
    case ActionCode::PlayChosenEntry:
        // A refused choice snaps back to the playing entry.
        if (textList_)
            textList_->setSelected(player.currentIndex());
        break;
    case ActionCode::ListScrollUp:
        if (textList_)
            textList_->scrollUp();
        break;
    case ActionCode::ListScrollDown:
        if (textList_)
            textList_->scrollDown();
        break;
    case ActionCode::ViewerScrollUp:
        if (textViewer_)
            textViewer_->scrollUp();
        break;
    case ActionCode::ViewerScrollDown:
        if (textViewer_)
            textViewer_->scrollDown();
        break;
    case ActionCode::ViewerClose:
        if (textViewer_)
            textViewer_->close();
        break;
    case ActionCode::LoopingModuleLoaded:
    case ActionCode::ModuleLoaded:
        setIndicators(indicator::moduleLooped, code == number(ActionCode::LoopingModuleLoaded));
        break;
    case ActionCode::Minimise:
        // Minimised: presses and hover end, the highlight fades out by itself.
        for (Button& button : buttons_) {
            button.hoverAt(-1, -1);
            button.pressAt(false, -1, -1);
        }
        break;
    default:
        break;
    }
}

void Page::draw()
{
    if (!normalImage_)
        return;
    unparkPictures();
    Canvas& buffer = context_.canvas;
    // The page's whole picture and every live part afterwards, so their state is the one shown.
    const auto drawLiveParts = [this, &buffer] {
        if (!hasLiveParts())
            return;
        updateLive(nullptr);
        drawLive(buffer, {0, 0, context_.windowWidth, context_.windowHeight}, true);
    };
    buffer.copy(*normalImage_, 0, 0, context_.windowWidth, context_.windowHeight, 0, 0);
    // The drawn area is one pixel narrower and shorter than the one that reacts to the pointer.
    for (const Indicator& indicator : indicators_) {
        const Rect& r = indicator.rect();
        if (indicator.on())
            buffer.copy(highlightPicture(), r.left, r.top, drawnWidth(r), drawnHeight(r), r.left, r.top);
    }
    const std::uint64_t now = context_.clock.now();
    for (Button& button : buttons_) {
        button.stepHighlight(now, context_.highlightStep);
        const Rect& r = button.rect();
        if (button.pressed())
            buffer.copy(pressedPicture(), r.left, r.top, drawnWidth(r), drawnHeight(r), r.left, r.top);
        else if (button.level() > 0.0f)
            buffer.blend(highlightPicture(), r.left, r.top, drawnWidth(r), drawnHeight(r), r.left, r.top,
                         button.highlightAlpha());
    }
    drawLiveParts();
}

void Page::drawBase(Canvas& canvas, const Rect& clip)
{
    if (!normalImage_)
        return;
    const auto copyIn = [&canvas, &clip](const Image& image, const Rect& area, float alpha) {
        const Rect part = intersection(area, clip);
        if (holdsNoPixel(part))
            return;
        const int width = part.right - part.left;
        const int height = part.bottom - part.top;
        if (alpha >= 255.0f)
            canvas.copy(image, part.left, part.top, width, height, part.left, part.top);
        else
            canvas.blend(image, part.left, part.top, width, height, part.left, part.top, alpha);
    };
    copyIn(*normalImage_, {0, 0, context_.windowWidth, context_.windowHeight}, 255.0f);
    for (const Indicator& indicator : indicators_) {
        if (indicator.on())
            copyIn(highlightPicture(), indicator.rect(), 255.0f);
    }
    for (const Button& button : buttons_) {
        if (button.pressed())
            copyIn(pressedPicture(), button.rect(), 255.0f);
        else if (button.level() > 0.0f)
            copyIn(highlightPicture(), button.rect(), button.highlightAlpha());
    }
}

bool Page::hasLiveParts() const
{
    return listStyle_ || viewerStyle_ || !liveTexts_.empty() || !livePlugins_.empty()
        || std::any_of(sliders_.begin(), sliders_.end(), [](const auto& slider) { return slider->live(); });
}

std::optional<double> Page::sourceFraction(LiveSource source) const
{
    const Player& player = context_.player;
    const auto ratio = [](double part, double whole) { return whole > 0 ? part / whole : 0.0; };
    switch (source) {
    case LiveSource::OwnValue: return std::nullopt;
    case LiveSource::MainPosition: return player.mainFraction();
    case LiveSource::MainVolume: return player.mainVolume() / 100.0;
    case LiveSource::SideVolume: return player.sideVolume() / 100.0;
    case LiveSource::ListScroll:
        if (!textList_)
            return std::nullopt;
        return ratio(textList_->top(), textList_->maxTop());
    case LiveSource::ViewerScroll:
        if (!textViewer_)
            return std::nullopt;
        if (textViewer_->reading())
            return ratio(textViewer_->firstLine(), textViewer_->lastFirstLine());
        return ratio(textViewer_->titles().top(), textViewer_->titles().maxTop());
    }
    return std::nullopt;
}

void Page::updateLive(std::vector<Rect>* damage)
{
    const auto changed = [damage](const Rect& rect) {
        if (damage)
            damage->push_back(rect);
    };
    const Player& player = context_.player;
    if (listStyle_ && textList_) {
        const ListLook look = lookOf(*textList_, player.currentIndex());
        if (look != listDrawn_)
            changed(textList_->rect());
        listDrawn_ = look;
    }
    if (viewerStyle_ && textViewer_) {
        const ListLook look = lookOf(*textViewer_);
        if (look != viewerDrawn_)
            changed(textViewer_->rect());
        viewerDrawn_ = look;
    }
    for (auto& slider : sliders_) {
        if (slider->live() && slider->follow(sourceFraction(slider->source())))
            changed(slider->knobChange());
    }
    for (LiveText& text : liveTexts_) {
        if (text.update(player))
            changed(text.rect());
    }
    const std::uint64_t now = context_.clock.now();
    for (LivePlugin& plugin : livePlugins_) {
        if (plugin.update(now, player.mainPlaying()))
            changed(plugin.rect());
    }
}

void Page::drawLive(Canvas& canvas, const Rect& clip, bool withPlugins)
{
    Surface& surface = canvas.surface();
    const Player& player = context_.player;
    if (listStyle_ && textList_)
        drawList(surface, *textList_, *listStyle_, player.currentIndex(), clip);
    if (viewerStyle_ && textViewer_)
        drawViewer(surface, *textViewer_, *viewerStyle_, clip);
    for (auto& slider : sliders_) {
        if (slider->live())
            slider->drawKnob(canvas, clip);
    }
    for (LiveText& text : liveTexts_)
        text.draw(surface, clip);
    if (!withPlugins)
        return;
    for (const LivePlugin& plugin : livePlugins_) {
        if (plugin.active() && !holdsNoPixel(intersection(plugin.rect(), clip)))
            plugin.plugin().draw(context_.pluginContext);
    }
}

bool Page::drawLiveChanges(std::vector<Rect>& damage)
{
    if (!normalImage_ || !hasLiveParts())
        return false;
    unparkPictures();
    const std::size_t first = damage.size();
    updateLive(&damage);
    Canvas& canvas = context_.canvas;
    for (std::size_t i = first; i < damage.size(); ++i) {
        const Rect area = intersection(damage[i], {0, 0, context_.windowWidth, context_.windowHeight});
        damage[i] = area;
        drawBase(canvas, area);
        drawLive(canvas, area, true);
    }
    return damage.size() > first;
}

std::optional<int> Page::liveTickMs() const
{
    for (const LivePlugin& plugin : livePlugins_) {
        if (plugin.active())
            return static_cast<int>(LivePlugin::frameMs);
    }
    return std::nullopt;
}

void Page::setListStyle(int target, const ListStyle& style)
{
    (target == 0 ? listStyle_ : viewerStyle_) = style;
}

bool Page::makeSliderLive(std::uint16_t id, LiveSource source)
{
    bool found = false;
    for (auto& slider : sliders_) {
        if (slider->id() == id) {
            slider->makeLive(source);
            found = true;
        }
    }
    return found;
}

void Page::addLiveText(Rect rect, const Font& font, std::uint32_t colour, TextAlign align, LiveTextKind what)
{
    liveTexts_.emplace_back(rect, font, colour, align, what);
}

void Page::addLivePlugin(Plugin& plugin, Rect rect, bool onlyWhilePlaying)
{
    livePlugins_.emplace_back(plugin, rect, onlyWhilePlaying);
}

bool Page::animating() const
{
    for (const Button& button : buttons_) {
        if (button.hover() ? button.level() < 100.0f : button.level() > 0.0f)
            return true;
    }
    return false;
}

// FNV-1a over the states draw() shows; equal values mean an identical picture.
std::uint64_t Page::drawState() const
{
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](std::uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    for (const Button& button : buttons_)
        mix(static_cast<std::uint64_t>(button.pressed()) << 8 | button.highlightAlpha());
    for (const Indicator& indicator : indicators_)
        mix(indicator.on() ? 1 : 2);
    return hash;
}

void Page::fadeDraw(std::uint8_t alpha)
{
    unparkPictures();
    if (normalImage_ && hasLiveParts()) {
        // The page is composed with its live parts first, then blended as one picture.
        Canvas& scratch = context_.scratch;
        if (scratch.width() != context_.windowWidth || scratch.height() != context_.windowHeight)
            scratch.create(context_.windowWidth, context_.windowHeight);
        const Rect window{0, 0, context_.windowWidth, context_.windowHeight};
        scratch.copy(*normalImage_, 0, 0, window.right, window.bottom, 0, 0);
        updateLive(nullptr);
        drawLive(scratch, window, false);
        context_.canvas.blend(scratch.surface(), 0, 0, window.right, window.bottom, 0, 0, alpha);
    } else if (normalImage_) {
        context_.canvas.blend(*normalImage_, 0, 0, context_.windowWidth, context_.windowHeight, 0, 0, alpha);
    }
    for (Plugin* plugin : pluginsMode1_)
        plugin->draw(context_.pluginContext);
    for (Plugin* plugin : pluginsMode0_)
        plugin->draw(context_.pluginContext);
    // Live plugins keep running through the fade, over the blended pixels.
    for (const LivePlugin& plugin : livePlugins_) {
        if (plugin.active())
            plugin.plugin().draw(context_.pluginContext);
    }
}

} // namespace windlecroft
