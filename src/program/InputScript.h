#pragma once

#include "platform/headless/InputEvent.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace windlecroft {

/** A malformed script line: its number (from 1) and what is wrong with it. */
class InputScriptError : public std::runtime_error {
public:
    InputScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

/**
 * Timed input for the headless desktop, written one event a line:
 *
 *     # comment
 *     at 1200 move 60 30
 *     at 1300 press 60 30
 *     release 60 30
 *     key down 0x20
 *
 * "at MS" gives the event's time in milliseconds from the start of the event loop; a line
 * without it happens at the time of the line before (0 for the first). Times never go back.
 * Events: move X Y, press X Y, release X Y, doubleclick X Y, rightpress, key down|up CODE,
 * wheel X Y DELTA (or wheel DELTA at the last position named), tray left|right, menu COMMAND,
 * focus, close. Numbers are decimal or 0x-prefixed hexadecimal; blank lines and everything
 * after "#" are ignored.
 */
class InputScript {
public:
    InputScript() = default;

    /** Parses a whole script; throws InputScriptError at the first malformed line. */
    static InputScript parse(std::string_view text);

    const std::vector<InputEvent>& events() const { return events_; }
    bool empty() const { return events_.empty(); }

private:
    std::vector<InputEvent> events_;
};

} // namespace windlecroft
