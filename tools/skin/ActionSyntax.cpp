#include "skin/ActionSyntax.h"

#include "base/ActionCode.h"
#include "skin/SourceError.h"
#include "skin/TomlFields.h"
#include "skin/TomlText.h"
#include "base/TextEncoding.h"

namespace windlecroft::skin {

namespace {

std::uint16_t codeOf(const toml::node& node, const ActionInfo*& known)
{
    known = nullptr;
    if (const auto* name = node.as_string()) {
        known = findAction(name->get());
        if (known == nullptr)
            throw SourceError(lineOf(node), "unknown action \"" + name->get() + "\"");
        return number(known->code);
    }
    const auto code = static_cast<std::uint16_t>(integerOf(node, 0, 0xFFFF, "action code"));
    known = findAction(code);
    return code;
}

std::uint16_t argumentOf(const toml::node& node, const ActionInfo* known, const ActionContext& context)
{
    if (node.is_integer())
        return static_cast<std::uint16_t>(integerOf(node, 0, 0xFFFF, "action argument"));
    const auto* name = node.as_string();
    if (name == nullptr)
        throw SourceError(lineOf(node), "an action argument must be a number or a name");
    const ArgumentKind kind = known ? known->argument : ArgumentKind::None;
    if (kind == ArgumentKind::Slider) {
        if (std::optional<std::uint16_t> id = findSliderId(name->get()))
            return *id;
        throw SourceError(lineOf(node), "unknown slider id \"" + name->get() + "\" (seek, list-scroll, viewer-scroll)");
    }
    if (kind == ArgumentKind::Position) {
        if (std::optional<std::uint16_t> position = context.positionOf(textOf(node, "name")))
            return *position;
        if (!context.complete())
            return 0;
        throw SourceError(lineOf(node), "the playlist has no entry named \"" + name->get() + "\"");
    }
    if (kind != ArgumentKind::PageName && kind != ArgumentKind::TrackName)
        throw SourceError(lineOf(node), "this action takes a number, not the name \"" + name->get() + "\"");
    const std::string text = textOf(node, "name");
    const StringTable& table = context.strings();
    if (std::optional<std::uint16_t> index = table.present() ? table.indexOf(text) : std::nullopt)
        return *index;
    if (!context.complete())
        return 0;
    if (!table.present())
        throw SourceError(lineOf(node), "\"" + name->get() + "\" needs a string-mapping chunk that holds it");
    throw SourceError(lineOf(node), "the string mapping holds no \"" + name->get() + "\"");
}

} // namespace

Action compileAction(const toml::node& node, const ActionContext& context)
{
    const ActionInfo* known = nullptr;
    if (const auto* array = node.as_array()) {
        if (array->empty() || array->size() > 2)
            throw SourceError(lineOf(node), "an action is a name, a code, or [name or code, argument]");
        Action action;
        action.code = codeOf(*array->get(0), known);
        if (array->size() == 2)
            action.arg = argumentOf(*array->get(1), known, context);
        else if (known != nullptr && known->argument != ArgumentKind::None && array->get(0)->is_string())
            throw SourceError(lineOf(node), "action \"" + std::string(known->name) + "\" needs an argument");
        return action;
    }
    Action action;
    action.code = codeOf(node, known);
    if (known != nullptr && known->argument != ArgumentKind::None && node.is_string())
        throw SourceError(lineOf(node), "action \"" + std::string(known->name) + "\" needs an argument: [\"" +
                                            std::string(known->name) + "\", ...]");
    return action;
}

std::string actionSource(const Action& action, const ActionContext& context)
{
    const StringTable& table = context.strings();
    const ActionInfo* known = findAction(action.code);
    if (known == nullptr)
        return action.arg == 0 ? tomlHex16(action.code) : "[" + tomlHex16(action.code) + ", " + std::to_string(action.arg) + "]";
    const std::string name = tomlQuote(known->name);
    switch (known->argument) {
    case ArgumentKind::None:
        return action.arg == 0 ? name : "[" + name + ", " + std::to_string(action.arg) + "]";
    case ArgumentKind::Slider:
        if (std::optional<std::string_view> slider = sliderName(action.arg))
            return "[" + name + ", " + tomlQuote(*slider) + "]";
        return "[" + name + ", " + tomlHex16(action.arg) + "]";
    case ArgumentKind::PageName:
    case ArgumentKind::TrackName: {
        // The name is written only when it leads back to this very index.
        const std::string* text = table.at(action.arg);
        if (text != nullptr && !text->empty() && table.indexOf(*text) == action.arg) {
            if (std::optional<std::string> utf8 = windows1250ToUtf8(*text))
                return "[" + name + ", " + tomlQuote(*utf8) + "]";
        }
        return "[" + name + ", " + std::to_string(action.arg) + "]";
    }
    case ArgumentKind::Position: {
        const std::string* entry = context.entryAt(action.arg);
        if (entry != nullptr && !entry->empty() && context.positionOf(*entry) == action.arg) {
            if (std::optional<std::string> utf8 = windows1250ToUtf8(*entry))
                return "[" + name + ", " + tomlQuote(*utf8) + "]";
        }
        break;
    }
    case ArgumentKind::Number:
        break;
    }
    return "[" + name + ", " + std::to_string(action.arg) + "]";
}

} // namespace windlecroft::skin
