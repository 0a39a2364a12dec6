// The five music files, read back by a parser of their own: well-formed standard
// MIDI files, at least 30 seconds long, every note ended, a band with drums
// whose cymbal tails are kept short, arrangements that differ from tune to
// tune, and, rendered as the game plays them, one loudness with headroom.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Arranger.h"
#include "Loudness.h"
#include "MidiFile.h"
#include "MidiRender.h"

namespace {

const std::string ThemeDir = PLUMFIZZ_THEME_DIR;
const char* const MusicFiles[] = {"Plum0.mid", "Plum1.mid", "Plum2.mid", "Plum3.mid", "Plum4.mid"};

// Reads bytes from a buffer; reading past its end marks the reader failed and gives zeros.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool failed = false;
    size_t position = 0;

    uint8_t Byte()
    {
        if (position >= bytes_.size()) {
            failed = true;
            return 0;
        }
        return bytes_[position++];
    }
    uint32_t BigEndian(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | Byte();
        return value;
    }
    uint32_t VariableLength()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = Byte();
            value = value << 7 | (byte & 0x7F);
            if (byte < 0x80) return value;
        }
        failed = true;  // longer than four bytes
        return value;
    }
    std::string Text(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i) text += char(Byte());
        return text;
    }

private:
    const std::vector<uint8_t>& bytes_;
};

struct MidiSummary {
    std::string error;  // empty for a well-formed file
    int division = 0;
    std::map<uint32_t, uint32_t> tempos;  // tick -> microseconds per quarter note
    uint32_t endTick = 0;                 // of the longest track
    int maxVelocity = 0;
    int unendedNotes = 0;
    std::set<int> noteChannels, programChannels;
    std::vector<std::tuple<uint32_t, int, int>> drumNotes;  // (tick, key, velocity) in the order played
    std::set<int> compingKeys;
    // SoundFont NRPN offsets as a synthesiser applies them, when the coarse
    // data byte arrives: (channel, generator) -> offset.
    std::map<std::pair<int, int>, int> generatorOffsets;
};

// A channel's controllers as the NRPN messages read them.
struct NrpnState {
    int coarse = -1, fine = -1, dataFine = 0;
};

void ReadTrack(Reader& reader, size_t end, MidiSummary& midi)
{
    uint32_t tick = 0;
    uint8_t status = 0;
    std::map<int, int> sounding;  // channel * 128 + key -> notes started and not yet ended
    std::map<int, NrpnState> nrpn;
    bool ended = false;
    while (!ended && reader.position < end && !reader.failed) {
        tick += reader.VariableLength();
        uint8_t first = reader.Byte();
        if (first == 0xFF) {
            const uint8_t type = reader.Byte();
            const uint32_t length = reader.VariableLength();
            const uint32_t start = static_cast<uint32_t>(reader.position);
            if (type == 0x51 && length == 3) midi.tempos[tick] = reader.BigEndian(3);
            reader.position = start + length;
            ended = type == 0x2F;
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            reader.position += reader.VariableLength();
            continue;
        }
        if (first & 0x80) {
            status = first;
            first = reader.Byte();
        } else if (status == 0) {
            midi.error = "data byte without a status";
            return;
        }
        const int kind = status & 0xF0, channel = status & 0x0F;
        const uint8_t second = (kind == 0xC0 || kind == 0xD0) ? 0 : reader.Byte();
        if (first > 0x7F || second > 0x7F) midi.error = "data byte above 127";
        if (kind == 0xC0) midi.programChannels.insert(channel);
        if (kind == 0xB0) {
            NrpnState& state = nrpn[channel];
            if (first == 99) state.coarse = second;
            if (first == 98) state.fine = second;
            if (first == 38) state.dataFine = second;
            if (first == 6 && state.coarse == 120 && state.fine >= 0) {
                midi.generatorOffsets[{channel, state.fine}] = ((second << 7 | state.dataFine) - 8192) * 2;
            }
        }
        if (kind == 0x90 && second > 0) {
            ++sounding[channel * 128 + first];
            midi.noteChannels.insert(channel);
            midi.maxVelocity = std::max<int>(midi.maxVelocity, second);
            if (channel == musicgen::DrumChannel) midi.drumNotes.emplace_back(tick, first, second);
            if (channel == musicgen::CompingChannel) midi.compingKeys.insert(first);
        } else if ((kind == 0x80 || kind == 0x90) && sounding[channel * 128 + first] > 0) {
            --sounding[channel * 128 + first];
        }
    }
    if (reader.failed || reader.position != end) midi.error = "events overrun their track chunk";
    if (!ended || reader.position != end) midi.error = "a track does not end with end-of-track";
    for (const auto& [note, count] : sounding) midi.unendedNotes += count;
    midi.endTick = std::max(midi.endTick, tick);
}

