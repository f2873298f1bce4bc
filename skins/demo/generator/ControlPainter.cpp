#include "ControlPainter.h"

#include "TrackScenes.h"

#include <cmath>
#include <filesystem>
#include <map>

namespace windlecroft::demo {

namespace {

Shape rectShape(const Rect& r, float radius)
{
    return roundRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right) + 1.0f,
                     static_cast<float>(r.bottom) + 1.0f, radius);
}

std::string formatTag(const std::string& file)
{
    std::string extension = std::filesystem::path(file).extension().string();
    std::string tag;
    for (char c : extension.substr(extension.empty() ? 0 : 1))
        tag += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return tag;
}

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

Box grow(const Rect& rect, int margin)
{
    return {rect.left - margin, rect.top - margin, rect.right + 1 + margin, rect.bottom + 1 + margin};
}

ControlPainter::ControlPainter(Canvas& canvas, TextPainter& text, const Palette& palette)
    : canvas_(canvas), text_(text), palette_(palette)
{
}

std::string ControlPainter::label(const ActionSource& action) const
{
    static const std::map<std::string, std::string> labels{{"repeat", "repeat"}, {"random", "random"}};
    if (auto found = labels.find(action.name); found != labels.end())
        return found->second;
    if (action.name == "side-play" || action.name == "side-fade-in")
        return action.text;
    if (action.name == "switch-page" && action.text != "outro")
        return "begin";
    return {};
}

void ControlPainter::button(const ElementSource& button, ControlState state)
{
    const Rect& r = *button.rect;
    const Box box = grow(r, 4);
    const float radius = std::min(r.width(), r.height()) > 24 ? 7.0f : 4.0f;
    const float top = static_cast<float>(r.top);
    const float bottom = static_cast<float>(r.bottom) + 1.0f;

    if (state == ControlState::Highlight) {
        // A glow around the face.
        canvas_.fill(roundRect(static_cast<float>(r.left) - 3, top - 3, static_cast<float>(r.right) + 4, bottom + 3, radius + 3), box,
                     palette_.glow, 0.45f);
    }
    // Rim, then the face: lit from above at rest, sunk when pressed.
    canvas_.fill(rectShape(r, radius), box, shade(palette_.faceShadow, -0.35f));
    const Rect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    Colour upper = shade(palette_.face, 0.25f);
    Colour lower = palette_.faceShadow;
    if (state == ControlState::Pressed) {
        // Sunk: darker, lit from below.
        upper = shade(palette_.faceShadow, -0.2f);
        lower = shade(palette_.face, -0.05f);
    }
    if (state == ControlState::Highlight) {
        upper = mix(upper, palette_.glow, 0.35f);
        lower = mix(lower, palette_.glow, 0.25f);
    }
    canvas_.fill(rectShape(inner, radius - 1), box, verticalGradient(top, bottom, upper, lower));

    const float offset = state == ControlState::Pressed ? 1.0f : 0.0f;
    const Colour ink = state == ControlState::Pressed ? palette_.iconPressed : state == ControlState::Highlight ? shade(palette_.icon, -0.2f)
                                                                                                              : palette_.icon;
    const float cx = (static_cast<float>(r.left) + static_cast<float>(r.right) + 1.0f) / 2.0f + offset;
    const float cy = (top + bottom) / 2.0f + offset;
    const std::string words = label(button.action);
    if (!words.empty()) {
        text_.draw(canvas_, static_cast<int>(cx), static_cast<int>(cy) - 7, words, ink, 12, true, TextPainter::Align::Centre);
        return;
    }
    icon(button.action.name + (button.action.text == "outro" ? ":outro" : ""), cx, cy,
         static_cast<float>(std::min(r.width(), r.height())) * 0.55f, ink);
}

