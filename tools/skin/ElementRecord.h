#pragma once

#include "base/Rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace windlecroft::skin {

/** An action as the skin stores it: a code and an argument, both 16 bits. */
struct Action {
    std::uint16_t code = 0;
    std::uint16_t arg = 0;
    friend bool operator==(const Action&, const Action&) = default;
};

struct ButtonRecord {
    Rect rect;
    Action action;
};

struct KeyBindingRecord {
    std::uint8_t key = 0;
    Action action;
};

struct IndicatorRecord {
    std::string state;
    Rect rect;
};

/** Background, right-click, enter and leave actions share one layout; the record id tells the list. */
struct ActionListRecord {
    std::uint16_t id = 0;
    Action action;
};

struct TextListRecord {
    Rect rect;
    std::uint8_t mode = 0;
    std::string font;
    std::uint8_t rowHeight = 0;
};

struct SliderRecord {
    Rect rect;
    std::uint8_t releaseOnly = 0;
    std::uint8_t orientation = 0;
    std::string knob;
    std::uint16_t id = 0;
};

struct TextViewerRecord {
    Rect rect;
    std::string font;
    std::uint8_t rowHeight = 0;
};

struct TextBlockRecord {
    std::string title;
    std::string file;
};

struct PageTimerRecord {
    std::uint32_t delay = 0;
    Action action;
};

struct PagePluginRecord {
    std::string plugin;
    std::uint8_t mode = 0;
};

struct WheelZoneRecord {
    Rect rect;
    Action up;
    Action down;
};

/** A record of a kind the player does not know: kept as its id and payload bytes. */
struct RawRecord {
    std::uint16_t id = 0;
    std::vector<std::uint8_t> payload;
};

/**
 * One element record inside a page chunk. `length` holds the length field only when it differs
 * from the record's true size, so that a file with a wrong length is written back unchanged.
 */
struct ElementRecord {
    using Body = std::variant<ButtonRecord, KeyBindingRecord, IndicatorRecord, ActionListRecord, TextListRecord,
                              SliderRecord, TextViewerRecord, TextBlockRecord, PageTimerRecord, PagePluginRecord,
                              WheelZoneRecord, RawRecord>;
    Body body;
    std::optional<std::uint32_t> length;

    /** The record id written in the header. */
    std::uint16_t id() const;
};

} // namespace windlecroft::skin
