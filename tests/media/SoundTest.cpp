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

namespace Effect = engine::SoundEffect;
using media::Sound;

// Long enough that an effect started by a test is still sounding when checked.
constexpr int EffectMs = 2000;
constexpr std::chrono::microseconds EffectLength = std::chrono::milliseconds(EffectMs);

bool EffectSounding()
{
    return Mix_Playing(media::AudioDevice::EffectChannel) != 0;
}

std::string PreloadError(Sound& sound, const std::string& assetDir)
{
    try {
        sound.PreloadEffects(assetDir, "Plum");
    } catch (const media::SoundFileError& error) {
        return error.what();
    }
    return "";
}

class SoundTest : public MediaTest {
protected:
    void WriteEffects(const std::string& folder)
    {
        for (int effect = 0; effect <= 9; ++effect) {
            WriteFile(folder + "Plum" + std::to_string(effect) + ".wav", WavBytes(EffectMs));
        }
        WriteFile(folder + "PlumWin.wav", WavBytes(EffectMs));
    }

    FakeClock clock_;
};

TEST_F(SoundTest, SwitchedOffOnlyTheMeterPointAndTheWinSoundPlayAndBothHoldTheCaller)
{
    WriteEffects(AssetDir());
    Sound sound(clock_);
    sound.PreloadEffects(AssetDir(), "Plum");
    ASSERT_FALSE(sound.Enabled());
    for (int effect = Effect::ReelStop; effect <= Effect::NudgeUp; ++effect) {
        if (effect == Effect::MeterPoint) continue;
        sound.PlaySoundEffect(effect);
        EXPECT_FALSE(EffectSounding()) << "effect " << effect;
    }
    EXPECT_EQ(clock_.Slept(), 0us);

    sound.PlaySoundEffect(Effect::MeterPoint);
    EXPECT_TRUE(EffectSounding());
    EXPECT_GE(clock_.Slept(), EffectLength - 1ms);
    EXPECT_LE(clock_.Slept(), EffectLength + Sound::WaitMargin);

    const auto before = clock_.Slept();
    sound.PlayWinSound();
    EXPECT_TRUE(EffectSounding());
    EXPECT_GE(clock_.Slept() - before, EffectLength - 1ms);
    EXPECT_LE(clock_.Slept() - before, EffectLength + Sound::WaitMargin);
}

TEST_F(SoundTest, SwitchedOnEffectsStartAtOnceAndOnlyTheMeterResetHoldsTheCaller)
{
    WriteEffects(AssetDir());
    Sound sound(clock_);
    sound.PreloadEffects(AssetDir(), "Plum");
    EXPECT_TRUE(sound.Toggle());
    for (int effect : {Effect::ReelStop, Effect::Coin, Effect::CountUp, Effect::BonusOpening}) {
        Mix_HaltChannel(-1);
        sound.PlaySoundEffect(effect);
        EXPECT_TRUE(EffectSounding()) << "effect " << effect;
    }
    EXPECT_EQ(clock_.Slept(), 0us);
    sound.PlaySoundEffect(Effect::MeterReset);
    EXPECT_GE(clock_.Slept(), EffectLength - 1ms);
    EXPECT_FALSE(sound.Toggle());
}

TEST_F(SoundTest, WithoutAnAudioDeviceWaitedEffectsStillTakeTheirLength)
{
    WriteEffects(AssetDir());
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string savedDriver = driver != nullptr ? driver : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    Sound sound(clock_);
    if (driver != nullptr) {
        ::setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1);
    } else {
        ::unsetenv("SDL_AUDIODRIVER");
    }
    sound.PreloadEffects(AssetDir(), "Plum");
    sound.SetEnabled(true);
    sound.PlaySoundEffect(Effect::Coin);
    sound.PlaySoundEffect(Effect::ReelStop);
    EXPECT_EQ(clock_.Slept(), 0us);
    sound.PlaySoundEffect(Effect::MeterReset);
    EXPECT_GE(clock_.Slept(), EffectLength - 1ms);
    EXPECT_LE(clock_.Slept(), EffectLength);
}

