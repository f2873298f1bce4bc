// The windlecroft-skin program: build, dump, list and extract as a person runs them.
#include "ToolTestSupport.h"

#include "app/SkinBuilder.h"
#include "support/SkinConfigWriter.h"
#include "skin/ArchiveContents.h"
#include "skin/AssetReader.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace windlecroft::skin {
namespace {

using test::Rgba;

using test::runTool;

using test::fileBytes;

// A source with converted pictures, a generated mask, named pages and symbolic actions.
void writeSource(const test::TempDir& dir)
{
    std::filesystem::create_directories(dir / "src/art");
    writeFile(dir / "src/art/day.png", test::makePng(60, 40, [](int x, int y) {
                  return Rgba{static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 6), 90, 255};
              }));
    writeFile(dir / "src/art/shape.png", test::makePng(60, 40, [](int x, int) {
                  return Rgba{0, 0, 0, static_cast<std::uint8_t>(x < 3 ? 0 : 255)};
              }));
    test::writeText(dir / "src/art/doc.txt", "A document.\n");
    test::writeText(dir / "src/skin.toml", R"(# A small skin.
title = "Windlecroft"
width = 60
height = 40

[[entry]]
name = "Data\\dzien.jpg"
picture = "art/day.png"
[[entry]]
name = "Data\\noc.bmp"
picture = "art/day.png"
[[entry]]
name = "Data\\panel.rgn"
mask = "art/shape.png"
[[entry]]
name = "docs\\doc.txt"
file = "art/doc.txt"

[[chunk]]
kind = "font"
name = "font"
face = "DejaVu Sans"
weight = 700
height = 14
[[chunk]]
kind = "string-mapping"
strings = ["dzien", "noc"]
[[chunk]]
kind = "page"
name = "dzien"
normal = "Data\\dzien.jpg"
cross-fade = true
records = [
  { kind = "button", rect = [10, 20, 50, 30], action = ["switch-page", "noc"] },
  { kind = "key", key = "space", action = "pause" },
  { kind = "text-viewer", rect = [0, 0, 59, 19], font = "font", row-height = 10 },
  { kind = "document", title = "Doc", file = "docs\\doc.txt" },
]
[[chunk]]
kind = "page"
name = "noc"
normal = "Data\\noc.bmp"
records = [ { kind = "button", rect = [10, 20, 50, 30], action = ["switch-page", "dzien"] } ]
[[chunk]]
kind = "start-scene"
scene = "dzien"
)");
}

TEST(SkinToolCommands, BuildThenDumpThenBuildGivesTheSameBytes)
{
    test::TempDir dir;
    writeSource(dir);
    test::RunResult result = runTool({"build", (dir / "src").string(), "-o", (dir / "first").string()});
    ASSERT_EQ(result.status, 0) << result.errors;
    result = runTool({"dump", (dir / "first").string(), "-o", (dir / "dumped").string()});
    ASSERT_EQ(result.status, 0) << result.errors;
    result = runTool({"build", (dir / "dumped").string(), "-o", (dir / "second").string()});
    ASSERT_EQ(result.status, 0) << result.errors;

    for (const char* name : {configFileName, dataFileName})
        EXPECT_EQ(fileBytes(dir / "first" / name), fileBytes(dir / "second" / name)) << name;
    EXPECT_EQ(fileBytes(dir / "dumped/archive/docs/doc.txt"), test::bytesOf("A document.\n"));
    const std::string source(reinterpret_cast<const char*>(fileBytes(dir / "dumped/skin.toml").data()),
                             fileBytes(dir / "dumped/skin.toml").size());
    EXPECT_NE(source.find("action = [\"switch-page\", \"noc\"]"), std::string::npos) << source;
    EXPECT_NE(source.find("key = \"space\", action = \"pause\""), std::string::npos) << source;
}

TEST(SkinToolCommands, DumpKeepsEveryArchiveEntryInsideTheSourceFolder)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir / "skin");
    SkinConfigWriter config("", 1, 1);
    config.save(dir / "skin" / configFileName);
    ArchiveWriter archive;
    for (const char* name : {"..\\..\\up.txt", "Data", "Data\\x.txt", "a:b|c.txt", "", "Data"})
        archive.add(name, std::string("data of ") + name);
    archive.add("Data\\panel.rgn", std::string(1, '\1')); // the window's shape, without which build refuses the skin
    archive.save(dir / "skin" / dataFileName);

    ASSERT_EQ(runTool({"dump", (dir / "skin").string(), "-o", (dir / "dumped").string()}).status, 0);
    ASSERT_EQ(runTool({"build", (dir / "dumped").string(), "-o", (dir / "again").string()}).status, 0);
    EXPECT_EQ(fileBytes(dir / "again" / dataFileName), archive.bytes());
    // Only the source folder was written to.
    for (const auto& item : std::filesystem::directory_iterator(dir.path()))
        EXPECT_TRUE(item.path().filename() == "skin" || item.path().filename() == "dumped" || item.path().filename() == "again")
            << item.path();
    EXPECT_EQ(fileBytes(dir / "dumped/archive/Data"), test::bytesOf("data of Data"));
}

