#include "skin/Commands.h"

#include "base/TextEncoding.h"
#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"
#include "skin/EntryFileNames.h"
#include "skin/FolderWriter.h"
#include "base/TextEncoding.h"

#include <iomanip>

namespace windlecroft::skin {

namespace {

std::optional<ArchiveContents> openArchive(const std::filesystem::path& path, std::ostream& err)
{
    const std::optional<std::vector<std::uint8_t>> bytes = readFileBytes(path);
    if (!bytes) {
        err << "windlecroft-skin: can't read " << path.string() << '\n';
        return std::nullopt;
    }
    return ArchiveContents::parse(*bytes);
}

bool reportTail(const ArchiveContents& archive, const std::filesystem::path& path, std::ostream& err)
{
    if (const std::optional<std::size_t> tail = archive.corruptTail()) {
        err << "windlecroft-skin: " << path.string() << ": the bytes from offset " << *tail << " form no whole entry\n";
        return true;
    }
    return false;
}

} // namespace

int listArchive(const std::filesystem::path& path, std::ostream& out, std::ostream& err)
{
    const std::optional<ArchiveContents> archive = openArchive(path, err);
    if (!archive)
        return 1;
    for (const ArchiveFile& file : archive->files())
        out << std::setw(10) << file.data.size() << "  " << decodeWindows1250(file.name) << '\n';
    return reportTail(*archive, path, err) ? 1 : 0;
}

int extractArchive(const std::filesystem::path& path, const std::vector<std::string>& names, const std::filesystem::path& folder,
                   bool overwrite, std::ostream& err)
{
    const std::optional<ArchiveContents> archive = openArchive(path, err);
    if (!archive)
        return 1;
    int status = reportTail(*archive, path, err) ? 1 : 0;

    // The entries to write, by their index; a name asks for the first entry of that name, as the player finds it.
    std::vector<std::size_t> chosen;
    const std::vector<ArchiveFile>& files = archive->files();
    if (names.empty()) {
        for (std::size_t i = 0; i < files.size(); ++i)
            chosen.push_back(i);
    }
    for (const std::string& name : names) {
        const std::optional<std::string> stored = utf8ToWindows1250(name);
        const ArchiveFile* file = stored ? archive->find(*stored) : nullptr;
        if (file == nullptr) {
            err << "windlecroft-skin: " << path.string() << " has no entry \"" << name << "\"\n";
            status = 1;
            continue;
        }
        chosen.push_back(static_cast<std::size_t>(file - files.data()));
    }

    // An entry that cannot be written is reported and the others are still written.
    EntryFileNames fileNames;
    const FolderWriter writer(folder, overwrite);
    for (std::size_t index : chosen) {
        try {
            writer.write(fileNames.choose(static_cast<int>(index + 1), files[index].name), files[index].data);
        } catch (const std::exception& error) {
            err << "windlecroft-skin: " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace windlecroft::skin
