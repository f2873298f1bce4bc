#include "base/RegularFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

using namespace windlecroft;

TEST(RegularFile, OnlyRegularFilesOpenAndNothingEverBlocks)
{
    test::TempDir dir;
    std::ofstream(dir / "file") << "abc";
    std::filesystem::create_directory(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir / "file", dir / "link");
    std::filesystem::create_symlink("/dev/zero", dir / "device");

    EXPECT_EQ(RegularFile(dir / "missing").status(), RegularFile::Status::Missing);
    EXPECT_EQ(RegularFile(dir / "file" / "below").status(), RegularFile::Status::Missing);
    for (const char* name : {"folder", "fifo", "device"})
        EXPECT_EQ(RegularFile(dir / name).status(), RegularFile::Status::NotRegular) << name;
    // A link to a regular file is read as that file.
    EXPECT_EQ(readRegularFile(dir / "link", 3), (std::vector<std::uint8_t>{'a', 'b', 'c'}));
}

TEST(RegularFile, ReadsStopAtTheBound)
{
    test::TempDir dir;
    std::ofstream(dir / "file") << "abcd";
    RegularFile file(dir / "file");
    EXPECT_EQ(file.readAll(3), std::nullopt);
    EXPECT_EQ(file.status(), RegularFile::Status::TooLarge);
    EXPECT_EQ(readRegularFile(dir / "file", 4)->size(), 4u);
    EXPECT_EQ(readRegularFile(dir / "fifo", 4), std::nullopt);
}
