// Sound effects: which ones the switch silences, who waits and how long,
// missing and hostile files, and a theme folder with a long path.
#include <SDL_mixer.h>

#include <cstdlib>

#include "MediaFiles.h"
#include "engine/SoundEffects.h"
#include "media/Sound.h"
#include "media/SoundFile.h"

namespace media_test {
namespace {

using engine::Effect;
using media::Sound;

// Long enough to be still sounding when a test looks.
constexpr auto EffectLength = 2000ms;

bool EffectSounding()
{
    return Mix_Playing(media::AudioDevice::EffectChannel) != 0;
}

class SoundTest : public MediaTest {
protected:
    void WriteEffects(const std::string& folder)
    {
        for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "Win"}) {
            WriteFile(folder + "Plum" + name + ".wav", WavBytes(EffectLength.count()));
        }
    }

    // The text PreloadEffects throws, empty when it does not.
    std::string Preload(const std::string& folder)
    {
        try {
            sound_.PreloadEffects(folder, "Plum");
        } catch (const media::SoundFileError& error) {
            return error.what();
        }
        return "";
    }

    void ExpectHeldForTheEffect(std::chrono::microseconds since = 0us)
    {
        EXPECT_GE(clock_.Slept() - since, EffectLength - 1ms);
        EXPECT_LE(clock_.Slept() - since, EffectLength + Sound::WaitMargin);
    }

    FakeClock clock_;
    Sound sound_{clock_};
};

TEST_F(SoundTest, SwitchedOffOnlyTheMeterPointAndTheWinSoundPlayAndBothHoldTheCaller)
{
    WriteEffects(AssetDir());
    ASSERT_EQ(Preload(AssetDir()), "");
    ASSERT_FALSE(sound_.Enabled());
    for (int number = 0; number < engine::EffectCount; ++number) {
        const auto effect = static_cast<Effect>(number);
        if (effect == Effect::MeterPoint) continue;
        sound_.PlaySoundEffect(effect);
        EXPECT_FALSE(EffectSounding()) << "effect " << number;
    }
    EXPECT_EQ(clock_.Slept(), 0us);

    sound_.PlaySoundEffect(Effect::MeterPoint);
    EXPECT_TRUE(EffectSounding());
    ExpectHeldForTheEffect();
    const auto before = clock_.Slept();
    sound_.PlayWinSound();
    EXPECT_TRUE(EffectSounding());
    ExpectHeldForTheEffect(before);
}

TEST_F(SoundTest, AtLevelZeroAWaitedEffectStillTakesItsLength)
{
    WriteEffects(AssetDir());
    ASSERT_EQ(Preload(AssetDir()), "");
    sound_.SetEnabled(true);
    sound_.SetLevel(-20);
    EXPECT_EQ(sound_.Level(), 0);
    sound_.PlaySoundEffect(Effect::MeterReset);
    ExpectHeldForTheEffect();
}

TEST_F(SoundTest, TheLevelScalesAnEffectInDecibelsAndReachesOneThatSounds)
{
    WriteEffects(AssetDir());
    ASSERT_EQ(Preload(AssetDir()), "");
    sound_.SetEnabled(true);
    OutputPeak output;
    const auto peakAt = [&](int level) {
        sound_.SetLevel(level);
        sound_.PlaySoundEffect(Effect::NudgeUp);
        output.Forget();
        return output.After(4);
    };
    const int full = peakAt(100);
    ASSERT_GT(full, 1000) << "the effect is not in the output";
    EXPECT_NEAR(static_cast<double>(peakAt(50)) / full, 0.1, 0.01);  // -20 dB
    EXPECT_NEAR(static_cast<double>(peakAt(1)) / full, 0.0105, 0.002);  // -39.6 dB
    EXPECT_EQ(peakAt(0), 0);
    // Moved while the effect sounds (the Volume window's sliders).
    peakAt(100);
    sound_.SetLevel(75);
    output.After(2);  // the chunk being mixed may still have the old level
    output.Forget();
    EXPECT_NEAR(static_cast<double>(output.After(4)) / full, 0.316, 0.03);  // -10 dB
}

// Without the fixture's Sound, which holds the shared (dummy) output open.
using SilentSoundTest = MediaTest;

