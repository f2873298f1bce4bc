#include "skin/Commands.h"

#include "skin/FolderWriter.h"
#include "skin/StarterSkin.h"

namespace windlecroft::skin {

int newSkin(const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
{
    // A folder that holds anything is someone's work: nothing in it is replaced.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    if (std::filesystem::exists(status)) {
        if (!std::filesystem::is_directory(status)) {
            err << "windlecroft-skin: " << folder.string() << " exists and is not a folder\n";
            return 1;
        }
        if (!std::filesystem::is_empty(folder, error) || error) {
            err << "windlecroft-skin: " << folder.string() << " is not empty; give a new or empty folder\n";
            return 1;
        }
    }
    const FolderWriter writer(folder, false);
    for (const SourceFile& file : starterSkin())
        writer.write(file.path, file.bytes);
    out << "A new skin source is in " << folder.string() << ". Next:\n"
        << "  windlecroft-skin build " << folder.string() << " -o SKIN_FOLDER && windlecroft SKIN_FOLDER\n"
        << "  windlecroft-skin preview " << folder.string() << "    (rebuilds and restarts the player as you edit)\n";
    return 0;
}

} // namespace windlecroft::skin
