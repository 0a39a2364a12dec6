// Renders a MIDI file with FluidSynth as the game plays it: the
// device's rate, stereo, reverb and chorus on, the gain of full music volume.
#pragma once

#include <set>
#include <string>

#include "Loudness.h"

namespace loudness {

// The game's output rate (media::AudioDevice::Frequency) and its FluidSynth
// gain at full music volume, on SDL_mixer's scale: volume x 1.2 / 128 with
// volume 128.
inline constexpr int GameSampleRate = 44100;
inline constexpr double GameMusicGain = 1.2;

// The General MIDI soundfont the game loads unless told another.
inline constexpr const char* PackagedSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct RenderOptions {
    std::string soundFont = PackagedSoundFont;
    int sampleRate = GameSampleRate;
    double gain = GameMusicGain;
    // When not empty, only notes on these channels (counted from 0) sound;
    // every other event still reaches the synthesiser.
    std::set<int> soloChannels;
};

// The file from its start until the player reaches its end, where the game
// stops the track. False, with the reason in `error`, when it cannot be played.
bool RenderMidi(const std::string& path, const RenderOptions& options, Sound& sound, std::string& error);

}  // namespace loudness
