#include "resources/FileKind.h"

#include <gtest/gtest.h>

using namespace windlecroft;

TEST(FileKind, ExtensionsInEitherWholeCase)
{
    EXPECT_EQ(classifyFileName("Data\\dzien.jpg"), FileKind::Jpeg);
    EXPECT_EQ(classifyFileName("Data\\DZIEN.JPG"), FileKind::Jpeg);
    EXPECT_EQ(classifyFileName("knob.bmp"), FileKind::Bmp);
    EXPECT_EQ(classifyFileName("KNOB.BMP"), FileKind::Bmp);
    EXPECT_EQ(classifyFileName("a.mp3"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.MP3"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.ogg"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.OGG"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.flac"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.FLAC"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.opus"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.OPUS"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.wav"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.WAV"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.xm"), FileKind::Module);
    EXPECT_EQ(classifyFileName("a.XM"), FileKind::Module);
    EXPECT_EQ(classifyFileName("a.it"), FileKind::Module);
    EXPECT_EQ(classifyFileName("a.IT"), FileKind::Module);
    // Mixed case matches nothing.
    EXPECT_EQ(classifyFileName("a.Jpg"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.jPG"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.Xm"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.Mp3"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.Flac"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.oPUS"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.Wav"), FileKind::Unknown);
}

TEST(FileKind, OnlyTheLettersAfterTheFirstDotCount)
{
    // Whatever follows the compared letters is ignored.
    EXPECT_EQ(classifyFileName("page.xml"), FileKind::Module);
    EXPECT_EQ(classifyFileName("page.itx"), FileKind::Module);
    EXPECT_EQ(classifyFileName("song.mp3.bak"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("take.wave"), FileKind::Stream);
    EXPECT_EQ(classifyFileName("a.fla"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("x.jpgold"), FileKind::Jpeg);
    // A dot in a folder part decides: the letters after it are "old\\song.mp3".
    EXPECT_EQ(classifyFileName("release.old\\song.mp3"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("release.old\\song.flac"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.b.jpg"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("Data\\it.bmp"), FileKind::Bmp);
    // No dot, or nothing after it.
    EXPECT_EQ(classifyFileName("Data\\noc"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("bmp"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a."), FileKind::Unknown);
    EXPECT_EQ(classifyFileName(""), FileKind::Unknown);
    EXPECT_EQ(classifyFileName(".x"), FileKind::Unknown);
    EXPECT_EQ(classifyFileName("a.j"), FileKind::Unknown);
}
