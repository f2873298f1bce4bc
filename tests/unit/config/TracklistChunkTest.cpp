// Tracklist chunks: named tracks, the playlist with a title per entry,
// the text-list lines of the pages defined so far, and the names the plugins read.
#include "support/SkinRig.h"

#include "elements/Page.h"
#include "skin/ChunkIds.h"
#include "support/TempDir.h"

#include "support/ToneEncoder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace windlecroft;
using windlecroft::test::SkinRig;
using windlecroft::test::fitRoot;

namespace {

class TracklistChunk : public ::testing::Test {
protected:
    std::vector<std::string> contextNames() const
    {
        std::vector<std::string> names;
        const auto& record = rig.plugins.record();
        for (int i = 0; i < record.trackNameCount; ++i)
            names.emplace_back(rig.plugins.trackName(i));
        return names;
    }

    /** The count stored in the 4 bytes before the names array. */
    std::uint32_t storedCount() const
    {
        const auto* names = reinterpret_cast<const unsigned char*>(rig.plugins.record().trackNames);
        std::uint32_t count = 0;
        std::memcpy(&count, names - 4, sizeof count);
        return count;
    }

    std::vector<std::string> lines(const char* page) const
    {
        std::vector<std::string> out;
        const TextList* list = rig.skin.page(page)->textList();
        for (int i = 0; i < list->lineCount(); ++i)
            out.push_back(list->line(i));
        return out;
    }

    SkinRig rig;
    SkinConfigWriter writer{"t", 8, 6};
};

const std::string unknownType = "config file corrupted, unknown tracklist type";

} // namespace

TEST_F(TracklistChunk, NamedTracksAreArchiveEntriesAndTheLaterDuplicateWins)
{
    writer.tracklist(0, {{"intro", "Music\\intro.xm"}, {"outro", "Music\\outro.it"}, {"intro", "Music\\other.xm"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.namedTracks().size(), 3u);
    const TrackEntry* intro = rig.skin.namedTracks().find("intro");
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->name, "Music\\other.xm");
    EXPECT_TRUE(intro->fromArchive);
    EXPECT_EQ(intro->kind, ChannelKind::Module);
    EXPECT_EQ(rig.skin.namedTracks().find("outro")->name, "Music\\outro.it");
    EXPECT_TRUE(rig.skin.playlist().empty());
    EXPECT_EQ(rig.plugins.record().trackNameCount, 0);
    EXPECT_EQ(rig.plugins.record().trackNames, nullptr) << "named tracks are no playlist";
}

TEST_F(TracklistChunk, SeventeenEntriesPlayLastFirstAndKeepTheirNamesInFileOrder)
{
    writer.font("font", "", 400, 10);
    for (const char* name : {"dzien", "noc"}) {
        writer.beginPage(name, "");
        writer.textList({0, 0, 100, 100}, 0, "font", 10);
        writer.endPage();
    }
    writer.beginPage("nolist", "");
    writer.endPage();
    std::vector<skin::TrackItem> entries;
    std::vector<std::string> names;
    for (int i = 0; i < 17; ++i) {
        names.push_back("t" + std::to_string(i));
        entries.push_back({names.back(), "Music/t" + std::to_string(i) + ".ogg"});
    }
    writer.tracklist(1, entries);
    writer.beginPage("later", "");
    writer.textList({0, 0, 100, 100}, 0, "font", 10);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");

    const Tracklist& playlist = rig.skin.playlist();
    ASSERT_EQ(playlist.count(), 17);
    // Position 0 plays t16's file; the title drawn for position i is the name of entry i.
    EXPECT_EQ(playlist.at(0)->name, "Music/t16.ogg");
    EXPECT_EQ(playlist.at(16)->name, "Music/t0.ogg");
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(playlist.at(i)->title, "t" + std::to_string(16 - i)) << "position " << i;
        EXPECT_FALSE(playlist.at(i)->fromArchive);
        EXPECT_EQ(playlist.at(i)->kind, ChannelKind::Stream);
    }

    EXPECT_EQ(contextNames(), names);
    EXPECT_EQ(rig.plugins.record().trackNameCount, 17);
    EXPECT_EQ(storedCount(), 17u);

    // Every earlier page's list got 17 lines, newest first: row i shows position i.
    std::vector<std::string> reversed(names.rbegin(), names.rend());
    EXPECT_EQ(lines("dzien"), reversed);
    EXPECT_EQ(lines("noc"), reversed);
    EXPECT_EQ(rig.skin.page("dzien")->textList()->maxTop(), 7);
    EXPECT_EQ(lines("later"), std::vector<std::string>{}) << "pages after the playlist get no lines";
}

TEST_F(TracklistChunk, PositionZeroPlaysTheLastEntrysFile)
{
    // Seventeen tones of different lengths: entry i lasts (i + 1) tenths of a second.
    test::TempDir dir;
    std::vector<skin::TrackItem> entries;
    for (int i = 0; i < 17; ++i) {
        const auto file = dir / ("t" + std::to_string(i) + ".ogg");
        writeFile(file, test::encodeTone({.seconds = 0.1 * (i + 1)}));
        entries.push_back({"t" + std::to_string(i), file.string()});
    }
    writer.tracklist(1, entries);
    ASSERT_EQ(rig.walk(writer), "loaded");
    rig.player.initAudio(rig.audio);
    const auto secondsPlayed = [&] {
        const ChannelHandle stream = rig.player.mainChannel().stream;
        // 16-bit stereo at 44100 frames a second.
        return static_cast<double>(rig.engine.length(stream)) / (44100.0 * 4);
    };
    rig.player.playCurrent();
    EXPECT_EQ(rig.player.currentIndex(), 0);
    EXPECT_NEAR(secondsPlayed(), 1.7, 0.04) << "position 0 is t16";
    EXPECT_EQ(rig.skin.playlist().at(0)->title, "t16");
    rig.player.playIndex(16);
    EXPECT_NEAR(secondsPlayed(), 0.1, 0.04) << "position 16 is t0";
    EXPECT_EQ(rig.plugins.record().currentIndex, 16);
    rig.player.shutdownAudio();
}

