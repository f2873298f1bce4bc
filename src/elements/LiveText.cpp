#include "elements/LiveText.h"

#include "audio/Player.h"
#include "resources/Font.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace windlecroft {

namespace {

long wholeSeconds(double seconds) { return seconds > 0 && std::isfinite(seconds) ? static_cast<long>(seconds) : 0; }

// Whole seconds as m:ss, minutes as many as it takes.
int clock(char* out, std::size_t size, double seconds, const char* sign = "")
{
    const long whole = wholeSeconds(seconds);
    return std::snprintf(out, size, "%s%ld:%02ld", sign, whole / 60, whole % 60);
}

} // namespace

LiveText::LiveText(Rect rect, const Font& font, std::uint32_t colour, TextAlign align, LiveTextKind what)
    : rect_(rect), font_(font), colour_(colour), align_(align), what_(what)
{
}

LiveText::Values LiveText::valuesOf(const Player& player) const
{
    switch (what_) {
    case LiveTextKind::Elapsed: return {wholeSeconds(player.mainSeconds()), 0};
    case LiveTextKind::Remaining: return {wholeSeconds(player.mainLengthSeconds() - player.mainSeconds()), 0};
    case LiveTextKind::Length: return {wholeSeconds(player.mainLengthSeconds()), 0};
    case LiveTextKind::ElapsedOfLength: return {wholeSeconds(player.mainSeconds()), wholeSeconds(player.mainLengthSeconds())};
    case LiveTextKind::EntryName:
    case LiveTextKind::PositionOfCount: return {player.currentIndex(), player.playlist().count()};
    case LiveTextKind::MainVolume: return {player.mainVolume(), 0};
    case LiveTextKind::SideVolume: return {player.sideVolume(), 0};
    }
    return {};
}

bool LiveText::update(const Player& player)
{
    const Values values = valuesOf(player);
    if (!formed_ || values != formedFrom_) {
        form(player);
        formedFrom_ = values;
        formed_ = true;
    }
    return !everDrawn_ || length_ != drawnLength_ || std::memcmp(text_.data(), drawn_.data(), length_) != 0;
}

void LiveText::form(const Player& player)
{
    char* out = text_.data();
    const std::size_t size = text_.size();
    const double elapsed = player.mainSeconds();
    const double length = player.mainLengthSeconds();
    int written = 0;
    switch (what_) {
    case LiveTextKind::Elapsed: written = clock(out, size, elapsed); break;
    case LiveTextKind::Remaining: written = clock(out, size, length - elapsed, "-"); break;
    case LiveTextKind::Length: written = clock(out, size, length); break;
    case LiveTextKind::ElapsedOfLength: {
        const int first = clock(out, size, elapsed);
        written = first + std::snprintf(out + first, size - static_cast<std::size_t>(first), " / ");
        written += clock(out + written, size - static_cast<std::size_t>(written), length);
        break;
    }
    case LiveTextKind::EntryName: {
        const TrackEntry* entry = player.playlist().at(player.currentIndex());
        const std::string_view name = entry ? std::string_view(entry->title) : std::string_view();
        written = static_cast<int>(std::min(name.size(), size - 1));
        std::memcpy(out, name.data(), static_cast<std::size_t>(written));
        break;
    }
    case LiveTextKind::PositionOfCount:
        written = std::snprintf(out, size, "%d / %d", player.currentIndex() + 1, player.playlist().count());
        break;
    case LiveTextKind::MainVolume: written = std::snprintf(out, size, "%d%%", player.mainVolume()); break;
    case LiveTextKind::SideVolume: written = std::snprintf(out, size, "%d%%", player.sideVolume()); break;
    }
    length_ = std::min(static_cast<std::size_t>(std::max(written, 0)), size - 1);
}

void LiveText::draw(Surface& target, const Rect& clip)
{
    const Rect visible = intersection(clip, rect_);
    if (!holdsNoPixel(visible)) {
        const std::string_view shown = text();
        const int width = font_.textWidth(shown);
        const int x = align_ == TextAlign::Left ? rect_.left
            : align_ == TextAlign::Right        ? rect_.right - width
                                                : rect_.left + (rect_.width() - width) / 2;
        const int y = rect_.top + (rect_.height() - font_.cellHeight()) / 2;
        font_.drawText(target, x, y, shown, colour_, visible);
    }
    std::memcpy(drawn_.data(), text_.data(), length_);
    drawnLength_ = length_;
    everDrawn_ = true;
}

} // namespace windlecroft
