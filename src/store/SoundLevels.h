// The player's effects and music levels, kept in the saved-games file in a
// section of their own so that the games' keys stay as they are.
#pragma once

#include "store/SettingsFile.h"

namespace store {

struct SoundLevels {
    static constexpr int Full = 100;  // percent
    int effects = Full;
    int music = Full;

    bool operator==(const SoundLevels&) const = default;
};

inline constexpr const char* SoundLevelsSection = "Volume";

// Full for a key that is missing or unreadable; clamped to 0..100.
SoundLevels ReadSoundLevels(const SettingsFile& file);
// Throws WriteFailure, whose text says why the file was not written.
void WriteSoundLevels(SettingsFile& file, const SoundLevels& levels);

}  // namespace store
