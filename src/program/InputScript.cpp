#include "program/InputScript.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <map>
#include <tuple>
#include <utility>

namespace windlecroft {

namespace {

using Kind = InputEvent::Kind;

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r'))
            ++at;
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
            ++at;
        if (at > start)
            words.push_back(line.substr(start, at - start));
    }
    return words;
}

// One line's words with the line number, so that every complaint names the line.
class LineReader {
public:
    LineReader(int number, std::vector<std::string_view> words) : number_(number), words_(std::move(words)) {}

    bool atEnd() const { return next_ == words_.size(); }
    std::string_view peek() const { return atEnd() ? std::string_view{} : words_[next_]; }
    std::string_view word() { return atEnd() ? std::string_view{} : words_[next_++]; }

    // A decimal or 0x-prefixed hexadecimal number within [low, high].
    std::int64_t number(std::string_view what, std::int64_t low, std::int64_t high)
    {
        if (atEnd())
            fail("missing " + std::string(what));
        const std::string_view text = word();
        std::string_view digits = text;
        bool negative = false;
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
            negative = digits.front() == '-';
            digits.remove_prefix(1);
        }
        int base = 10;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            digits.remove_prefix(2);
        }
        std::uint64_t magnitude = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
        if (digits.empty() || error == std::errc::invalid_argument || end != digits.data() + digits.size())
            fail(std::string(what) + " \"" + std::string(text) + "\" is not a number");
        // Anything past the signed 64-bit range is out of every range asked for here.
        if (error == std::errc::result_out_of_range
            || magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            fail(outOfRange(what, text, low, high));
        const std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
        if (value < low || value > high)
            fail(outOfRange(what, text, low, high));
        return value;
    }

    void expectEnd(std::string_view usage)
    {
        if (!atEnd())
            fail("unexpected \"" + std::string(peek()) + "\" (" + std::string(usage) + ")");
    }

    [[noreturn]] void fail(const std::string& message) const { throw InputScriptError(number_, message); }

private:
    static std::string outOfRange(std::string_view what, std::string_view text, std::int64_t low, std::int64_t high)
    {
        return std::string(what) + " " + std::string(text) + " is out of range (" + std::to_string(low) + ".."
               + std::to_string(high) + ")";
    }

    int number_;
    std::vector<std::string_view> words_;
    std::size_t next_ = 0;
};

constexpr std::int64_t coordinateMin = -32768;
constexpr std::int64_t coordinateMax = 32767;

void readPoint(LineReader& line, InputEvent& event)
{
    event.x = static_cast<int>(line.number("X", coordinateMin, coordinateMax));
    event.y = static_cast<int>(line.number("Y", coordinateMin, coordinateMax));
}

// The event named by the rest of a line; pointer is the last position the script named, for
// "wheel DELTA".
InputEvent readEvent(LineReader& line, std::pair<int, int>& pointer)
{
    static const std::map<std::string_view, Kind, std::less<>> pointerEvents{
        {"move", Kind::Move}, {"press", Kind::Press}, {"release", Kind::Release}, {"doubleclick", Kind::DoubleClick}};
    static const std::map<std::string_view, Kind, std::less<>> plainEvents{
        {"rightpress", Kind::RightPress}, {"focus", Kind::Focus}, {"close", Kind::Close}};

    InputEvent event;
    const std::string_view name = line.word();
    if (auto found = pointerEvents.find(name); found != pointerEvents.end()) {
        event.kind = found->second;
        readPoint(line, event);
        pointer = {event.x, event.y};
        line.expectEnd(std::string(name) + " takes X Y");
    } else if (auto plain = plainEvents.find(name); plain != plainEvents.end()) {
        event.kind = plain->second;
        line.expectEnd(std::string(name) + " takes nothing");
    } else if (name == "key") {
        const std::string_view direction = line.word();
        if (direction != "down" && direction != "up")
            line.fail("key takes down or up, then a virtual-key code");
        event.kind = direction == "down" ? Kind::KeyDown : Kind::KeyUp;
        event.value = static_cast<int>(line.number("key code", 0, 0xFF));
        line.expectEnd("key takes down or up, then a virtual-key code");
    } else if (name == "wheel") {
        event.kind = Kind::Wheel;
        const std::int64_t first = line.number("wheel delta", coordinateMin, coordinateMax);
        if (line.atEnd()) {
            std::tie(event.x, event.y) = pointer;
            event.value = static_cast<int>(first);
        } else {
            event.x = static_cast<int>(first);
            event.y = static_cast<int>(line.number("Y", coordinateMin, coordinateMax));
            event.value = static_cast<int>(line.number("wheel delta", coordinateMin, coordinateMax));
            pointer = {event.x, event.y};
        }
        line.expectEnd("wheel takes X Y DELTA, or DELTA alone");
    } else if (name == "tray") {
        const std::string_view button = line.word();
        if (button != "left" && button != "right")
            line.fail("tray takes left or right");
        event.kind = button == "left" ? Kind::TrayLeft : Kind::TrayRight;
        line.expectEnd("tray takes left or right");
    } else if (name == "menu") {
        event.kind = Kind::Menu;
        event.value = static_cast<int>(line.number("menu command", 0, 0xFFFF));
        line.expectEnd("menu takes one command number");
    } else if (name.empty()) {
        line.fail("an event must follow the time");
    } else {
        line.fail("unknown event \"" + std::string(name) + "\"");
    }
    return event;
}

} // namespace

InputScript InputScript::parse(std::string_view text)
{
    InputScript script;
    std::uint64_t time = 0;
    std::pair<int, int> pointer{0, 0};
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view content = text.substr(start, end - start);
        start = end + 1;
        ++number;
        if (const std::size_t hash = content.find('#'); hash != std::string_view::npos)
            content = content.substr(0, hash);
        LineReader line(number, splitWords(content));
        if (line.atEnd())
            continue;
        if (line.peek() == "at") {
            line.word();
            const auto at = static_cast<std::uint64_t>(
                line.number("time", 0, std::numeric_limits<std::int64_t>::max()));
            if (at < time)
                line.fail("time " + std::to_string(at) + " is earlier than the line before (" + std::to_string(time) + ")");
            time = at;
        }
        InputEvent event = readEvent(line, pointer);
        event.atMs = time;
        script.events_.push_back(event);
    }
    return script;
}

} // namespace windlecroft