TEST(SkinToolCommands, BuildAndDumpRefuseBrokenInputWithAMessage)
{
    test::TempDir dir;
    test::writeText(dir / "src/skin.toml", "width = 1\nheight = 1\n[[chunk]]\nkind = \"page\"\nname = \"p\"\nrecords = [ { kind = \"button\" } ]\n");
    test::RunResult result = runTool({"build", (dir / "src").string(), "-o", (dir / "out").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("skin.toml:6: chunk 1 (page \"p\"), record 1 (button): error: button record needs rect"),
              std::string::npos)
        << result.errors;
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    std::filesystem::create_directories(dir / "skin");
    writeFile(dir / "skin" / configFileName, std::vector<std::uint8_t>{0x58, 0x02, 0x20, 0, 0, 0, 'a'});
    ArchiveWriter().save(dir / "skin" / dataFileName);
    result = runTool({"dump", (dir / "skin").string(), "-o", (dir / "dumped").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("root: config file corrupted, unexpected end of file"), std::string::npos) << result.errors;
}

TEST(SkinToolCommands, ListAndExtractShowAndWriteEntries)
{
    test::TempDir dir;
    ArchiveWriter archive;
    archive.add("Data\\panel.rgn", std::string(6, '\1'));
    archive.add("Przywr\xF3\xE6.txt", "tekst");
    archive.add("Data\\panel.rgn", "shadowed");
    archive.save(dir / "a.dat");

    test::RunResult result = runTool({"list", (dir / "a.dat").string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output, "         6  Data\\panel.rgn\n         5  Przywróć.txt\n         8  Data\\panel.rgn\n");

    result = runTool({"extract", (dir / "a.dat").string(), "Data\\panel.rgn", "Przywróć.txt", "-o", (dir / "some").string()});
    EXPECT_EQ(result.status, 0) << result.errors;
    EXPECT_EQ(fileBytes(dir / "some/Data/panel.rgn"), test::bytesOf(std::string(6, '\1'))); // the first of two, as the player finds
    EXPECT_EQ(fileBytes(dir / "some/Przywróć.txt"), test::bytesOf("tekst"));

    result = runTool({"extract", (dir / "a.dat").string(), "-o", (dir / "all").string()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(fileBytes(dir / "all/#3-Data_panel.rgn"), test::bytesOf("shadowed"));

    result = runTool({"extract", (dir / "a.dat").string(), "nothing.txt", "-o", (dir / "none").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("has no entry \"nothing.txt\""), std::string::npos);
}

TEST(SkinToolCommands, ATruncatedArchiveIsReportedNotMisread)
{
    test::TempDir dir;
    ArchiveWriter archive;
    archive.add("one.txt", "first");
    archive.add("two.txt", "second entry");
    std::vector<std::uint8_t> bytes = archive.bytes();
    bytes.resize(bytes.size() - 3);
    writeFile(dir / "a.dat", bytes);

    test::RunResult result = runTool({"list", (dir / "a.dat").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "         5  one.txt\n");
    EXPECT_NE(result.errors.find("the bytes from offset 17 form no whole entry"), std::string::npos) << result.errors;

    SkinConfigWriter("", 1, 1).save(dir / configFileName);
    std::filesystem::copy_file(dir / "a.dat", dir / dataFileName);
    result = runTool({"dump", dir.path().string(), "-o", (dir / "dumped").string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("a dump would lose them"), std::string::npos) << result.errors;
}

TEST(SkinToolCommands, ExtractNeverWritesThroughLinksAndReplacesFilesOnlyWhenForced)
{
    test::TempDir dir;
    ArchiveWriter archive;
    for (const char* name : {"kept.txt", "hard.txt", "link.txt", "Data\\x.txt", "..\\..\\up.txt", "/abs.txt"})
        archive.add(name, "new");
    archive.save(dir / "a.dat");
    test::writeText(dir / "victim", "secret");
    std::filesystem::create_directories(dir / "elsewhere");
    test::writeText(dir / "out/kept.txt", "old");
    std::filesystem::create_hard_link(dir / "victim", dir / "out/hard.txt");
    std::filesystem::create_symlink(dir / "victim", dir / "out/link.txt");
    std::filesystem::create_directory_symlink(dir / "elsewhere", dir / "out/Data");
    const auto contains = [](const std::string& text, const std::filesystem::path& path, const char* what) {
        return text.find(path.string() + what) != std::string::npos;
    };

    for (const bool force : {false, true}) {
        std::vector<std::string> arguments{"extract", (dir / "a.dat").string(), "-o", (dir / "out").string()};
        if (force)
            arguments.push_back("--force");
        const test::RunResult result = runTool(arguments);
        EXPECT_EQ(result.status, 1);
        for (const char* link : {"link.txt", "Data"})
            EXPECT_TRUE(contains(result.errors, "refusing to write through the symbolic link " / dir.path() / "out" / link, ""))
                << result.errors;
        EXPECT_EQ(contains(result.errors, dir / "out/kept.txt", " exists (use --force to overwrite)"), !force) << result.errors;
        EXPECT_EQ(fileBytes(dir / "out/kept.txt"), test::bytesOf(force ? "new" : "old"));
        EXPECT_EQ(fileBytes(dir / "out/hard.txt"), test::bytesOf(force ? "new" : "secret"));
        EXPECT_EQ(fileBytes(dir / "victim"), test::bytesOf("secret"));
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "out/link.txt"));
        EXPECT_TRUE(std::filesystem::is_empty(dir / "elsewhere"));
    }
    // Names that would climb out or start at the root are written flat inside the folder.
    int flat = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir / "out"))
        flat += item.path().filename().string().starts_with('#') && fileBytes(item.path()) == test::bytesOf("new");
    EXPECT_EQ(flat, 2);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 4);
}

TEST(SkinToolCommands, BuildReadsOnlyRegularFilesInsideTheSourceFolderUnlessAllowed)
{
    test::TempDir dir;
    test::writeText(dir / "outside.bmp", "BM outside");
    std::filesystem::create_directories(dir / "src");
    std::filesystem::create_symlink("../outside.bmp", dir / "src/link.bmp");
    test::writeText(dir / "src/skin.toml", "width = 1\nheight = 1\n[[entry]]\nname = \"a.bmp\"\nfile = \"../outside.bmp\"\n"
                                           "[[entry]]\nname = \"b.bmp\"\nfile = \"link.bmp\"\n"
                                           "[[entry]]\nname = 'Data\\panel.rgn'\ntext = \"x\"\n");
    const std::vector<std::string> build{"build", (dir / "src").string(), "-o", (dir / "out").string()};
    test::RunResult result = runTool(build);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("skin.toml:5: archive entry 1 (\"a.bmp\"): error: ../outside.bmp lies outside the source folder "
                                 "(use --allow-outside)"),
              std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("skin.toml:8: archive entry 2 (\"b.bmp\"): error: link.bmp lies outside"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));

    std::vector<std::string> allowed = build;
    allowed.push_back("--allow-outside");
    result = runTool(allowed);
    ASSERT_EQ(result.status, 0) << result.errors;
    const ArchiveContents built = ArchiveContents::parse(fileBytes(dir / "out" / dataFileName));
    for (const char* name : {"a.bmp", "b.bmp"})
        EXPECT_TRUE(built.find(name) && built.find(name)->data == test::bytesOf("BM outside")) << name;

    // A FIFO would block a plain open for ever; a huge (sparse) file would fill the memory.
    ASSERT_EQ(::mkfifo((dir / "src/pipe").c_str(), 0600), 0);
    test::writeText(dir / "src/huge.bin", "");
    std::filesystem::resize_file(dir / "src/huge.bin", maxAssetBytes + 1);
    test::writeText(dir / "src/skin.toml", "width = 1\nheight = 1\n[[entry]]\nname = \"p\"\nfile = \"pipe\"\n"
                                           "[[entry]]\nname = \"h\"\nfile = \"huge.bin\"\n");
    std::filesystem::remove_all(dir / "out");
    result = test::runProcess({test::builtProgram("windlecroft-skin").string(), "build", (dir / "src").string(), "-o",
                               (dir / "out").string()},
                              {}, std::chrono::seconds(10));
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.errors.find("skin.toml:5: archive entry 1 (\"p\"): error: pipe is not a regular file"), std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("huge.bin is larger than 256 MiB"), std::string::npos) << result.errors;
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

} // namespace
} // namespace windlecroft::skin
