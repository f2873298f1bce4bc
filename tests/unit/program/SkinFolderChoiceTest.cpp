#include "program/SkinFolderChoice.h"
#include "skin/SkinFileNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace windlecroft;
using namespace windlecroft::test;
namespace fs = std::filesystem;

namespace {

// A working folder, an installation under usr/ and a build tree, each without a skin until a
// case puts a windlecroft.cfg where it wants one.
struct Layout {
    const TempDir root;
    const fs::path working = root / "working";
    const fs::path installedBin = root / "usr" / "bin";
    const fs::path installedDemo = root / "usr" / "share" / "windlecroft" / "skins" / "demo";
    const fs::path buildTree = root / "build";
    const fs::path buildDemo = root / "build" / "skins" / "demo";

    Layout()
    {
        for (const fs::path& folder : {working, installedBin, installedDemo, buildDemo})
            fs::create_directories(folder);
    }
    static void putConfig(const fs::path& folder) { std::ofstream(folder / configFileName) << "cfg"; }
};

} // namespace

TEST(SkinFolderChoice, ANamedFolderWinsAndAWorkingFolderWithAConfigComesNext)
{
    Layout layout;
    Layout::putConfig(layout.working);
    Layout::putConfig(layout.installedDemo);
    EXPECT_EQ(chooseSkinFolder(layout.root / "named", layout.working, layout.installedBin), layout.root / "named");
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.installedBin), layout.working);

    // A configuration that cannot be read still marks the folder as the one meant: the player
    // reports it instead of opening the demo skin.
    fs::remove(layout.working / configFileName);
    fs::create_directory(layout.working / configFileName);
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.installedBin), layout.working);
    fs::remove(layout.working / configFileName);
    fs::create_symlink(layout.root / "missing.cfg", layout.working / configFileName);
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.installedBin), layout.working);
}

TEST(SkinFolderChoice, WithoutAConfigTheDemoSkinBesideTheProgramOpens)
{
    Layout layout;
    // A build tree whose demo skin is not built yet has nothing to offer.
    EXPECT_EQ(bundledSkinFolder(layout.buildTree), fs::path());
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.buildTree), layout.working);
    Layout::putConfig(layout.buildDemo);
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.buildTree), layout.buildDemo);

    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.installedBin), layout.working);
    Layout::putConfig(layout.installedDemo);
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, layout.installedBin), layout.installedDemo);

    // An unknown program folder never stands for the root or the working folder.
    EXPECT_EQ(chooseSkinFolder(std::nullopt, layout.working, fs::path()), layout.working);
}
