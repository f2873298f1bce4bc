#include "skin/FileBytes.h"

#include "base/RegularFile.h"

namespace windlecroft::skin {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path)
{
    return readRegularFile(path, maxFileBytes);
}

} // namespace windlecroft::skin