TEST_F(SilentSoundTest, WithoutAnAudioDeviceWaitedEffectsStillTakeTheirLength)
{
    WriteFile(AssetDir() + "Plum1.wav", WavBytes(EffectLength.count()));
    WriteFile(AssetDir() + "Plum2.wav", WavBytes(EffectLength.count()));
    const std::string driver = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    FakeClock clock;
    Sound silent(clock, media::AudioDevice::Shared());
    ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    EXPECT_THROW(silent.PreloadEffects(AssetDir(), "Plum"), media::SoundFileError);  // files are still read
    silent.SetEnabled(true);
    silent.PlaySoundEffect(Effect::Coin);
    EXPECT_EQ(clock.Slept(), 0us);
    silent.PlaySoundEffect(Effect::MeterReset);
    EXPECT_GE(clock.Slept(), EffectLength - 1ms);
    EXPECT_LE(clock.Slept(), EffectLength);
}

TEST_F(SoundTest, MissingFilesPlayTheStandInAndAMissingPreloadedEffectIsOneError)
{
    WriteFile(AssetDir() + "Plum3.wav", WavBytes(EffectLength.count()));
    EXPECT_EQ(Preload(AssetDir()), "File not found");
    sound_.SetEnabled(true);
    sound_.PlaySoundEffect(Effect::MeterReset);
    // The stand-in, a fraction of a second, is waited for as the effect would be.
    EXPECT_GE(clock_.Slept(), 100ms);
    EXPECT_LE(clock_.Slept(), 500ms + Sound::WaitMargin);
    const auto afterOne = clock_.Slept();
    sound_.PlayWinSound();
    EXPECT_GE(clock_.Slept() - afterOne, afterOne - 1ms) << "the win sound's stand-in took another length";
    sound_.PlaySoundEffect(Effect::Fanfare);  // not waited for: it sounds on
    EXPECT_TRUE(EffectSounding());
    sound_.PlaySoundEffect(Effect::CountUpTick);  // the other preloaded effect
    EXPECT_TRUE(EffectSounding());
}

TEST_F(SoundTest, AFileThatEndsBeforeItsSizeIsAReadBeyondItsEnd)
{
    // A kernel attribute file claims a page but holds a few bytes.
    const std::filesystem::path shortFile = "/sys/devices/system/cpu/online";
    std::error_code error;
    if (std::filesystem::file_size(shortFile, error) < 64 || error) GTEST_SKIP() << "no file that reads short";
    WriteFile(AssetDir() + "Plum3.wav", WavBytes(100));
    std::filesystem::create_symlink(shortFile, AssetDir() + "Plum0.wav");
    EXPECT_EQ(Preload(AssetDir()), "Read beyond end of file");
}

TEST_F(SoundTest, ALongThemeFolderIsNotCut)
{
    const std::string folder = LongFolder();
    WriteEffects(folder);
    ASSERT_EQ(Preload(folder), "");
    EXPECT_TRUE(sound_.Toggle());
    sound_.PlaySoundEffect(Effect::NudgeUp);
    EXPECT_TRUE(EffectSounding());
    EXPECT_EQ(clock_.Slept(), 0us);
}

class HostileEffectTest : public SoundTest, public testing::WithParamInterface<Hostile> {};

TEST_P(HostileEffectTest, NeitherCrashesNorHangs)
{
    WriteHostile(AssetDir() + "Plum0.wav", GetParam(), true);
    WriteHostile(AssetDir() + "Plum2.wav", GetParam(), true);
    WriteFile(AssetDir() + "Plum3.wav", WavBytes(100));
    const std::string error = Preload(AssetDir());
    sound_.SetEnabled(true);
    sound_.PlaySoundEffect(Effect::ReelStop);
    sound_.PlaySoundEffect(Effect::MeterReset);

    // Read whole unless refused; whether it decodes is not an I/O error.
    const std::string expected = GetParam() == Hostile::Directory ? "File access denied"
                                 : GetParam() == Hostile::Huge    ? "File too large"
                                                                  : "";
    EXPECT_EQ(error, expected);
    if (GetParam() == Hostile::Truncated) {
        // What is there plays, and holds the caller for that much.
        EXPECT_GE(clock_.Slept(), 299ms);
        EXPECT_LE(clock_.Slept(), 300ms + Sound::WaitMargin);
    } else {
        // The unplayable file's stand-in was waited for; the preloaded reel stop plays nothing.
        EXPECT_GE(clock_.Slept(), 100ms);
        EXPECT_LE(clock_.Slept(), 500ms + Sound::WaitMargin);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileEffectTest, AllHostile, HostileName);

}  // namespace
}  // namespace media_test
