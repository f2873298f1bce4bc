#include "base/Error.h"
#include "skin/ChunkIds.h"
#include "support/SkinRig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace windlecroft;

namespace {

class SkinConfigLoaderTest : public ::testing::Test {
protected:
    std::string walk(const std::vector<std::uint8_t>& bytes) { return rig.walk(bytes); }

    test::SkinRig rig;
    const Skin& app = rig.skin;
};

} // namespace

TEST_F(SkinConfigLoaderTest, SmallestFileSetsTitleAndSizeOnly)
{
    const std::vector<std::uint8_t> bytes{0x58, 0x02, 0x0B, 0, 0, 0, 0, 0x80, 0x02, 0xE0, 0x01};
    EXPECT_EQ(walk(bytes), "loaded");
    EXPECT_EQ(app.windowTitle(), "");
    EXPECT_EQ(app.windowWidth(), 640);
    EXPECT_EQ(app.windowHeight(), 480);
    EXPECT_EQ(app.startScene(), "");
    EXPECT_EQ(app.timing().crossFadeTime, 1500);
}

TEST_F(SkinConfigLoaderTest, UnknownChunksAreSkippedByTheirLength)
{
    SkinConfigWriter writer("Skin", 600, 510);
    const std::vector<std::uint8_t> junk{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    writer.rawChunk(0x7000, junk);
    // A nested root id means nothing and is skipped too; so is a chunk whose payload looks
    // like a start scene.
    writer.rawChunk(chunk::root, std::vector<std::uint8_t>{'x', 0, 0x30, 0x30});
    writer.startScene("noc");
    EXPECT_EQ(walk(writer.finish()), "loaded");
    EXPECT_EQ(app.windowTitle(), "Skin");
    EXPECT_EQ(app.windowWidth(), 600);
    EXPECT_EQ(app.windowHeight(), 510);
    EXPECT_EQ(app.startScene(), "noc");
}

TEST_F(SkinConfigLoaderTest, BytesAfterTheRootAreNeverRead)
{
    SkinConfigWriter writer("t", 600, 510);
    writer.startScene("intro");
    std::vector<std::uint8_t> bytes = writer.finish();
    // A trailing start-scene chunk and a signature lie outside the root and change nothing.
    SkinConfigWriter tail("", 1, 1);
    tail.startScene("outro");
    auto extra = tail.finish();
    bytes.insert(bytes.end(), extra.begin() + 10, extra.end());
    bytes.insert(bytes.end(), {'S', 'I', 'G'});
    EXPECT_EQ(walk(bytes), "loaded");
    EXPECT_EQ(app.startScene(), "intro");
}

TEST_F(SkinConfigLoaderTest, TimingZeroKeepsAndLaterStartSceneWins)
{
    SkinConfigWriter writer("t", 600, 510);
    writer.timing(0, 2000, 0);
    writer.startScene("intro");
    writer.startScene("dzien");
    EXPECT_EQ(walk(writer.finish()), "loaded");
    EXPECT_EQ(app.timing().crossFadeTime, 1500);
    EXPECT_EQ(app.timing().musicFadeTime, 2000);
    EXPECT_EQ(app.timing().highlightStep, 5);
    EXPECT_EQ(app.startScene(), "dzien");

    SkinConfigWriter second("t", 600, 510);
    second.timing(700, 0, 30);
    EXPECT_EQ(walk(second.finish()), "loaded");
    EXPECT_EQ(app.timing().crossFadeTime, 700);
    EXPECT_EQ(app.timing().musicFadeTime, 2000);
    EXPECT_EQ(app.timing().highlightStep, 30);
}

TEST_F(SkinConfigLoaderTest, RootIdWrittenBigEndianIsRejected)
{
    const std::vector<std::uint8_t> bytes{0x02, 0x58, 0x0B, 0, 0, 0, 0, 0x80, 0x02, 0xE0, 0x01};
    EXPECT_EQ(walk(bytes), "config file corrupted, first chunk should be 0x0258");
    EXPECT_EQ(walk({}), "config file corrupted, first chunk should be 0x0258");
}

TEST_F(SkinConfigLoaderTest, RootLongerThanTheFileStopsWithAClearMessage)
{
    SkinConfigWriter writer("t", 600, 510);
    writer.startScene("noc");
    std::vector<std::uint8_t> bytes = writer.finish();
    bytes[2] = static_cast<std::uint8_t>(bytes[2] + 40);
    EXPECT_EQ(walk(bytes), "config file corrupted, unexpected end of file");
}

TEST_F(SkinConfigLoaderTest, UnknownChunkShorterThanItsHeaderDoesNotLoopForEver)
{
    SkinConfigWriter writer("t", 600, 510);
    writer.rawChunk(0x7000, {}, 0u);
    EXPECT_EQ(walk(writer.finish()), "config file corrupted, chunk length smaller than its header");
}

TEST_F(SkinConfigLoaderTest, EveryTruncationLoadsOrFailsWithAMessage)
{
    SkinConfigWriter writer("A title", 600, 510);
    writer.timing(100, 200, 10);
    writer.rawChunk(0x7777, std::vector<std::uint8_t>(9, 0xAA));
    writer.stringMapping(3, {{"dzien", 0}, {"noc", 2}, {"intro", 1}});
    writer.startScene("intro");
    const std::vector<std::uint8_t> full = writer.finish();
    for (std::size_t length = 0; length < full.size(); ++length) {
        test::SkinRig fresh;
        const std::string result =
            fresh.walk(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(length)));
        // The root still claims the full length, so every cut file is reported.
        EXPECT_EQ(result.rfind("config file corrupted, ", 0), 0u) << "length " << length << ": " << result;
    }
}

TEST(SkinConfigFiles, MissingFilesAreReportedInLoadOrder)
{
    test::TempDir dir;
    test::SkinRig rig;
    auto messageOf = [&](auto&& step) -> std::string {
        try {
            step();
        } catch (const Error& error) {
            return error.what();
        }
        return "ok";
    };
    const auto cfg = dir / configFileName;
    const auto dat = dir / dataFileName;
    const auto preRead = [&] { rig.builder().readRoot(readConfigFile(cfg)); };
    const auto load = [&] {
        SkinBuilder builder = rig.builder();
        builder.openArchive(dat);
        builder.build(readConfigFile(cfg));
    };
    EXPECT_EQ(messageOf(preRead), "can't open config file");
    SkinConfigWriter("t", 300, 200).save(cfg);
    EXPECT_EQ(messageOf(preRead), "ok");
    EXPECT_EQ(rig.skin.windowWidth(), 300);
    // The archive is opened before the configuration is read again.
    EXPECT_EQ(messageOf(load), "can't open data file");
    ArchiveWriter().save(dat);
    EXPECT_EQ(messageOf(load), "ok");
    EXPECT_TRUE(rig.skin.archive().isOpen());
}

TEST_F(SkinConfigLoaderTest, AWindowTooLargeToAllocateIsRefusedWithItsSize)
{
    SkinConfigWriter huge("t", 65535, 65535);
    EXPECT_EQ(walk(huge.finish()), "config file corrupted, window of 65535 x 65535 pixels is too large");
    // The largest window any screen shows still loads.
    SkinConfigWriter wide("t", 7680, 4320);
    EXPECT_EQ(walk(wide.finish()), "loaded");
}
