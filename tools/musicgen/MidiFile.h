// A writer of standard MIDI files (format 1): tracks of timed channel and meta
// events, encoded with delta times as variable-length quantities.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace musicgen {

// Ticks per quarter note in every file written here.
inline constexpr int TicksPerQuarter = 480;

// General MIDI's percussion channel ("channel 10"), counted from 0.
inline constexpr int DrumChannel = 9;

// General MIDI controller numbers used by the arrangements.
enum Controller : uint8_t {
    DataEntry = 6,
    Volume = 7,
    Pan = 10,
    Expression = 11,
    DataEntryFine = 38,
    ReverbSend = 91,
    ChorusSend = 93,
    NrpnFine = 98,
    NrpnCoarse = 99,
};

// A number as a MIDI variable-length quantity: 7 bits a byte, most significant
// first, every byte but the last with its top bit set. Values up to 0x0FFFFFFF.
std::vector<uint8_t> VariableLength(uint32_t value);

class MidiTrack {
public:
    explicit MidiTrack(const std::string& name);

    void AddNote(int channel, int key, int velocity, uint32_t startTick, uint32_t endTick);
    void AddProgram(int channel, int program, uint32_t tick);
    void AddController(int channel, Controller controller, int value, uint32_t tick);
    void AddTempo(double beatsPerMinute, uint32_t tick);
    void AddTimeSignature(int beatsPerBar, uint32_t tick);  // in quarter notes

    // The end-of-track event goes here, or after the last event if that is later.
    void SetEnd(uint32_t tick) { endTick_ = tick; }

    // The track chunk: "MTrk", its length, and the events in time order.
    std::vector<uint8_t> Chunk() const;

private:
    // Events at the same tick keep this order: notes end before settings change and new notes start.
    enum class Rank { NoteOff, Setting, NoteOn };
    struct Event {
        uint32_t tick;
        Rank rank;
        std::vector<uint8_t> bytes;
    };
    void Add(uint32_t tick, Rank rank, std::vector<uint8_t> bytes);

    std::vector<Event> events_;
    uint32_t endTick_ = 0;
};

// Writes a format 1 file of the tracks; the first should hold the tempo. False if it cannot be written.
bool WriteMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks);

}  // namespace musicgen
