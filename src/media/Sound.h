#pragma once

#include <string>

namespace media {

// The numbered sound effects 0..9 and the win sound, and the Sound switch.
// Nothing is heard yet: the WAV player behind these calls is still to come,
// but every caller already asks for its effects here.
class Sound {
public:
    // The Sound switch; off until start-up switches it on after the preload.
    bool SoundOn = false;

    // Reads the effects played from memory (0 and 3) once the theme's asset
    // directory and root are final.
    void PreloadEffects(const std::string& assetDir, const std::string& soundRoot);

    void PlaySoundEffect(int effect);
    void PlayWinSound();

    // The Sound menu command: flips the switch and returns its new state for
    // the check mark. Stops nothing and plays nothing.
    bool Sound1Click();

private:
    std::string assetDir_;
    std::string soundRoot_;
};

}  // namespace media
