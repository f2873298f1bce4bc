#include "skin/ElfExports.h"

#include "base/RegularFile.h"

#include <elf.h>
#include <link.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace windlecroft::skin {

namespace {

// A plugin is a small library; anything much larger is not inspected.
constexpr std::uint64_t maxLibraryBytes = std::uint64_t{64} << 20;

using Header = ElfW(Ehdr);
using Section = ElfW(Shdr);
using Symbol = ElfW(Sym);

// A plain copy of a structure at offset, when the whole of it lies in the file.
template <typename T>
std::optional<T> at(const std::vector<std::uint8_t>& bytes, std::uint64_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        return std::nullopt;
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

// The machine this program runs on, from its own header: a plugin must match it to load.
std::optional<Header> ownHeader()
{
    std::ifstream self("/proc/self/exe", std::ios::binary);
    Header header{};
    if (!self.read(reinterpret_cast<char*>(&header), sizeof header))
        return std::nullopt;
    return header;
}

bool sameMachine(const Header& header, const Header& own)
{
    return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == own.e_ident[EI_CLASS] &&
           header.e_ident[EI_DATA] == own.e_ident[EI_DATA] && header.e_machine == own.e_machine && header.e_type == ET_DYN;
}

// The name at offset of a string table section, when it ends inside the section.
std::optional<std::string_view> nameAt(const std::vector<std::uint8_t>& bytes, const Section& strings, std::uint64_t offset)
{
    if (strings.sh_offset > bytes.size() || strings.sh_size > bytes.size() - strings.sh_offset || offset >= strings.sh_size)
        return std::nullopt;
    const char* start = reinterpret_cast<const char*>(bytes.data() + strings.sh_offset + offset);
    const std::size_t room = static_cast<std::size_t>(strings.sh_size - offset);
    const void* end = std::memchr(start, '\0', room);
    if (end == nullptr)
        return std::nullopt;
    return std::string_view(start, static_cast<std::size_t>(static_cast<const char*>(end) - start));
}

} // namespace

ElfExport findElfExport(const std::filesystem::path& path, std::string_view symbol)
{
    const std::optional<std::vector<std::uint8_t>> file = readRegularFile(path, maxLibraryBytes);
    if (!file)
        return ElfExport::Unreadable;
    const std::vector<std::uint8_t>& bytes = *file;
    const std::optional<Header> header = at<Header>(bytes, 0);
    const std::optional<Header> own = ownHeader();
    if (!header || !own || !sameMachine(*header, *own))
        return ElfExport::NotALibrary;
    if (header->e_shoff == 0 || header->e_shentsize != sizeof(Section))
        return ElfExport::Unknown;

    bool tableSeen = false;
    for (std::uint64_t i = 0; i < header->e_shnum; ++i) {
        const std::optional<Section> table = at<Section>(bytes, header->e_shoff + i * sizeof(Section));
        if (!table)
            return ElfExport::Unknown;
        if (table->sh_type != SHT_DYNSYM)
            continue;
        tableSeen = true;
        const std::optional<Section> strings =
            table->sh_link < header->e_shnum ? at<Section>(bytes, header->e_shoff + std::uint64_t{table->sh_link} * sizeof(Section))
                                             : std::nullopt;
        if (!strings || table->sh_entsize != sizeof(Symbol) || table->sh_offset > bytes.size() ||
            table->sh_size > bytes.size() - table->sh_offset)
            return ElfExport::Unknown;
        for (std::uint64_t offset = 0; offset + sizeof(Symbol) <= table->sh_size; offset += sizeof(Symbol)) {
            const std::optional<Symbol> entry = at<Symbol>(bytes, table->sh_offset + offset);
            if (!entry || entry->st_shndx == SHN_UNDEF)
                continue;
            const unsigned binding = ELF64_ST_BIND(entry->st_info);
            const unsigned type = ELF64_ST_TYPE(entry->st_info);
            if ((binding != STB_GLOBAL && binding != STB_WEAK) || (type != STT_FUNC && type != STT_OBJECT && type != STT_GNU_IFUNC))
                continue;
            if (nameAt(bytes, *strings, entry->st_name) == symbol)
                return ElfExport::Exported;
        }
    }
    return tableSeen ? ElfExport::Missing : ElfExport::Unknown;
}

} // namespace windlecroft::skin
