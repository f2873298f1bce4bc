#include "skin/RecordCompiler.h"

#include "base/ActionCode.h"
#include "skin/ActionSyntax.h"
#include "skin/KeyNames.h"
#include "skin/KindNames.h"
#include "skin/LiveNames.h"
#include "skin/SourceError.h"
#include "skin/SourceKeys.h"
#include "skin/TomlFields.h"

namespace windlecroft::skin {

namespace {

Action action(TomlFields& fields, std::string_view key, const ActionContext& context)
{
    return compileAction(fields.require(key), context);
}

std::uint8_t keyCode(TomlFields& fields)
{
    const toml::node& node = fields.require("key");
    if (const auto* name = node.as_string()) {
        if (std::optional<std::uint8_t> code = keyCodeByName(name->get()))
            return *code;
        throw SourceError(lineOf(node), "unknown key name \"" + name->get() + "\"");
    }
    return static_cast<std::uint8_t>(integerOf(node, 0, 255, "key"));
}

// A byte field that may be written by one of two names or as a number.
std::uint8_t namedByte(TomlFields& fields, std::string_view key, std::string_view zero, std::string_view one,
                       std::optional<std::uint8_t> fallback)
{
    const toml::node* node = fallback ? fields.take(key) : &fields.require(key);
    if (node == nullptr)
        return *fallback;
    if (const auto* name = node->as_string()) {
        if (name->get() == zero)
            return 0;
        if (name->get() == one)
            return 1;
        throw SourceError(lineOf(*node), std::string(key) + " is \"" + std::string(zero) + "\", \"" + std::string(one) +
                                             "\" or a number, not \"" + name->get() + "\"");
    }
    return static_cast<std::uint8_t>(integerOf(*node, 0, 255, key));
}

// A slider id by its name or as a number.
std::uint16_t sliderId(TomlFields& fields, std::string_view key)
{
    const toml::node& node = fields.require(key);
    if (const auto* name = node.as_string()) {
        if (std::optional<std::uint16_t> id = findSliderId(name->get()))
            return *id;
        std::string known;
        for (const SliderInfo& slider : sliderTable())
            known += (known.empty() ? "" : ", ") + std::string(slider.name);
        throw SourceError(lineOf(node), "unknown slider id \"" + name->get() + "\" (" + known + ")");
    }
    return static_cast<std::uint16_t>(integerOf(node, 0, 0xFFFF, key));
}

// A value written by its name from names, or as a number.
template <std::size_t N>
std::uint8_t namedValue(TomlFields& fields, std::string_view key, const std::array<std::string_view, N>& names,
                        std::optional<std::uint8_t> fallback = std::nullopt)
{
    const toml::node* node = fallback ? fields.take(key) : &fields.require(key);
    if (node == nullptr)
        return *fallback;
    if (const auto* name = node->as_string()) {
        if (std::optional<std::uint8_t> value = indexOfName(names, name->get()))
            return *value;
        std::string known;
        for (std::string_view each : names)
            known += (known.empty() ? "" : ", ") + std::string(each);
        throw SourceError(lineOf(*node), std::string(key) + " \"" + name->get() + "\" is none of " + known);
    }
    return static_cast<std::uint8_t>(integerOf(*node, 0, 255, key));
}

// A colour as "#RRGGBB" (or "none" where none is allowed), or the file's 0x00BBGGRR number.
std::uint32_t colour(TomlFields& fields, std::string_view key, std::optional<std::uint32_t> none = std::nullopt)
{
    const toml::node& node = fields.require(key);
    if (const auto* text = node.as_string()) {
        if (none && text->get() == "none")
            return *none;
        if (std::optional<std::uint32_t> value = colourFromText(text->get()))
            return *value;
        throw SourceError(lineOf(node), std::string(key) + " is a colour \"#RRGGBB\"" + (none ? " or \"none\"" : "") +
                                            ", not \"" + text->get() + "\"");
    }
    return static_cast<std::uint32_t>(integerOf(node, 0, 0xFFFFFFFF, key));
}

ElementRecord::Body compileBody(const std::string& kind, TomlFields& fields, const ActionContext& context)
{
    if (kind == "list-style") {
        ListStyleRecord r;
        r.target = namedValue(fields, "target", listTargetNames);
        r.text = colour(fields, "text");
        r.selected = colour(fields, "selected");
        r.playing = colour(fields, "playing");
        r.hover = colour(fields, "hover");
        r.bar = colour(fields, "bar", ListStyleRecord::noBar);
        return r;
    }
    if (kind == "live-slider") {
        LiveSliderRecord r;
        r.sliderId = sliderId(fields, "slider");
        r.source = namedValue(fields, "source", liveSourceNames, 0);
        return r;
    }
    if (kind == "live-text") {
        LiveTextRecord r;
        r.rect = fields.rect("rect");
        r.font = fields.text("font");
        r.colour = colour(fields, "colour");
        r.align = namedValue(fields, "align", alignNames, 0);
        r.what = namedValue(fields, "shows", liveTextNames);
        return r;
    }
    if (kind == "live-plugin") {
        LivePluginRecord r;
        r.plugin = fields.text("plugin");
        r.rect = fields.rect("rect");
        r.flags = fields.flag("while-playing", 0);
        return r;
    }
    if (kind == "button")
        return ButtonRecord{fields.rect("rect"), action(fields, "action", context)};
    if (kind == "key") {
        const std::uint8_t key = keyCode(fields);
        return KeyBindingRecord{key, action(fields, "action", context)};
    }
    if (kind == "indicator") {
        std::string state = fields.text("state");
        return IndicatorRecord{std::move(state), fields.rect("rect")};
    }
    if (std::optional<std::uint16_t> id = actionListIdFor(kind))
        return ActionListRecord{*id, action(fields, "action", context)};
    if (kind == "text-list") {
        TextListRecord r;
        r.rect = fields.rect("rect");
        r.mode = namedByte(fields, "mode", "single-click", "double-click", 0);
        r.font = fields.text("font");
        r.rowHeight = fields.number<std::uint8_t>("row-height");
        return r;
    }
    if (kind == "slider") {
        SliderRecord r;
        r.rect = fields.rect("rect");
        r.releaseOnly = fields.flag("release-only", 0);
        r.orientation = namedByte(fields, "orientation", "horizontal", "vertical", std::nullopt);
        r.knob = fields.text("knob");
        r.id = sliderId(fields, "id");
        return r;
    }
    if (kind == "text-viewer") {
        TextViewerRecord r;
        r.rect = fields.rect("rect");
        r.font = fields.text("font");
        r.rowHeight = fields.number<std::uint8_t>("row-height");
        return r;
    }
    if (kind == "document") {
        std::string title = fields.text("title");
        return TextBlockRecord{std::move(title), fields.text("file")};
    }
    if (kind == "timer") {
        const auto delay = fields.number<std::uint32_t>("delay");
        return PageTimerRecord{delay, action(fields, "action", context)};
    }
    if (kind == "plugin") {
        std::string plugin = fields.text("plugin");
        return PagePluginRecord{std::move(plugin), fields.number<std::uint8_t>("mode", 0)};
    }
    if (kind == "wheel") {
        WheelZoneRecord r;
        r.rect = fields.rect("rect");
        r.up = action(fields, "up", context);
        r.down = action(fields, "down", context);
        return r;
    }
    if (kind == "raw") {
        const auto id = fields.number<std::uint16_t>("id");
        return RawRecord{id, fields.hex("hex")};
    }
    // Not reached while SourceKeys knows the same kinds as this function.
    throw SourceError(fields.line(), "unknown record kind \"" + kind + "\"");
}

} // namespace

ElementRecord compileRecord(const toml::table& table, const ActionContext& context)
{
    const std::string kind = kindOf(table, "record");
    const std::optional<std::span<const std::string_view>> keys = SourceKeys::record(kind);
    if (!keys)
        throw SourceError(lineOf(table), unknownName("record kind", kind, SourceKeys::recordKinds()));
    TomlFields typed(table, kind + " record", *keys);
    typed.rejectUnknownKeys();
    typed.take("kind");
    ElementRecord record;
    record.body = compileBody(kind, typed, context);
    record.length = typed.length();
    typed.finish();
    return record;
}

} // namespace windlecroft::skin
