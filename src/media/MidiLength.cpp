// Reading a Standard MIDI File's chunks and events far enough to find when
// its last note ends: delta times, running status, meta and system events,
// and the tempo map, with every length checked against the bytes there are.
#include "media/MidiLength.h"

#include <algorithm>
#include <map>

namespace media {

namespace {

constexpr std::uint32_t DefaultTempo = 500'000;  // microseconds a quarter note, until a tempo event

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ >= bytes_.size(); }
    std::size_t Left() const { return bytes_.size() - at_; }
    bool Has(std::size_t count) const { return Left() >= count; }

    std::uint32_t Number(int count)
    {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = value << 8 | bytes_[at_++];
        return value;
    }
    std::uint8_t Byte() { return bytes_[at_++]; }
    void Skip(std::size_t count) { at_ += count; }
    // A variable-length quantity: at most four bytes, seven bits each.
    std::optional<std::uint32_t> Varying()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (AtEnd()) return std::nullopt;
            const std::uint8_t b = Byte();
            value = value << 7 | (b & 0x7F);
            if ((b & 0x80) == 0) return value;
        }
        return std::nullopt;
    }
    Reader Sub(std::size_t count)
    {
        Reader sub(bytes_.subspan(at_, count));
        at_ += count;
        return sub;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

struct TrackTimes {
    std::uint64_t lastNoteEnd = 0;
    std::uint64_t lastEvent = 0;
    bool hasNotes = false;
};

// One track's events; tempo changes go into the shared map. False when the
// track is malformed.
bool ReadTrack(Reader track, std::map<std::uint64_t, std::uint32_t>& tempos, TrackTimes& times)
{
    std::uint64_t tick = 0;
    std::uint8_t status = 0;
    while (!track.AtEnd()) {
        const auto delta = track.Varying();
        if (!delta || track.AtEnd()) return false;
        tick += *delta;
        times.lastEvent = std::max(times.lastEvent, tick);
        std::uint8_t first = track.Byte();
        if (first == 0xFF) {  // meta event
            if (!track.Has(1)) return false;
            const std::uint8_t type = track.Byte();
            const auto length = track.Varying();
            if (!length || !track.Has(*length)) return false;
            if (type == 0x51 && *length == 3) {
                tempos[tick] = track.Number(3);
            } else {
                track.Skip(*length);
            }
            if (type == 0x2F) return true;  // end of track
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {  // system exclusive
            const auto length = track.Varying();
            if (!length || !track.Has(*length)) return false;
            track.Skip(*length);
            continue;
        }
        // A status byte, or running status: the first data byte came already.
        if (first & 0x80) {
            status = first;
            if (!track.Has(1)) return false;
            track.Byte();
        } else if (status == 0) {
            return false;
        }
        const std::uint8_t kind = status & 0xF0;
        std::uint8_t data2 = 0;
        if (kind != 0xC0 && kind != 0xD0) {
            if (!track.Has(1)) return false;
            data2 = track.Byte();
        }
        const bool noteOn = kind == 0x90 && data2 > 0;
        const bool noteOff = kind == 0x80 || (kind == 0x90 && data2 == 0);
        if (noteOn) times.hasNotes = true;
        if (noteOn || noteOff) times.lastNoteEnd = std::max(times.lastNoteEnd, tick);
    }
    return true;
}

}  // namespace

std::optional<std::chrono::microseconds> MidiLength(std::span<const std::uint8_t> bytes)
{
    Reader file(bytes);
    if (!file.Has(14) || file.Number(4) != 0x4D546864 /* MThd */) return std::nullopt;
    const std::uint32_t headerLength = file.Number(4);
    if (headerLength < 6 || !file.Has(headerLength)) return std::nullopt;
    Reader header = file.Sub(headerLength);
    header.Number(2);  // format
    const std::uint32_t trackCount = header.Number(2);
    const std::uint32_t division = header.Number(2);
    if (division == 0) return std::nullopt;

    std::map<std::uint64_t, std::uint32_t> tempos;
    TrackTimes times;
    std::uint32_t tracksRead = 0;
    while (tracksRead < trackCount && file.Has(8)) {
        const std::uint32_t id = file.Number(4);
        const std::uint32_t length = file.Number(4);
        if (!file.Has(length)) return std::nullopt;
        Reader chunk = file.Sub(length);
        if (id != 0x4D54726B /* MTrk */) continue;  // chunks of other kinds are skipped
        if (!ReadTrack(chunk, tempos, times)) return std::nullopt;
        ++tracksRead;
    }
    if (tracksRead == 0) return std::nullopt;
    const std::uint64_t end = times.hasNotes ? times.lastNoteEnd : times.lastEvent;

    // SMPTE division: frames a second and ticks a frame, no tempo.
    if (division & 0x8000) {
        const int frames = 256 - static_cast<int>(division >> 8);
        const int ticksPerFrame = static_cast<int>(division & 0xFF);
        if (frames <= 0 || ticksPerFrame == 0) return std::nullopt;
        return std::chrono::microseconds(
            static_cast<std::int64_t>(static_cast<double>(end) * 1e6 / (frames * ticksPerFrame)));
    }
    // Quarter-note division: each stretch at the tempo in force there.
    double micros = 0;
    std::uint64_t from = 0;
    std::uint32_t tempo = DefaultTempo;
    for (const auto& [tick, next] : tempos) {
        if (tick >= end) break;
        micros += static_cast<double>(tick - from) * tempo / division;
        from = tick;
        tempo = next;
    }
    micros += static_cast<double>(end - from) * tempo / division;
    return std::chrono::microseconds(static_cast<std::int64_t>(micros));
}

}  // namespace media