void ControlPainter::icon(const std::string& action, float cx, float cy, float size, Colour colour)
{
    const float h = size / 2.0f;
    const Box box{static_cast<int>(cx - size), static_cast<int>(cy - size), static_cast<int>(cx + size) + 1, static_cast<int>(cy + size) + 1};
    const auto put = [&](Shape shape) { canvas_.fill(shape, box, colour); };
    const auto right = [&](float x, float w) { put(polygon({{x, cy - h}, {x + w, cy}, {x, cy + h}})); };
    const auto left = [&](float x, float w) { put(polygon({{x + w, cy - h}, {x, cy}, {x + w, cy + h}})); };
    const auto bar = [&](float x, float w) { put(roundRect(x, cy - h, x + w, cy + h, 0.8f)); };
    const float bw = size * 0.2f;

    if (action == "play") {
        right(cx - h * 0.8f, size * 0.9f);
    } else if (action == "pause") {
        bar(cx - h * 0.75f, bw * 1.3f);
        bar(cx + h * 0.75f - bw * 1.3f, bw * 1.3f);
    } else if (action == "stop" || action == "side-stop") {
        put(roundRect(cx - h * 0.8f, cy - h * 0.8f, cx + h * 0.8f, cy + h * 0.8f, 1.0f));
    } else if (action == "previous") {
        bar(cx - h, bw);
        left(cx - h + bw, size * 0.8f);
    } else if (action == "next") {
        right(cx + h - bw - size * 0.8f, size * 0.8f);
        bar(cx + h - bw, bw);
    } else if (action == "step-back") {
        left(cx - h, h);
        left(cx, h);
    } else if (action == "step-forward") {
        right(cx - h, h);
        right(cx, h);
    } else if (action == "play-index") {
        bar(cx - h, bw);
        left(cx - h + bw, h * 0.9f);
        left(cx - h + bw + h * 0.9f, h * 0.9f);
    } else if (action == "main-restart-fade-in") {
        put(polygon({{cx - size * 0.7f, cy + h}, {cx + size * 0.7f, cy + h}, {cx + size * 0.7f, cy - h}}));
    } else if (action == "main-fade-out" || action == "side-fade-out") {
        put(polygon({{cx - size * 0.7f, cy - h}, {cx - size * 0.7f, cy + h}, {cx + size * 0.7f, cy + h}}));
    } else if (action == "minimise") {
        put(roundRect(cx - h, cy + h * 0.4f, cx + h, cy + h * 0.9f, 0.8f));
    } else if (action == "to-tray") {
        put(polygon({{cx - h * 0.7f, cy - h}, {cx + h * 0.7f, cy - h}, {cx, cy + h * 0.2f}}));
        put(roundRect(cx - h, cy + h * 0.5f, cx + h, cy + h * 0.9f, 0.8f));
    } else if (action == "switch-page:outro" || action == "viewer-close") {
        put(segment(cx - h * 0.8f, cy - h * 0.8f, cx + h * 0.8f, cy + h * 0.8f, size * 0.18f));
        put(segment(cx - h * 0.8f, cy + h * 0.8f, cx + h * 0.8f, cy - h * 0.8f, size * 0.18f));
    } else if (action == "viewer-up") {
        put(polygon({{cx - h, cy + h * 0.5f}, {cx + h, cy + h * 0.5f}, {cx, cy - h * 0.6f}}));
    } else if (action == "viewer-down") {
        put(polygon({{cx - h, cy - h * 0.5f}, {cx + h, cy - h * 0.5f}, {cx, cy + h * 0.6f}}));
    } else {
        put(circle(cx, cy, h * 0.5f));
    }
}

