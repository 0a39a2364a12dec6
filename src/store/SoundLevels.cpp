// Reading and writing the effects and music levels of the saved-games file.
#include "store/SoundLevels.h"

#include <algorithm>
#include <string>

namespace store {

namespace {

int Clamped(int32_t percent)
{
    return std::clamp<int32_t>(percent, 0, SoundLevels::Full);
}

}  // namespace

SoundLevels ReadSoundLevels(const SettingsFile& file)
{
    SoundLevels levels;
    levels.effects = Clamped(file.ReadInteger(SoundLevelsSection, "Effects", SoundLevels::Full));
    levels.music = Clamped(file.ReadInteger(SoundLevelsSection, "Music", SoundLevels::Full));
    return levels;
}

void WriteSoundLevels(SettingsFile& file, const SoundLevels& levels)
{
    file.WriteStrings(SoundLevelsSection, {{"Effects", std::to_string(Clamped(levels.effects))},
                                           {"Music", std::to_string(Clamped(levels.music))}});
}

}  // namespace store
