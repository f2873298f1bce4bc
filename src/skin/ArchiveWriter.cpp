#include "skin/ArchiveWriter.h"

#include "base/Error.h"

#include <fstream>

namespace windlecroft {

void ArchiveWriter::add(std::string_view name, std::span<const std::uint8_t> data)
{
    out_.string(name);
    out_.u32(static_cast<std::uint32_t>(data.size()));
    out_.raw(data);
}

void ArchiveWriter::add(std::string_view name, std::string_view text)
{
    add(name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void ArchiveWriter::save(const std::filesystem::path& path) const
{
    writeFile(path, out_.bytes());
}

void writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw Error("can't write " + path.string());
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw Error("can't write " + path.string());
}

} // namespace windlecroft
