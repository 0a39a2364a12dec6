// Music: the rotation of tracks, pending starts, the end of a track reported
// from the audio thread, stops that must not advance, and hostile track files.
#include <QCoreApplication>

#include "MediaFiles.h"
#include "media/Music.h"

namespace media_test {
namespace {

using media::Music;

// 96 ticks are half a second: a short track ends on its own within a test,
// a long one plays on until stopped.
constexpr int ShortTrack = 24;
constexpr int LongTrack = 96 * 120;

class MusicTest : public MediaTest {
protected:
    MusicTest()
    {
        music_.FillTrackFiles(AssetDir(), "Plum");
        music_.SetEnabled(true);
    }

    void WriteTrack(int entry, int ticks = LongTrack) { WriteFile(music_.TrackFiles[entry], MidiBytes(ticks)); }

    Music music_;
};

TEST_F(MusicTest, TracksFollowInOrderSkippingMissingFiles)
{
    for (int entry : {0, 1, 3}) WriteTrack(entry);
    music_.StartupStep();
    EXPECT_EQ(music_.TrackIndex, 10);
    music_.TrackIndex = 0;
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        music_.NextTrack();
        order.push_back(music_.TrackIndex);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 3, 0, 1}));
}

TEST_F(MusicTest, TheOnlyTrackIsPendingAfterStartUpAndStartsOnce)
{
    WriteTrack(2);
    music_.StartupStep();
    EXPECT_EQ(music_.TrackIndex, 12);
    // The one-second timer and a spin make the same call.
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_EQ(music_.TrackIndex, 2);
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_EQ(music_.LastError(), "");
}

TEST_F(MusicTest, ATrackThatEndsMarksTheNextOnePending)
{
    WriteTrack(0, ShortTrack);
    WriteTrack(1);
    music_.TrackIndex = 10;
    ASSERT_TRUE(music_.StartPendingTrack()) << music_.LastError();
    ASSERT_TRUE(ProcessEventsUntil([this] { return music_.TrackIndex >= Music::PendingMark; }));
    EXPECT_EQ(music_.TrackIndex, 11);
    EXPECT_FALSE(music_.IsPlaying());
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_EQ(music_.TrackIndex, 1);
    EXPECT_TRUE(music_.IsPlaying());
}

TEST_F(MusicTest, StoppingOrReplacingATrackDoesNotAdvance)
{
    WriteTrack(0);
    WriteTrack(1);
    music_.TrackIndex = 10;
    ASSERT_TRUE(music_.StartPendingTrack()) << music_.LastError();

    EXPECT_FALSE(music_.Toggle());
    EXPECT_FALSE(music_.IsPlaying());
    QCoreApplication::processEvents();  // a report of the stop would arrive now
    EXPECT_EQ(music_.TrackIndex, 0);

    // On again: the same track from its beginning.
    EXPECT_TRUE(music_.Toggle());
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_EQ(music_.TrackIndex, 0);

    // A new start replaces the playing track without moving on from it.
    music_.TrackIndex = 11;
    EXPECT_TRUE(music_.StartPendingTrack());
    QCoreApplication::processEvents();  // a report of the stop would arrive now
    EXPECT_EQ(music_.TrackIndex, 1);
    EXPECT_TRUE(music_.IsPlaying());
}

TEST_F(MusicTest, SwitchedOffBetweenTwoTracksTheTimerStartsNothing)
{
    WriteTrack(1);
    music_.SetEnabled(false);
    music_.TrackIndex = 11;
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_EQ(music_.TrackIndex, 1);
    EXPECT_FALSE(music_.IsPlaying());
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_FALSE(music_.IsPlaying());

    EXPECT_TRUE(music_.Toggle());
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_EQ(music_.TrackIndex, 1);
}

TEST_F(MusicTest, WithoutTrackFilesNothingStartsAndNothingIsReported)
{
    music_.StartupStep();
    EXPECT_EQ(music_.TrackIndex, 19);
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_EQ(music_.TrackIndex, Music::NoTrack);
    EXPECT_FALSE(music_.Toggle());
    EXPECT_TRUE(music_.Toggle());
    EXPECT_FALSE(music_.IsPlaying());
    EXPECT_EQ(music_.LastError(), "");
}

TEST_F(MusicTest, ATrackGoneBeforeItsStartIsReportedOnceAndNotRetried)
{
    WriteTrack(3);
    music_.StartupStep();
    std::filesystem::remove(music_.TrackFiles[3]);
    EXPECT_FALSE(music_.StartPendingTrack());
    EXPECT_EQ(music_.LastError(), "Cannot play the music file " + music_.TrackFiles[3] + ": File not found");
    EXPECT_EQ(music_.TrackIndex, 3);
    EXPECT_TRUE(music_.StartPendingTrack());
}

TEST_F(MusicTest, ALongThemeFolderIsNotCut)
{
    std::string folder = AssetDir();
    while (folder.size() < 300) folder += std::string(60, 'm') + "/";
    std::filesystem::create_directories(folder);
    music_.FillTrackFiles(folder, "Plum");
    EXPECT_EQ(music_.TrackFiles[4], folder + "Plum4.mid");
    WriteTrack(4);
    music_.StartupStep();
    EXPECT_TRUE(music_.StartPendingTrack()) << music_.LastError();
    EXPECT_TRUE(music_.IsPlaying());
}

class HostileTrackTest : public MusicTest, public testing::WithParamInterface<Hostile> {};

TEST_P(HostileTrackTest, NeitherCrashesNorHangs)
{
    WriteHostile(music_.TrackFiles[0], GetParam(), false);
    music_.TrackIndex = 10;
    const bool started = music_.StartPendingTrack();
    if (GetParam() == Hostile::Truncated && started) {
        // What could be read plays and ends on its own.
        EXPECT_TRUE(ProcessEventsUntil([this] { return !music_.IsPlaying(); }));
    } else {
        EXPECT_FALSE(started);
        EXPECT_NE(music_.LastError().find(music_.TrackFiles[0] + ": "), std::string::npos) << music_.LastError();
        EXPECT_FALSE(music_.IsPlaying());
    }
    // A directory is no track: the rotation passes over it.
    if (GetParam() == Hostile::Directory) {
        music_.NextTrack();
        EXPECT_EQ(music_.TrackIndex, Music::NoTrack);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileTrackTest,
                         testing::Values(Hostile::Garbage, Hostile::Empty, Hostile::Huge, Hostile::Truncated,
                                         Hostile::Directory),
                         HostileName);

}  // namespace
}  // namespace media_test
