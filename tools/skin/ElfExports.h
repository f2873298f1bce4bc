#pragma once

#include <filesystem>
#include <string_view>

namespace windlecroft::skin {

/** What a library file says about one of its exported functions. */
enum class ElfExport {
    Exported,
    /** A shared library for this machine that does not export the symbol. */
    Missing,
    /** Not a shared library for this machine (another format, word size, byte order or processor). */
    NotALibrary,
    /** A library without a section table; its exports cannot be read without loading it. */
    Unknown,
    Unreadable,
};

/**
 * Whether the shared library at path exports a defined function or object named symbol, found
 * by reading its dynamic symbol table. Nothing of the library runs: a skin's plugin is native
 * code, and loading it to ask would run its initialisers. The file is read whole, up to a
 * bound, and every offset in it is checked against its size.
 */
ElfExport findElfExport(const std::filesystem::path& path, std::string_view symbol);

} // namespace windlecroft::skin
