// FluidSynth driven directly: a soundfont whose samples are read only for the
// presets in use, and one MIDI file at a time rendered into output buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace media {

// Start, Stop and the destructor must not run while Render does: the caller
// keeps the two apart (the music takes its hook off the mixer first).
// SetGain may be called at any time.
class MidiSynth {
public:
    enum class SampleFormat { Signed16, Float32 };

    // The synthesiser for interleaved stereo at `frequency` Hz in `format`,
    // with `soundFont` loaded. Null, with the reason in `error`, when the
    // soundfont cannot be loaded.
    static std::unique_ptr<MidiSynth> Open(const std::string& soundFont, int frequency, SampleFormat format,
                                           std::string& error);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    // Plays `file` (a copy is kept) from its beginning, in place of any file
    // playing, on a synthesiser reset to its power-on state. The file is
    // parsed and its opening events (the programs, whose samples are then
    // read) are handled here on the caller's thread, not on the audio thread.
    // A file FluidSynth cannot parse starts and ends at once, as a track
    // with nothing to play. False, with the reason, only when no player could
    // be made.
    bool Start(std::span<const std::uint8_t> file, std::string& error);
    // Silences the synthesiser, drops the file and resets every channel.
    void Stop();

    // FluidSynth's output gain (0.2 unless set).
    void SetGain(float gain);

    // Fills `out` with the next `bytes` bytes of the file's sound. False once
    // the file has ended (the buffer then holds its last stretch) or when
    // nothing plays.
    bool Render(std::uint8_t* out, std::size_t bytes);

private:
    // FluidSynth's settings, synthesiser and player, kept out of this header.
    struct Fluid;

    explicit MidiSynth(SampleFormat format);
    // `frames` interleaved stereo frames into `out`; false when FluidSynth fails.
    bool Write(std::uint8_t* out, int frames);

    SampleFormat format_;
    int bytesPerFrame_;
    std::unique_ptr<Fluid> fluid_;
    // The file's opening, rendered by Start, handed out before anything else.
    std::vector<std::uint8_t> opening_;
    std::size_t openingTaken_ = 0;
};

}  // namespace media
