// Music: the rotation of tracks, pending starts, the end of a track reported
// from the audio thread, stops that must not advance, and hostile track files.
#include <QCoreApplication>

#include "MediaFiles.h"
#include "media/Music.h"

namespace media_test {
namespace {

using media::Music;

// A short track ends on its own within a test; a long one plays on.
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
    for (int entry : {1, 3, 4}) WriteTrack(entry);
    music_.StartupStep();
    EXPECT_EQ(music_.TrackIndex, 11);
    std::vector<int> order;
    for (int i = 0; i < 4; ++i) {
        music_.NextTrack();
        order.push_back(music_.TrackIndex);
    }
    EXPECT_EQ(order, (std::vector<int>{1, 3, 4, 1}));  // from 11, as from any value past 4, to the first
}

TEST_F(MusicTest, ATrackThatEndsMarksTheNextPendingForTheTimerOrASpin)
{
    WriteTrack(0, ShortTrack);
    WriteTrack(1);
    music_.StartupStep();
    ASSERT_TRUE(music_.StartPendingTrack()) << music_.LastError();
    EXPECT_EQ(music_.TrackIndex, 0);
    ASSERT_TRUE(ProcessEventsUntil([this] { return music_.TrackIndex >= Music::PendingMark; }));
    EXPECT_EQ(music_.TrackIndex, 11);
    EXPECT_FALSE(music_.IsPlaying());
    EXPECT_TRUE(music_.StartPendingTrack());
    EXPECT_EQ(music_.TrackIndex, 1);
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_TRUE(music_.StartPendingTrack());  // nothing pending any more
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

    EXPECT_TRUE(music_.Toggle());  // the same track again
    EXPECT_TRUE(music_.IsPlaying());
    EXPECT_EQ(music_.TrackIndex, 0);

    music_.TrackIndex = 11;
    EXPECT_TRUE(music_.StartPendingTrack());
    QCoreApplication::processEvents();
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
    const std::string folder = LongFolder();
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
        EXPECT_TRUE(ProcessEventsUntil([this] { return !music_.IsPlaying(); }));  // what was read ends
    } else {
        EXPECT_FALSE(started);
        EXPECT_NE(music_.LastError().find(music_.TrackFiles[0] + ": "), std::string::npos) << music_.LastError();
        EXPECT_FALSE(music_.IsPlaying());
    }
    if (GetParam() == Hostile::Directory) {  // no track: the rotation passes over it
        music_.NextTrack();
        EXPECT_EQ(music_.TrackIndex, Music::NoTrack);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileTrackTest, AllHostile, HostileName);

}  // namespace
}  // namespace media_test
