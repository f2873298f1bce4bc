#include "SkinLoad.h"

#include "support/SkinRig.h"
#include "base/Error.h"
#include "resources/PictureLimits.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace windlecroft::fuzz {

namespace {

// Every player sets up its own font configuration. The system's configuration is a few dozen
// files of rules; reading them for every input would take most of the fuzzer's time, so the
// players here see the system's fonts (and the ones a skin installs) without those rules.
constexpr const char* fontConfiguration = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
</fontconfig>
)";

// A folder of this process under the system's temporary folder, made the temporary folder of
// everything that runs afterwards, so that anything a fuzzed skin writes there is seen. It
// holds only the font configuration above.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "windlecroft-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
        const std::filesystem::path fonts = path_ / "fonts.conf";
        std::ofstream(fonts) << fontConfiguration;
        setenv("FONTCONFIG_FILE", fonts.c_str(), 1);
        setenv("TMPDIR", path_.c_str(), 1);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

// Loading a skin writes no file: font files are read from memory.
bool scratchFolderHoldsOnlyTheFontConfiguration()
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder(), error)) {
        if (entry.path().filename() != "fonts.conf")
            return false;
    }
    return !error;
}

} // namespace

void loadSkin(std::span<const std::uint8_t> config, std::vector<std::uint8_t> archive)
{
    ApplicationOptions options;
    options.skinDir = scratchFolder();
    test::SkinRig rig(true, options);
    rig.builder().openArchive(std::move(archive));
    // The player's own report of a bad skin is a normal outcome; anything else escapes.
    const bool loaded = rig.walk(config) == "loaded";
    if (!scratchFolderHoldsOnlyTheFontConfiguration())
        std::abort();
    // A configuration that loads asks for a window whose back buffer can be allocated. The
    // window itself is not created: a buffer of 2^26 pixels costs most of a second to clear.
    if (loaded && static_cast<std::int64_t>(rig.skin.windowWidth()) * rig.skin.windowHeight() > maxWindowPixels)
        std::abort();
}

} // namespace windlecroft::fuzz