TEST_F(TracklistChunk, APlaylistBeforeAnyPageAddsNoLines)
{
    writer.font("font", "", 400, 10);
    writer.tracklist(1, {{"a", "a.ogg"}, {"b", "b.ogg"}});
    writer.beginPage("p", "");
    writer.textList({0, 0, 100, 100}, 0, "font", 10);
    writer.endPage();
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.page("p")->textList()->lineCount(), 0);
    EXPECT_EQ(rig.skin.playlist().count(), 2);
}

TEST_F(TracklistChunk, EmptyNamesAndFilesAreAccepted)
{
    writer.tracklist(1, {{"", ""}, {"Song", "song.xm"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.playlist().count(), 2);
    EXPECT_TRUE(rig.skin.playlist().isPlaceholder(1));
    EXPECT_EQ(rig.skin.playlist().at(1)->title, "");
    EXPECT_EQ(rig.skin.playlist().at(0)->title, "Song");
    EXPECT_EQ(contextNames(), (std::vector<std::string>{"", "Song"}));
}

TEST_F(TracklistChunk, ASecondPlaylistAddsToTheSameListAndReplacesTheNames)
{
    writer.tracklist(1, {{"a", "a.ogg"}, {"b", "b.ogg"}});
    writer.tracklist(1, {{"c", "c.ogg"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    ASSERT_EQ(rig.skin.playlist().count(), 3);
    EXPECT_EQ(rig.skin.playlist().at(0)->title, "c");
    EXPECT_EQ(rig.skin.playlist().at(2)->title, "a");
    EXPECT_EQ(contextNames(), (std::vector<std::string>{"c"}));
    EXPECT_EQ(storedCount(), 1u);

    // A playlist chunk with no entries still replaces the names, with none.
    SkinRig again;
    SkinConfigWriter config("t", 8, 6);
    config.tracklist(1, {{"a", "a.ogg"}});
    config.tracklist(1, {});
    EXPECT_EQ(again.walk(config), "loaded");
    EXPECT_EQ(again.skin.playlist().count(), 1);
    EXPECT_EQ(again.plugins.record().trackNameCount, 0);
}

TEST_F(TracklistChunk, AnUnknownTypeIsAcceptedWithoutEntriesAndRefusedWithOne)
{
    writer.tracklist(1, {{"a", "a.ogg"}});
    writer.tracklist(2, {});
    writer.tracklist(255, {});
    EXPECT_EQ(rig.walk(writer), "loaded");
    EXPECT_EQ(rig.skin.playlist().count(), 1);
    EXPECT_EQ(rig.skin.namedTracks().size(), 0u);
    EXPECT_EQ(contextNames(), (std::vector<std::string>{"a"})) << "a type 2 chunk stores no names";

    SkinRig one;
    SkinConfigWriter config("t", 8, 6);
    config.tracklist(1, {{"a", "a.ogg"}});
    config.tracklist(2, {{"x", "x.ogg"}});
    EXPECT_EQ(one.walk(config), unknownType);
    EXPECT_EQ(one.skin.playlist().count(), 1);
    EXPECT_EQ(one.plugins.record().trackNameCount, 1) << "the failed chunk keeps no names";

    // The type is checked after the entry's strings are read: strings that run to the end of
    // the file still end in the type message.
    SkinRig cut;
    SkinConfigWriter truncated("t", 8, 6);
    ByteWriter fields;
    fields.u8(7);
    fields.u16(1);
    fields.u8('n');
    truncated.rawChunk(chunk::tracklist, fields.bytes(), 100u);
    EXPECT_EQ(cut.walk(truncated), unknownType);
}

TEST_F(TracklistChunk, ACountBeyondTheEndOfTheFileNeverReadsOutside)
{
    writer.font("font", "", 400, 10);
    writer.beginPage("p", "");
    writer.textList({0, 0, 100, 100}, 0, "font", 10);
    writer.endPage();
    writer.tracklist(1, 500, {{"a", "a.ogg"}, {"b", "b.ogg"}});
    EXPECT_EQ(rig.walk(writer), "loaded");
    // The entries end with the file: no empty entries for the other 498.
    ASSERT_EQ(rig.skin.playlist().count(), 2);
    EXPECT_EQ(rig.skin.playlist().at(1)->title, "a");
    EXPECT_EQ(rig.skin.playlist().at(0)->title, "b");
    EXPECT_EQ(rig.skin.page("p")->textList()->lineCount(), 2);
    EXPECT_EQ(contextNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(storedCount(), 2u);

    // The same when the file ends inside an entry: the entry read so far is the last one.
    SkinRig cut;
    SkinConfigWriter config("t", 8, 6);
    config.tracklist(1, 3, {{"a", "a.ogg"}});
    std::vector<std::uint8_t> bytes = config.finish();
    bytes.resize(bytes.size() - 3); // "a.o" is left of the file name
    fitRoot(bytes);
    EXPECT_EQ(cut.walk(bytes), "loaded");
    ASSERT_EQ(cut.skin.playlist().count(), 1);
    EXPECT_EQ(cut.skin.playlist().at(0)->name, "a.o");
}
