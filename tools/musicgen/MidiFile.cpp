// Encoding of MIDI events, track chunks and the file header.

#include "MidiFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace musicgen {

namespace {

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint8_t DataByte(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 127));
}

uint8_t Status(uint8_t kind, int channel)
{
    return static_cast<uint8_t>(kind | (channel & 0x0F));
}

}  // namespace

std::vector<uint8_t> VariableLength(uint32_t value)
{
    std::vector<uint8_t> bytes{static_cast<uint8_t>(value & 0x7F)};
    while ((value >>= 7) != 0) bytes.insert(bytes.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
    return bytes;
}

MidiTrack::MidiTrack(const std::string& name)
{
    std::vector<uint8_t> meta{0xFF, 0x03};
    const std::vector<uint8_t> length = VariableLength(static_cast<uint32_t>(name.size()));
    meta.insert(meta.end(), length.begin(), length.end());
    meta.insert(meta.end(), name.begin(), name.end());
    Add(0, Rank::Setting, meta);
}

void MidiTrack::Add(uint32_t tick, Rank rank, std::vector<uint8_t> bytes)
{
    events_.push_back(Event{tick, rank, std::move(bytes)});
}

void MidiTrack::AddNote(int channel, int key, int velocity, uint32_t startTick, uint32_t endTick)
{
    Add(startTick, Rank::NoteOn, {Status(0x90, channel), DataByte(key), DataByte(std::max(1, velocity))});
    Add(endTick, Rank::NoteOff, {Status(0x80, channel), DataByte(key), 0});
}

void MidiTrack::AddProgram(int channel, int program, uint32_t tick)
{
    Add(tick, Rank::Setting, {Status(0xC0, channel), DataByte(program)});
}

void MidiTrack::AddController(int channel, Controller controller, int value, uint32_t tick)
{
    Add(tick, Rank::Setting, {Status(0xB0, channel), controller, DataByte(value)});
}

void MidiTrack::AddTempo(double beatsPerMinute, uint32_t tick)
{
    std::vector<uint8_t> meta{0xFF, 0x51, 0x03};
    AppendBigEndian(meta, static_cast<uint32_t>(std::lround(60'000'000.0 / beatsPerMinute)), 3);
    Add(tick, Rank::Setting, meta);
}

void MidiTrack::AddTimeSignature(int beatsPerBar, uint32_t tick)
{
    // Quarter-note beats (denominator 2^2), a click every quarter, eight 32nds to the quarter.
    Add(tick, Rank::Setting, {0xFF, 0x58, 0x04, DataByte(beatsPerBar), 2, 24, 8});
}

std::vector<uint8_t> MidiTrack::Chunk() const
{
    std::vector<Event> sorted = events_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.rank < b.rank;
    });

    std::vector<uint8_t> body;
    uint32_t now = 0;
    for (const Event& event : sorted) {
        const std::vector<uint8_t> delta = VariableLength(event.tick - now);
        body.insert(body.end(), delta.begin(), delta.end());
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        now = event.tick;
    }
    const std::vector<uint8_t> delta = VariableLength(std::max(endTick_, now) - now);
    body.insert(body.end(), delta.begin(), delta.end());
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    AppendBigEndian(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

bool WriteMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks)
{
    std::vector<uint8_t> bytes{'M', 'T', 'h', 'd'};
    AppendBigEndian(bytes, 6, 4);
    AppendBigEndian(bytes, 1, 2);  // format 1: simultaneous tracks
    AppendBigEndian(bytes, static_cast<uint32_t>(tracks.size()), 2);
    AppendBigEndian(bytes, TicksPerQuarter, 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<uint8_t> chunk = track.Chunk();
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace musicgen
