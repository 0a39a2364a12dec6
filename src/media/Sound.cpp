#include "media/Sound.h"

namespace media {

void Sound::PreloadEffects(const std::string& assetDir, const std::string& soundRoot)
{
    assetDir_ = assetDir;
    soundRoot_ = soundRoot;
}

void Sound::PlaySoundEffect(int /*effect*/)
{
    // Silent until the WAV player is built.
}

void Sound::PlayWinSound()
{
    // Silent until the WAV player is built.
}

bool Sound::Sound1Click()
{
    SoundOn = !SoundOn;
    return SoundOn;
}

}  // namespace media
