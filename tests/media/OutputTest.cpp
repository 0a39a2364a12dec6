// The shared output as the player meets it: levels in equal steps of decibels,
// and an output that opens only after the game has started, tried now and
// then and heard once it is there, effects and music alike.
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "MediaFiles.h"
#include "media/AudioDevice.h"
#include "media/Level.h"
#include "media/Music.h"
#include "media/Sound.h"

namespace media_test {
namespace {

using engine::Effect;
using media::AudioDevice;

double Decibels(float amplitude)
{
    return 20 * std::log10(amplitude);
}

TEST(Level, SilenceThenEqualStepsInDecibelsUpToTheFullLevel)
{
    EXPECT_EQ(media::LevelAmplitude(0), 0.0f);
    EXPECT_EQ(media::LevelAmplitude(-3), 0.0f);
    EXPECT_EQ(media::LevelAmplitude(100), 1.0f);
    EXPECT_EQ(media::LevelAmplitude(130), 1.0f);
    EXPECT_NEAR(Decibels(media::LevelAmplitude(1)), -39.6, 0.01);
    // Where a linear slider had nearly all of its range in its bottom fifth,
    // each tenth of this one is the same 4 dB.
    for (int percent = 10; percent < 100; percent += 10) {
        EXPECT_NEAR(Decibels(media::LevelAmplitude(percent + 10)) - Decibels(media::LevelAmplitude(percent)), 4.0,
                    0.001)
            << percent;
    }
}

using OutputTest = MediaTest;

TEST_F(OutputTest, AnOutputThatOpensLaterIsTriedNowAndThenAndThenHeard)
{
    for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Win"}) {
        WriteFile(AssetDir() + "Plum" + name + ".wav", WavBytes(2000));
    }
    WriteFile(AssetDir() + "Plum0.mid", MidiBytes(96 * 120));
    WriteFile(AssetDir() + "Plum1.mid", MidiBytes(96 * 120));

    // No output at the start: the only holder is this test's.
    const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::shared_ptr<AudioDevice> device = AudioDevice::Shared();
    ASSERT_FALSE(device->IsOpen());
    FakeClock clock;
    media::Sound sound(clock, device);
    media::Music music(device, clock);
    sound.PreloadEffects(AssetDir(), "Plum");
    sound.SetEnabled(true);
    music.FillTrackFiles(AssetDir(), "Plum");
    music.SetEnabled(true);
    music.StartupStep();
    EXPECT_TRUE(music.StartPendingTrack()) << music.LastError();
    EXPECT_FALSE(music.IsPlaying());
    EXPECT_EQ(music.TrackIndex, 0);

    // The output can be had from now on, but it is not looked for at every play.
    ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    clock.Sleep(AudioDevice::RetryInterval - 1ms);
    sound.PlaySoundEffect(Effect::MeterReset);
    EXPECT_FALSE(device->IsOpen());
    EXPECT_GE(clock.Slept(), AudioDevice::RetryInterval - 1ms + 2000ms - 1ms) << "the silent effect's wait was lost";

    // The next play, past the interval, opens it and is heard; so is an
    // effect read before there was an output.
    sound.PlaySoundEffect(Effect::NudgeUp);
    ASSERT_TRUE(device->IsOpen());
    EXPECT_NE(Mix_Playing(AudioDevice::EffectChannel), 0);
    Mix_HaltChannel(AudioDevice::EffectChannel);
    sound.PlaySoundEffect(Effect::ReelStop);
    EXPECT_NE(Mix_Playing(AudioDevice::EffectChannel), 0) << "the preloaded reel stop is still silent";

    // The music goes on with the next track, at once.
    EXPECT_TRUE(music.StartPendingTrack()) << music.LastError();
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(music.TrackIndex, 1);
    OutputPeak output;
    EXPECT_GT(output.After(10), 0);
}

}  // namespace
}  // namespace media_test
