#include "ControlPainter.h"

#include "TrackScenes.h"

#include <cmath>
#include <map>

namespace windlecroft::demo {

namespace {

Shape rectShape(const Rect& r, float radius)
{
    return roundRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right) + 1.0f,
                     static_cast<float>(r.bottom) + 1.0f, radius);
}

bool horizontal(const ElementSource& slider)
{
    return slider.orientation != "vertical";
}

} // namespace

KnobSize knobSizeOf(const ElementSource& slider)
{
    const Rect& r = *slider.rect;
    if (horizontal(slider))
        return {slider.id == "seek" ? 18 : 12, r.height()};
    return {r.width(), 12};
}

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
    // The channel's name at the top left; the player writes its volume at the top right and
    // moves the slider below.
    const std::string name = zone.up.name == "main-volume" ? "music" : zone.up.name == "side-volume" ? "pieces" : zone.up.name;
    text_.draw(canvas_, r.left + 8, r.top + 5, name, palette_.engraving, 12, true);
}

// Rectangles of sliders are drawn as the player draws their knobs: right and bottom exclusive.
void ControlPainter::slider(const ElementSource& slider)
{
    const Rect& r = *slider.rect;
    const Box box = grow(r, 2);
    const float l = static_cast<float>(r.left);
    const float t = static_cast<float>(r.top);
    const float rt = static_cast<float>(r.right);
    const float b = static_cast<float>(r.bottom);
    const KnobSize knob = knobSizeOf(slider);
    if (!horizontal(slider)) {
        const float cx = (l + rt) / 2.0f;
        canvas_.fill(roundRect(cx - 3.0f, t, cx + 3.0f, b, 3.0f), box, shade(palette_.well, -0.35f));
        canvas_.fill(roundRect(cx - 2.0f, t + 1.0f, cx + 2.0f, b - 1.0f, 2.0f), box, palette_.well);
        return;
    }
    const float cy = (t + b) / 2.0f;
    canvas_.fill(roundRect(l, cy - 3.5f, rt, cy + 3.5f, 3.5f), box, shade(palette_.well, -0.35f));
    canvas_.fill(roundRect(l + 1.0f, cy - 2.5f, rt - 1.0f, cy + 2.5f, 2.5f), box, palette_.well);
    // Ticks under the track where the knob's middle stands at each tenth (the seek bar) or
    // quarter (a volume), clear of the knob's picture.
    const int steps = slider.id == "seek" ? 10 : 4;
    const float first = l + static_cast<float>(knob.width) / 2.0f;
    const float travel = rt - l - static_cast<float>(knob.width);
    const Box under{r.left - 2, r.bottom, r.right + 2, r.bottom + 5};
    for (int i = 0; i <= steps; ++i) {
        const float x = first + travel * static_cast<float>(i) / static_cast<float>(steps);
        const float length = i == 0 || i == steps || (steps == 10 && i == 5) ? 4.0f : 2.5f;
        canvas_.fill(roundRect(x - 0.6f, b + 1.0f, x + 0.6f, b + 1.0f + length, 0.3f), under, palette_.engraving, 0.6f);
    }
}

void ControlPainter::playlist(const ElementSource& list, int entries)
{
    const Rect& r = *list.rect;
    const int rowHeight = list.rowHeight;
    const int rows = rowHeight > 0 ? std::min(entries, (r.bottom - r.top) / rowHeight) : 0;
    const int gutterLeft = r.left - markGutter;
    for (int i = 0; i < rows; ++i) {
        const int y = r.top + i * rowHeight;
        const Rect row{gutterLeft, y, r.right, y + rowHeight - 1};
        if (i % 2 == 1)
            canvas_.fill(rectShape(row, 2.0f), grow(row, 1), shade(palette_.well, palette_.time == TimeOfDay::Night ? 0.06f : -0.05f));
        // Which page the piece plays in: a sun, a setting sun or the moon.
        const float cx = static_cast<float>(gutterLeft) + 8.0f;
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
    }
}

Canvas ControlPainter::knob(const ElementSource& slider) const
{
    const Rect& r = *slider.rect;
    const KnobSize size = knobSizeOf(slider);
    const bool across = horizontal(slider);
    const int x0 = across ? r.left + (r.width() - size.width) / 2 : r.left;
    const int y0 = across ? r.top : r.top + (r.height() - size.height) / 2;
    Canvas picture(size.width, size.height, palette_.body);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x)
            picture.set(x, y, canvas_.at(x0 + x, y0 + y));
    }
    const float w = static_cast<float>(size.width);
    const float h = static_cast<float>(size.height);
    const Box all{0, 0, size.width, size.height};
    const float radius = std::min(w, h) / 2.0f - 1.5f;
    // A soft shadow below, a dark rim, and the face lit from above.
    picture.fill(roundRect(0.5f, 1.5f, w - 0.5f, h, radius), all, shade(palette_.bodyShadow, -0.5f), 0.45f);
    picture.fill(roundRect(0.5f, 0.5f, w - 0.5f, h - 1.0f, radius), all, shade(palette_.faceShadow, -0.45f));
    picture.fill(roundRect(1.5f, 1.5f, w - 1.5f, h - 2.0f, radius - 1.0f), all,
                 verticalGradient(1.5f, h - 2.0f, shade(palette_.face, 0.45f), shade(palette_.faceShadow, -0.05f)));
    // Grip lines across the direction of travel; the seek knob's middle one glows, a playhead.
    const float cx = w / 2.0f;
    const float cy = (h - 1.0f) / 2.0f;
    const Colour groove = shade(palette_.faceShadow, -0.3f);
    for (int i = -1; i <= 1; ++i) {
        const float d = static_cast<float>(i) * 3.0f;
        const bool accent = i == 0 && slider.id == "seek";
        const Colour ink = accent ? palette_.glow : groove;
        if (across)
            picture.fill(roundRect(cx + d - 0.6f, cy - 3.0f, cx + d + 0.6f, cy + 3.0f, 0.3f), all, ink, accent ? 1.0f : 0.8f);
        else
            picture.fill(roundRect(cx - 3.0f, cy + d - 0.6f, cx + 3.0f, cy + d + 0.6f, 0.3f), all, ink, 0.8f);
    }
    return picture;
}

} // namespace windlecroft::demo
