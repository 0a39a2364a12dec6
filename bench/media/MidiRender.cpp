// Drives a FluidSynth player over a MIDI file, a chunk at a time, into memory.
#include "MidiRender.h"

#include <fluidsynth.h>

namespace loudness {

namespace {

// SDL_mixer asks the synthesiser for the device's chunk, 256 frames in the game.
constexpr int ChunkFrames = 256;
constexpr int NoteOn = 0x90;

struct Synth {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    ~Synth()
    {
        if (player != nullptr) delete_fluid_player(player);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

// Passes on every event but the notes of channels not soloed.
int Filter(void* data, fluid_midi_event_t* event)
{
    auto* const options = static_cast<std::pair<fluid_synth_t*, const RenderOptions*>*>(data);
    const bool muted = fluid_midi_event_get_type(event) == NoteOn &&
                       !options->second->soloChannels.contains(fluid_midi_event_get_channel(event));
    return muted ? FLUID_OK : fluid_synth_handle_midi_event(options->first, event);
}

}  // namespace

bool RenderMidi(const std::string& path, const RenderOptions& options, Sound& sound, std::string& error)
{
    Synth fluid;
    if (fluid.settings == nullptr) {
        error = "FluidSynth has no settings";
        return false;
    }
    fluid_settings_setnum(fluid.settings, "synth.sample-rate", options.sampleRate);
    fluid.synth = new_fluid_synth(fluid.settings);
    if (fluid.synth == nullptr || fluid_synth_sfload(fluid.synth, options.soundFont.c_str(), 1) == FLUID_FAILED) {
        error = "cannot load the soundfont " + options.soundFont;
        return false;
    }
    fluid_synth_set_gain(fluid.synth, float(options.gain));
    fluid.player = new_fluid_player(fluid.synth);
    if (fluid.player == nullptr || fluid_player_add(fluid.player, path.c_str()) != FLUID_OK) {
        error = "cannot read the MIDI file " + path;
        return false;
    }
    std::pair<fluid_synth_t*, const RenderOptions*> filter{fluid.synth, &options};
    if (!options.soloChannels.empty()) fluid_player_set_playback_callback(fluid.player, Filter, &filter);
    if (fluid_player_play(fluid.player) != FLUID_OK) {
        error = "cannot play " + path;
        return false;
    }
    sound.sampleRate = options.sampleRate;
    sound.channels = 2;
    sound.samples.clear();
    std::vector<float> chunk(2 * ChunkFrames);
    while (fluid_player_get_status(fluid.player) == FLUID_PLAYER_PLAYING) {
        if (fluid_synth_write_float(fluid.synth, ChunkFrames, chunk.data(), 0, 2, chunk.data(), 1, 2) != FLUID_OK) {
            error = "FluidSynth failed while rendering " + path;
            return false;
        }
        sound.samples.insert(sound.samples.end(), chunk.begin(), chunk.end());
    }
    if (sound.samples.empty()) {
        error = path + " plays nothing";
        return false;
    }
    return true;
}

}  // namespace loudness
