// A FluidSynth synthesiser and player over one MIDI file in memory, rendered a
// buffer at a time; the soundfont's samples are read per preset selected.
#include "media/MidiSynth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstring>

namespace media {

namespace {

constexpr int StereoChannels = 2;
// One FluidSynth block: the least Start renders to run the file's opening.
constexpr int OpeningFrames = 64;
// Voices sounding at once, each some 11 kB of the synthesiser's memory: the
// default theme's busiest track needs 45, FluidSynth's default is 256 (a
// note past the limit takes the place of the least audible voice).
constexpr int Polyphony = 64;
// Longer than a voice takes to fade out once it is turned off.
constexpr int FadeOutFrames = 256;

}  // namespace

struct MidiSynth::Fluid {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    ~Fluid()
    {
        if (player != nullptr) delete_fluid_player(player);
        if (synth != nullptr) delete_fluid_synth(synth);
        if (settings != nullptr) delete_fluid_settings(settings);
    }
};

MidiSynth::MidiSynth(SampleFormat format)
    : format_(format),
      bytesPerFrame_(StereoChannels * (format == SampleFormat::Float32 ? 4 : 2)),
      fluid_(std::make_unique<Fluid>())
{}

MidiSynth::~MidiSynth() = default;

std::unique_ptr<MidiSynth> MidiSynth::Open(const std::string& soundFont, int frequency, SampleFormat format,
                                           std::string& error)
{
    std::unique_ptr<MidiSynth> midi(new MidiSynth(format));
    Fluid& fluid = *midi->fluid_;
    fluid.settings = new_fluid_settings();
    if (fluid.settings == nullptr) {
        error = "FluidSynth cannot make its settings";
        return nullptr;
    }
    fluid_settings_setnum(fluid.settings, "synth.sample-rate", frequency);
    // A preset's samples are read when a channel selects it and freed when
    // no channel holds it: a track needs a few of the soundfont's presets.
    fluid_settings_setint(fluid.settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(fluid.settings, "synth.polyphony", Polyphony);
    fluid.synth = new_fluid_synth(fluid.settings);
    if (fluid.synth == nullptr) {
        error = "FluidSynth cannot make a synthesiser";
        return nullptr;
    }
    if (fluid_synth_sfload(fluid.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        error = "cannot load the soundfont " + soundFont;
        return nullptr;
    }
    return midi;
}

bool MidiSynth::Start(std::span<const std::uint8_t> file, std::string& error)
{
    Stop();
    Fluid& fluid = *fluid_;
    fluid.player = new_fluid_player(fluid.synth);
    if (fluid.player == nullptr || fluid_player_add_mem(fluid.player, file.data(), file.size()) != FLUID_OK ||
        fluid_player_play(fluid.player) != FLUID_OK) {
        error = "FluidSynth cannot make a player";
        Stop();
        return false;
    }
    // The player reads its file, and sends the events of its first tick, in
    // the first block the synthesiser renders: rendered here, that block
    // keeps the parsing and the reading of the programs' samples off the
    // audio thread.
    opening_.assign(static_cast<std::size_t>(OpeningFrames * bytesPerFrame_), 0);
    openingTaken_ = 0;
    if (!Write(opening_.data(), OpeningFrames)) opening_.clear();
    return true;
}

void MidiSynth::Stop()
{
    Fluid& fluid = *fluid_;
    if (fluid.player != nullptr) {
        delete_fluid_player(fluid.player);
        fluid.player = nullptr;
        // The next file must start as on a new synthesiser. FluidSynth's
        // reset leaves sounding voices on, and voices turned off fade out over
        // a block into the reverb and chorus. So: voices off, a block rendered
        // and dropped, every channel and effect reset, and once more a block
        // and a reset for what the fade left in the effects.
        fluid_synth_all_sounds_off(fluid.synth, -1);
        std::vector<std::uint8_t> dropped(static_cast<std::size_t>(FadeOutFrames * bytesPerFrame_));
        for (int pass = 0; pass < 2; ++pass) {
            Write(dropped.data(), FadeOutFrames);
            fluid_synth_system_reset(fluid.synth);
        }
    }
    opening_.clear();
    openingTaken_ = 0;
}

void MidiSynth::SetGain(float gain)
{
    fluid_synth_set_gain(fluid_->synth, gain);
}

bool MidiSynth::Render(std::uint8_t* out, std::size_t bytes)
{
    Fluid& fluid = *fluid_;
    if (fluid.player == nullptr) return false;
    if (openingTaken_ < opening_.size()) {
        const std::size_t taken = std::min(bytes, opening_.size() - openingTaken_);
        std::memcpy(out, opening_.data() + openingTaken_, taken);
        openingTaken_ += taken;
        out += taken;
        bytes -= taken;
    }
    const int frames = static_cast<int>(bytes / static_cast<std::size_t>(bytesPerFrame_));
    if (frames > 0 && !Write(out, frames)) return false;
    return fluid_player_get_status(fluid.player) == FLUID_PLAYER_PLAYING;
}

bool MidiSynth::Write(std::uint8_t* out, int frames)
{
    fluid_synth_t* synth = fluid_->synth;
    const int written = format_ == SampleFormat::Float32 ? fluid_synth_write_float(synth, frames, out, 0, 2, out, 1, 2)
                                                         : fluid_synth_write_s16(synth, frames, out, 0, 2, out, 1, 2);
    return written == FLUID_OK;
}

}  // namespace media
