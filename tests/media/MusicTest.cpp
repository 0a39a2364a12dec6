// Music: the rotation of tracks, pending starts, the end of a track reported
// from the audio thread, stops that must not advance, the music's level in
// the mixed output, and hostile track files.
#include <QCoreApplication>

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "MediaFiles.h"
#include "media/MidiLength.h"
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

TEST_F(MusicTest, EachTrackReportsItsEndAndTheRotationComesRound)
{
    WriteTrack(0, ShortTrack);
    WriteTrack(2, ShortTrack);
    music_.StartupStep();
    for (int track : {0, 2, 0}) {
        ASSERT_TRUE(music_.StartPendingTrack()) << music_.LastError();
        EXPECT_EQ(music_.TrackIndex, track);
        ASSERT_TRUE(ProcessEventsUntil([this] { return !music_.IsPlaying(); })) << "track " << track << " never ended";
        EXPECT_EQ(music_.TrackIndex, (track == 0 ? 2 : 0) + Music::PendingMark);
    }
}

TEST_F(MusicTest, TheLevelScalesTheMusicAndReachesATrackThatPlays)
{
    WriteTrack(0);
    OutputPeak output;
    // The track started afresh at `level`: the peak of its opening.
    const auto start = [&](int level) {
        music_.SetEnabled(false);
        music_.SetEnabled(true);
        music_.SetLevel(level);
        output.Forget();
        music_.TrackIndex = 10;
        EXPECT_TRUE(music_.StartPendingTrack()) << music_.LastError();
        return output.After(40);
    };
    // The peak of the stretch after the opening, at `level` from its start.
    const auto afterOpening = [&](int level) {
        music_.SetLevel(level);
        output.Forget();
        output.After(2);  // the chunk being mixed may still have the old level
        output.Forget();
        return output.After(20);
    };
    start(100);  // the first start loads the soundfont, while silent chunks go by
    const int full = start(100);
    ASSERT_GT(full, 1000) << "no music in the output";
    // 0.4 dB a percent: 50 % is -20 dB, 75 % -10 dB.
    EXPECT_NEAR(static_cast<double>(start(50)) / full, 0.1, 0.01);
    EXPECT_EQ(start(0), 0) << "heard at level 0";
    start(100);
    const int unchanged = afterOpening(100);
    start(100);
    EXPECT_NEAR(static_cast<double>(afterOpening(75)) / unchanged, 0.316, 0.06) << "not lowered while playing";
    EXPECT_EQ(afterOpening(0), 0) << "heard once moved to 0";
}

TEST_F(MusicTest, ATrackEndsByItsFileOnceItsLastNoteHasDiedAway)
{
    // A minute-long note at 96 ticks a quarter and the default tempo: the
    // synthesiser would report its end long after this test.
    FakeClock clock;
    Music music(media::AudioDevice::Shared(), clock);
    music.FillTrackFiles(AssetDir(), "Plum");
    music.SetEnabled(true);
    WriteFile(music.TrackFiles[0], MidiBytes(LongTrack));
    WriteFile(music.TrackFiles[1], MidiBytes(LongTrack));
    music.StartupStep();
    ASSERT_TRUE(music.StartPendingTrack()) << music.LastError();
    ASSERT_TRUE(music.IsPlaying()) << "no audio device";
    const auto lastNoteEnds = std::chrono::seconds(60);
    clock.Sleep(lastNoteEnds + Music::Release - std::chrono::milliseconds(1));
    EXPECT_TRUE(music.StartPendingTrack());
    EXPECT_EQ(music.TrackIndex, 0) << "ended before its last note died away";
    clock.Sleep(std::chrono::milliseconds(1));
    EXPECT_TRUE(music.StartPendingTrack());
    EXPECT_EQ(music.TrackIndex, 1) << "the next track did not start at the first tick after the end";
    EXPECT_TRUE(music.IsPlaying());
}

TEST(MidiLength, TempoChangesRunningStatusAndDamage)
{
    using namespace std::string_literals;
    const auto length = [](const std::string& bytes) {
        return media::MidiLength(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    };
    // 96 ticks a quarter: a note of 192 ticks at 500000 us, a tempo of
    // 250000 us from tick 96, the note's off by running status (velocity 0),
    // then a rest before the end of track that does not count.
    const std::string track =
        "\x00\x90\x3C\x64"s + "\x60\xFF\x51\x03\x03\xD0\x90"s + "\x60\x3C\x00"s + "\x83\x00\xFF\x2F\x00"s;
    const std::string header = "MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60"s;
    const auto size = [](const std::string& t) {
        return "\x00\x00"s + static_cast<char>(t.size() >> 8) + static_cast<char>(t.size() & 0xFF);
    };
    const std::string file = header + "MTrk" + size(track) + track;
    EXPECT_EQ(length(file), std::chrono::microseconds(500'000 + 250'000));
    EXPECT_EQ(length(file.substr(0, file.size() - 3)), std::nullopt) << "cut inside the last event";
    EXPECT_EQ(length("RIFF"s + file), std::nullopt);
    EXPECT_EQ(length(header + "MTrk" + size("\x00\x3C\x00"s) + "\x00\x3C\x00"s), std::nullopt)
        << "running status with no status before it";
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