void ControlPainter::lamp(const ElementSource& indicator, ControlState state)
{
    const Rect& r = *indicator.rect;
    const float cx = (static_cast<float>(r.left) + static_cast<float>(r.right) + 1.0f) / 2.0f;
    const float cy = (static_cast<float>(r.top) + static_cast<float>(r.bottom) + 1.0f) / 2.0f;
    const float radius = static_cast<float>(std::min(r.width(), r.height())) / 2.0f;
    const Box box = grow(r, 4);
    canvas_.fill(circle(cx, cy, radius + 1.0f), box, shade(palette_.faceShadow, -0.4f));
    if (state == ControlState::Highlight) {
        canvas_.fill(circle(cx, cy, radius + 3.0f), box, palette_.glow, 0.35f);
        canvas_.fill(circle(cx, cy, radius), box, radialGradient(cx - 1.5f, cy - 1.5f, radius * 1.4f, shade(palette_.glow, 0.7f), palette_.glow));
    } else {
        canvas_.fill(circle(cx, cy, radius), box, radialGradient(cx - 1.5f, cy - 1.5f, radius * 1.4f, shade(palette_.lampOff, 0.3f), palette_.lampOff));
    }
}

void ControlPainter::wheel(const ElementSource& zone)
{
    const Rect& r = *zone.rect;
    const Box box = grow(r, 2);
    canvas_.fill(rectShape(r, 9.0f), box, shade(palette_.bodyShadow, -0.1f));
    canvas_.fill(rectShape({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, 8.0f), box,
                 verticalGradient(static_cast<float>(r.top), static_cast<float>(r.bottom), palette_.bodyShadow, shade(palette_.body, 0.1f)));
    // A ribbed knob at the left, the zone's name and its two levels at the right.
    const float knobX = static_cast<float>(r.left) + 26.0f;
    const float knobY = (static_cast<float>(r.top) + static_cast<float>(r.bottom)) / 2.0f;
    canvas_.fill(circle(knobX, knobY, 19.0f), box, shade(palette_.faceShadow, -0.3f));
    canvas_.fill(circle(knobX, knobY, 17.5f), box, radialGradient(knobX - 6, knobY - 6, 30, shade(palette_.face, 0.35f), palette_.faceShadow));
    for (int i = 0; i < 12; ++i) {
        const float a = static_cast<float>(i) * 3.14159265f / 6.0f;
        canvas_.fill(segment(knobX + 12.0f * std::cos(a), knobY + 12.0f * std::sin(a), knobX + 16.5f * std::cos(a), knobY + 16.5f * std::sin(a), 1.4f),
                     box, shade(palette_.faceShadow, -0.2f));
    }
    const std::string name = zone.up.name == "main-volume" ? "music" : zone.up.name == "side-volume" ? "pieces" : zone.up.name;
    const int textX = static_cast<int>(knobX) + 24;
    text_.draw(canvas_, textX, r.top + 9, name, palette_.engraving, 13, true);
    const std::string levels = std::to_string(zone.up.number.value_or(0)) + " / " + std::to_string(zone.down.number.value_or(0));
    text_.draw(canvas_, textX, r.top + 28, levels, palette_.engraving, 11);
}

void ControlPainter::slider(const ElementSource& slider)
{
    const Rect& r = *slider.rect;
    const Box box = grow(r, 2);
    const float l = static_cast<float>(r.left);
    const float t = static_cast<float>(r.top);
    const float rt = static_cast<float>(r.right) + 1.0f;
    const float b = static_cast<float>(r.bottom) + 1.0f;
    if (slider.orientation == "vertical") {
        const float cx = (l + rt) / 2.0f;
        canvas_.fill(roundRect(cx - 3.0f, t, cx + 3.0f, b, 3.0f), box, shade(palette_.well, -0.35f));
        canvas_.fill(roundRect(cx - 2.0f, t + 1.0f, cx + 2.0f, b - 1.0f, 2.0f), box, palette_.well);
        return;
    }
    const float cy = (t + b) / 2.0f;
    for (float x = l + 7.0f; x < rt - 6.0f; x += 22.0f)
        canvas_.fill(roundRect(x, t, x + 1.2f, b, 0.5f), box, palette_.engraving, 0.5f);
    canvas_.fill(roundRect(l, cy - 3.5f, rt, cy + 3.5f, 3.5f), box, shade(palette_.well, -0.35f));
    canvas_.fill(roundRect(l + 1.0f, cy - 2.5f, rt - 1.0f, cy + 2.5f, 2.5f), box, palette_.well);
}

void ControlPainter::playlist(const ElementSource& list, const std::vector<TrackSource>& byPosition)
{
    const Rect& r = *list.rect;
    const int rowHeight = list.rowHeight;
    const int rows = rowHeight > 0 ? std::min<int>(static_cast<int>(byPosition.size()), (r.bottom - r.top) / rowHeight) : 0;
    for (int i = 0; i < rows; ++i) {
        const int y = r.top + i * rowHeight;
        const Rect row{r.left, y, r.right, y + rowHeight - 1};
        if (i % 2 == 1)
            canvas_.fill(rectShape(row, 2.0f), grow(row, 1), shade(palette_.well, palette_.time == TimeOfDay::Night ? 0.06f : -0.05f));
        // Which page the piece plays in: a sun, a setting sun or the moon.
        const float cx = static_cast<float>(r.left) + 8.0f;
        const float cy = static_cast<float>(y) + static_cast<float>(rowHeight) / 2.0f;
        const Box mark{static_cast<int>(cx) - 6, static_cast<int>(cy) - 6, static_cast<int>(cx) + 7, static_cast<int>(cy) + 7};
        switch (timeOfPosition(i)) {
        case TimeOfDay::Day:
            canvas_.fill(circle(cx, cy, 4.0f), mark, Colour::hex(0xE8A020));
            break;
        case TimeOfDay::Evening:
            canvas_.fill(intersect(circle(cx, cy + 1.5f, 4.5f), [cy](float, float py) { return py <= cy + 1.5f; }), mark, Colour::hex(0xE0603A));
            canvas_.fill(roundRect(cx - 5.0f, cy + 2.0f, cx + 5.0f, cy + 3.0f, 0.4f), mark, Colour::hex(0xE0603A));
            break;
        case TimeOfDay::Night:
            canvas_.fill(subtract(circle(cx, cy, 4.5f), circle(cx + 2.2f, cy - 1.2f, 4.0f)), mark, Colour::hex(0x6A7CC8));
            break;
        }
        const int textY = y + (rowHeight - 13) / 2;
        text_.draw(canvas_, r.left + 18, textY, twoDigits(i + 1), palette_.wellTextDim, 11);
        text_.draw(canvas_, r.left + 38, textY, byPosition[static_cast<std::size_t>(i)].name, palette_.wellText, 12);
        text_.draw(canvas_, r.right - 4, textY + 1, formatTag(byPosition[static_cast<std::size_t>(i)].file), palette_.wellTextDim, 10, false,
                   TextPainter::Align::Right);
    }
}

void ControlPainter::documents(const ElementSource& viewer, const std::vector<const ElementSource*>& documents)
{
    const Rect& r = *viewer.rect;
    const int rowHeight = viewer.rowHeight;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const int y = r.top + static_cast<int>(i) * rowHeight;
        if (y + rowHeight - 1 > r.bottom)
            break;
        const ElementSource& document = *documents[documents.size() - 1 - i];
        const float cx = static_cast<float>(r.left) + 8.0f;
        const float cy = static_cast<float>(y) + static_cast<float>(rowHeight) / 2.0f;
        // A page with a folded corner.
        canvas_.fill(polygon({{cx - 4, cy - 6}, {cx + 2, cy - 6}, {cx + 5, cy - 3}, {cx + 5, cy + 6}, {cx - 4, cy + 6}}),
                     {static_cast<int>(cx) - 6, static_cast<int>(cy) - 8, static_cast<int>(cx) + 8, static_cast<int>(cy) + 8}, palette_.wellTextDim);
        text_.draw(canvas_, r.left + 20, y + (rowHeight - 14) / 2, document.title, palette_.wellText, 13);
    }
}

} // namespace windlecroft::demo
