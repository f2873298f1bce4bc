#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace windlecroft::skin {

/**
 * The keys each table of a source allows, and the kinds of chunks and records. The compiler
 * refuses any other key before it reads a table, naming the key it most likely misspells, so
 * that a typo such as "rectt" is reported as what it is and not as a missing "rect".
 */
struct SourceKeys {
    static std::span<const std::string_view> root();
    static std::span<const std::string_view> entry();
    /** A track of a tracklist, an item of a tray menu, an entry of a string mapping. */
    static std::span<const std::string_view> track();
    static std::span<const std::string_view> trayItem();
    static std::span<const std::string_view> mappingEntry();

    /** The keys of a chunk or record of that kind ("kind" and "length" among them), or nothing for an unknown kind. */
    static std::optional<std::span<const std::string_view>> chunk(std::string_view kind);
    static std::optional<std::span<const std::string_view>> record(std::string_view kind);

    static std::span<const std::string_view> chunkKinds();
    static std::span<const std::string_view> recordKinds();
};

} // namespace windlecroft::skin