TEST_F(SoundTest, MissingEffectFilesPlayNothingAndHoldNobody)
{
    Sound sound(clock_);
    EXPECT_EQ(PreloadError(sound, AssetDir()), "File not found");
    sound.SetEnabled(true);
    for (int effect = Effect::ReelStop; effect <= Effect::NudgeUp; ++effect) sound.PlaySoundEffect(effect);
    sound.PlayWinSound();
    EXPECT_FALSE(EffectSounding());
    EXPECT_EQ(clock_.Slept(), 0us);
}

TEST_F(SoundTest, AMissingPreloadedEffectIsOneErrorAndTheOtherStillPlays)
{
    WriteFile(File("Plum3.wav"), WavBytes(EffectMs));
    Sound sound(clock_);
    EXPECT_EQ(PreloadError(sound, AssetDir()), "File not found");
    sound.SetEnabled(true);
    sound.PlaySoundEffect(Effect::CountUp);
    EXPECT_TRUE(EffectSounding());
}

TEST_F(SoundTest, AFileThatEndsBeforeItsSizeIsAReadBeyondItsEnd)
{
    // A kernel attribute file claims a page but holds a few bytes.
    const std::filesystem::path shortFile = "/sys/devices/system/cpu/online";
    if (!std::filesystem::is_regular_file(shortFile) || std::filesystem::file_size(shortFile) < 64) {
        GTEST_SKIP() << "no attribute file to read short";
    }
    WriteFile(File("Plum3.wav"), WavBytes(EffectMs));
    std::filesystem::create_symlink(shortFile, File("Plum0.wav"));
    Sound sound(clock_);
    EXPECT_EQ(PreloadError(sound, AssetDir()), "Read beyond end of file");
}

TEST_F(SoundTest, ALongThemeFolderIsNotCut)
{
    std::string folder = AssetDir();
    while (folder.size() < 300) folder += std::string(60, 'd') + "/";
    std::filesystem::create_directories(folder);
    WriteEffects(folder);
    Sound sound(clock_);
    sound.PreloadEffects(folder, "Plum");
    sound.SetEnabled(true);
    sound.PlaySoundEffect(Effect::NudgeUp);
    EXPECT_TRUE(EffectSounding());
}

class HostileEffectTest : public SoundTest, public testing::WithParamInterface<Hostile> {};

TEST_P(HostileEffectTest, NeitherCrashesNorHangs)
{
    WriteHostile(File("Plum0.wav"), GetParam(), true);
    WriteFile(File("Plum3.wav"), WavBytes(EffectMs));
    WriteHostile(File("Plum2.wav"), GetParam(), true);
    Sound sound(clock_);
    const std::string error = PreloadError(sound, AssetDir());
    sound.SetEnabled(true);
    sound.PlaySoundEffect(Effect::ReelStop);
    sound.PlaySoundEffect(Effect::MeterReset);

    switch (GetParam()) {
    case Hostile::Directory: EXPECT_EQ(error, "File access denied"); break;
    case Hostile::Huge: EXPECT_EQ(error, "File too large"); break;
    default: EXPECT_EQ(error, ""); break;  // read whole; whether it decodes is not an I/O error
    }
    if (GetParam() == Hostile::Truncated) {
        // What is there plays, and holds the caller for that much.
        EXPECT_GE(clock_.Slept(), 299ms);
        EXPECT_LE(clock_.Slept(), 300ms + Sound::WaitMargin);
    } else {
        EXPECT_FALSE(EffectSounding());
        EXPECT_EQ(clock_.Slept(), 0us);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileEffectTest,
                         testing::Values(Hostile::Garbage, Hostile::Empty, Hostile::Huge, Hostile::Truncated,
                                         Hostile::Directory),
                         HostileName);

}  // namespace
}  // namespace media_test
