#include "SkinLayout.h"

#include <toml++/toml.h>

#include <algorithm>
#include <stdexcept>

namespace windlecroft::demo {

namespace {

[[noreturn]] void fail(const toml::node& node, const std::string& message)
{
    throw std::runtime_error("skin.toml:" + std::to_string(node.source().begin.line) + ": " + message);
}

std::string stringField(const toml::table& table, std::string_view key)
{
    return std::string(table[key].value_or(std::string_view{}));
}

ActionSource action(const toml::node* node)
{
    ActionSource result;
    if (node == nullptr)
        return result;
    if (const auto* name = node->as_string()) {
        result.name = name->get();
        return result;
    }
    const auto* array = node->as_array();
    if (array == nullptr || array->empty() || !array->get(0)->is_string())
        fail(*node, "an action the generator reads is a name or [name, argument]");
    result.name = array->get(0)->as_string()->get();
    if (array->size() > 1) {
        const toml::node& argument = *array->get(1);
        if (const auto* number = argument.as_integer())
            result.number = number->get();
        else if (const auto* text = argument.as_string())
            result.text = text->get();
    }
    return result;
}

std::optional<Rect> rect(const toml::table& table)
{
    const toml::array* sides = table["rect"].as_array();
    if (sides == nullptr)
        return std::nullopt;
    if (sides->size() != 4)
        fail(table, "rect must be [left, top, right, bottom]");
    std::int32_t values[4];
    for (std::size_t i = 0; i < 4; ++i)
        values[i] = static_cast<std::int32_t>(sides->get(i)->value_or(std::int64_t{0}));
    return Rect{values[0], values[1], values[2], values[3]};
}

ElementSource element(const toml::table& table)
{
    ElementSource result;
    result.kind = stringField(table, "kind");
    result.rect = rect(table);
    result.action = action(table.get("action"));
    result.up = action(table.get("up"));
    result.down = action(table.get("down"));
    result.state = stringField(table, "state");
    result.rowHeight = static_cast<int>(table["row-height"].value_or(std::int64_t{0}));
    result.orientation = stringField(table, "orientation");
    result.knob = stringField(table, "knob");
    result.id = stringField(table, "id");
    result.font = stringField(table, "font");
    result.title = stringField(table, "title");
    result.file = stringField(table, "file");
    return result;
}

std::vector<const toml::table*> tables(const toml::table& table, std::string_view key)
{
    std::vector<const toml::table*> result;
    if (const toml::array* array = table[key].as_array()) {
        for (const toml::node& element : *array) {
            if (const auto* t = element.as_table())
                result.push_back(t);
        }
    }
    return result;
}

} // namespace

std::vector<const ElementSource*> PageSource::all(const std::string& kind) const
{
    std::vector<const ElementSource*> result;
    for (const ElementSource& element : elements) {
        if (element.kind == kind)
            result.push_back(&element);
    }
    return result;
}

SkinLayout SkinLayout::read(const std::filesystem::path& skinToml)
{
    toml::table root;
    try {
        root = toml::parse_file(skinToml.string());
    } catch (const toml::parse_error& error) {
        throw std::runtime_error(skinToml.string() + ": " + std::string(error.description()));
    }
    SkinLayout layout;
    layout.width = static_cast<int>(root["width"].value_or(std::int64_t{0}));
    layout.height = static_cast<int>(root["height"].value_or(std::int64_t{0}));
    if (layout.width <= 0 || layout.height <= 0)
        throw std::runtime_error(skinToml.string() + ": width and height must be given");

    for (const toml::table* entry : tables(root, "entry"))
        layout.entries.push_back({stringField(*entry, "name"), stringField(*entry, "picture"), stringField(*entry, "text")});
    for (const toml::table* chunk : tables(root, "chunk")) {
        const std::string kind = stringField(*chunk, "kind");
        if (kind == "font") {
            layout.fonts.push_back({stringField(*chunk, "name"), stringField(*chunk, "face"),
                                    static_cast<int>((*chunk)["height"].value_or(std::int64_t{0})),
                                    static_cast<int>((*chunk)["weight"].value_or(std::int64_t{400}))});
        } else if (kind == "page") {
            PageSource page;
            page.name = stringField(*chunk, "name");
            for (const toml::table* record : tables(*chunk, "records"))
                page.elements.push_back(element(*record));
            layout.pages.push_back(std::move(page));
        } else if (kind == "playlist") {
            for (const toml::table* track : tables(*chunk, "tracks"))
                layout.playlist.push_back({stringField(*track, "name"), stringField(*track, "file")});
        }
    }
    return layout;
}

const PageSource& SkinLayout::page(const std::string& name) const
{
    // The player finds the page defined last under a name.
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        if (it->name == name)
            return *it;
    }
    throw std::runtime_error("skin.toml has no page \"" + name + "\"");
}

const EntrySource& SkinLayout::entry(const std::string& name) const
{
    for (const EntrySource& each : entries) {
        if (each.name == name)
            return each;
    }
    throw std::runtime_error("skin.toml has no entry \"" + name + "\"");
}

const FontSource& SkinLayout::font(const std::string& name) const
{
    // As for pages, the font defined last under a name is the one the player finds.
    for (auto it = fonts.rbegin(); it != fonts.rend(); ++it) {
        if (it->name == name)
            return *it;
    }
    throw std::runtime_error("skin.toml has no font \"" + name + "\"");
}

std::vector<TrackSource> SkinLayout::playlistByPosition() const
{
    return {playlist.rbegin(), playlist.rend()};
}

} // namespace windlecroft::demo
