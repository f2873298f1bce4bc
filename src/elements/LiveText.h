#pragma once

#include "base/Rect.h"
#include "elements/LiveKinds.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace windlecroft {

class Font;
class Player;
class Surface;

/**
 * A text of the player's state (a time, the playing entry, a volume) drawn with one of the
 * skin's fonts in a rectangle, vertically centred and clipped to it. It is formed into a fixed
 * buffer, so following the player allocates nothing, and only when what it shows has changed
 * (a time once a second).
 */
class LiveText {
public:
    LiveText(Rect rect, const Font& font, std::uint32_t colour, TextAlign align, LiveTextKind what);

    /** Forms the text the player's state gives now; true when it differs from what was drawn. */
    bool update(const Player& player);
    /** Draws the text last formed, only inside clip. */
    void draw(Surface& target, const Rect& clip);

    const Rect& rect() const { return rect_; }
    std::string_view text() const { return {text_.data(), length_}; }

private:
    // The values the text is made of, in the units it shows: equal values give the same text.
    using Values = std::array<long, 2>;
    Values valuesOf(const Player& player) const;
    void form(const Player& player);

    Rect rect_;
    const Font& font_;
    std::uint32_t colour_;
    TextAlign align_;
    LiveTextKind what_;
    std::array<char, 96> text_{};
    std::size_t length_ = 0;
    std::array<char, 96> drawn_{};
    std::size_t drawnLength_ = 0;
    bool everDrawn_ = false;
    Values formedFrom_{};
    bool formed_ = false;
};

} // namespace windlecroft