MidiSummary Malformed(const std::string& error)
{
    MidiSummary midi;
    midi.error = error;
    return midi;
}

MidiSummary ReadMidi(const std::string& name)
{
    std::ifstream file(ThemeDir + "/" + name, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    MidiSummary midi;
    Reader reader(bytes);
    if (reader.Text(4) != "MThd" || reader.BigEndian(4) != 6) return Malformed("no MThd header of 6 bytes");
    const uint32_t format = reader.BigEndian(2), tracks = reader.BigEndian(2);
    midi.division = static_cast<int>(reader.BigEndian(2));
    if (format > 1) return Malformed("format " + std::to_string(format));
    if (midi.division <= 0 || midi.division >= 0x8000) return Malformed("not ticks per quarter note");
    for (uint32_t track = 0; track < tracks && midi.error.empty(); ++track) {
        if (reader.Text(4) != "MTrk") return Malformed("track " + std::to_string(track) + " is no MTrk chunk");
        const uint32_t length = reader.BigEndian(4);
        const size_t end = reader.position + length;
        if (end > bytes.size()) return Malformed("track " + std::to_string(track) + " runs past the file");
        ReadTrack(reader, end, midi);
    }
    if (midi.error.empty() && reader.position != bytes.size()) midi.error = "bytes after the last track";
    return midi;
}

double Seconds(const MidiSummary& midi)
{
    double seconds = 0.0;
    uint32_t tick = 0, tempo = 500000;  // the standard's default, 120 beats a minute
    for (const auto& [change, next] : midi.tempos) {
        if (change >= midi.endTick) break;
        seconds += double(change - tick) * tempo / midi.division / 1e6;
        tick = change;
        tempo = next;
    }
    return seconds + double(midi.endTick - tick) * tempo / midi.division / 1e6;
}

TEST(MusicFiles, AreWellFormedStandardMidiFilesWithATempo)
{
    for (const char* name : MusicFiles) {
        const MidiSummary midi = ReadMidi(name);
        EXPECT_EQ(midi.error, "") << name;
        EXPECT_FALSE(midi.tempos.empty()) << name;
    }
}

TEST(MusicFiles, LastAtLeastThirtySeconds)
{
    for (const char* name : MusicFiles) EXPECT_GE(Seconds(ReadMidi(name)), 30.0) << name;
}

TEST(MusicFiles, EndEveryNoteTheyStartAndKeepVelocitiesModerate)
{
    for (const char* name : MusicFiles) {
        const MidiSummary midi = ReadMidi(name);
        EXPECT_EQ(midi.unendedNotes, 0) << name;
        EXPECT_GT(midi.maxVelocity, 0) << name << " plays nothing";
        EXPECT_LE(midi.maxVelocity, 90) << name << " would cover the sound effects";
    }
}

TEST(MusicFiles, PlayABandWithDrumsOnChannelTen)
{
    for (const char* name : MusicFiles) {
        const MidiSummary midi = ReadMidi(name);
        EXPECT_TRUE(midi.noteChannels.contains(musicgen::DrumChannel)) << name;
        EXPECT_GE(midi.noteChannels.size(), 4u) << name << ": drums, bass, chords and a melody";
        for (int channel : midi.noteChannels)
            EXPECT_TRUE(midi.programChannels.contains(channel)) << name << " " << channel;
    }
}

TEST(MusicFiles, ShortenTheDrumReleaseButKeepTheCymbalsRinging)
{
    constexpr int ReleaseOfVolumeEnvelope = 38;  // timecents
    for (const char* name : MusicFiles) {
        const MidiSummary midi = ReadMidi(name);
        const auto offset = midi.generatorOffsets.find({musicgen::DrumChannel, ReleaseOfVolumeEnvelope});
        ASSERT_NE(offset, midi.generatorOffsets.end()) << name;
        // Shorter, so tails do not pile up; not below a sixteenth, so a ride still rings.
        EXPECT_LT(offset->second, 0) << name;
        EXPECT_GE(offset->second, -4800) << name;
        EXPECT_EQ(midi.generatorOffsets.size(), 1u) << name << ": no other generator is touched";
    }
}

TEST(MusicFiles, GiveEveryTuneDrumsOfItsOwn)
{
    std::map<std::vector<std::tuple<uint32_t, int, int>>, std::string> seen;
    for (const char* name : MusicFiles) {
        const MidiSummary midi = ReadMidi(name);
        ASSERT_FALSE(midi.drumNotes.empty()) << name;
        const auto [first, added] = seen.emplace(midi.drumNotes, name);
        EXPECT_TRUE(added) << name << " plays the same drums as " << first->second;
    }
}

TEST(MusicFiles, VoiceTheChordsInDifferentRegisters)
{
    constexpr int G3 = 55, FSharp4 = 66;
    std::set<std::pair<int, int>> ranges;
    int outsideTheOldOctave = 0;
    for (const char* name : MusicFiles) {
        const std::set<int> keys = ReadMidi(name).compingKeys;
        ASSERT_FALSE(keys.empty()) << name << " has no chords";
        ranges.emplace(*keys.begin(), *keys.rbegin());
        if (*keys.begin() < G3 || *keys.rbegin() > FSharp4) ++outsideTheOldOctave;
    }
    EXPECT_GE(ranges.size(), 3u) << "the tunes' chords share their lowest and highest keys";
    EXPECT_GE(outsideTheOldOctave, 3) << "the chords keep to G3-F#4";
}

// A 1 kHz sine of `peakDb` in the left channel, and in the right when `stereo`.
loudness::Sound Sine(double peakDb, bool stereo)
{
    loudness::Sound sound{44100, 2, {}};
    const double amplitude = std::pow(10.0, peakDb / 20.0);
    for (int frame = 0; frame < 10 * sound.sampleRate; ++frame) {
        const double sample = amplitude * std::sin(2.0 * std::numbers::pi * 1000.0 * frame / sound.sampleRate);
        sound.samples.push_back(float(sample));
        sound.samples.push_back(stereo ? float(sample) : 0.0f);
    }
    return sound;
}

// BS.1770 sets a 1 kHz sine's loudness to its mean square summed over the
// channels: -3.01 dB under its peak in one channel, equal to it in two.
TEST(LoudnessMeter, ReadsA1kHzSineAsTheStandardDefinesIt)
{
    EXPECT_NEAR(loudness::LoudnessMeter(Sine(-20.0, true)).Integrated(), -20.0, 0.05);
    EXPECT_NEAR(loudness::LoudnessMeter(Sine(-20.0, false)).Integrated(), -23.01, 0.05);
    const loudness::Figures figures = loudness::Measure(Sine(-20.0, true));
    EXPECT_NEAR(figures.peak, -20.0, 0.01);
    EXPECT_NEAR(figures.rms, -23.01, 0.01);
    EXPECT_NEAR(figures.firstHalf, figures.secondHalf, 0.01);
}

// Rendered with the packaged soundfont at the gain of full music volume, as
// the game plays them: -28 LUFS each, even from half to half, and peaks that
// leave room for the effects on top.
TEST(MusicFiles, PlayAtOneLoudnessWithHeadroom)
{
    for (const char* name : MusicFiles) {
        loudness::Sound sound;
        std::string error;
        ASSERT_TRUE(loudness::RenderMidi(ThemeDir + "/" + name, loudness::RenderOptions{}, sound, error)) << error;
        const loudness::Figures figures = loudness::Measure(sound);
        EXPECT_NEAR(figures.integrated, -28.0, 1.0) << name;
        EXPECT_NEAR(figures.firstHalf, figures.secondHalf, 2.0) << name;
        EXPECT_LE(figures.peak, -12.0) << name;
    }
}

TEST(MidiWriter, EncodesVariableLengthQuantitiesAsTheStandardShows)
{
    using Bytes = std::vector<uint8_t>;
    EXPECT_EQ(musicgen::VariableLength(0), Bytes({0x00}));
    EXPECT_EQ(musicgen::VariableLength(0x7F), Bytes({0x7F}));
    EXPECT_EQ(musicgen::VariableLength(0x80), Bytes({0x81, 0x00}));
    EXPECT_EQ(musicgen::VariableLength(0x2000), Bytes({0xC0, 0x00}));
    EXPECT_EQ(musicgen::VariableLength(0x3FFF), Bytes({0xFF, 0x7F}));
    EXPECT_EQ(musicgen::VariableLength(0x4000), Bytes({0x81, 0x80, 0x00}));
    EXPECT_EQ(musicgen::VariableLength(0x0FFFFFFF), Bytes({0xFF, 0xFF, 0xFF, 0x7F}));
}

}  // namespace
