// Reading lead sheets: chord symbols and their voicings, charts and melodies.
#include "LeadSheet.h"

#include <cmath>
#include <sstream>
#include <string>

namespace musicgen::leadsheet {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::vector<std::string> Bars(const std::string& text)
{
    std::vector<std::string> bars;
    std::istringstream stream(text);
    for (std::string bar; std::getline(stream, bar, '|');) bars.push_back(bar);
    return bars;
}

int ReadPitch(const std::string& text, size_t& position)
{
    static constexpr int LetterPitch[] = {9, 11, 0, 2, 4, 5, 7};  // A to G
    if (position >= text.size() || text[position] < 'A' || text[position] > 'G') {
        throw NotationError("no note letter in \"" + text + "\"");
    }
    int pitch = LetterPitch[text[position++] - 'A'];
    for (; position < text.size() && (text[position] == '#' || text[position] == 'b'); ++position) {
        pitch += text[position] == '#' ? 1 : -1;
    }
    return pitch;
}

Chord ParseChord(const std::string& symbol)
{
    struct Suffix {
        const char* text;
        Quality quality;
    };
    static constexpr Suffix Suffixes[] = {{"", Quality::Major},
                                          {"6", Quality::Sixth},
                                          {"maj7", Quality::Major7},
                                          {"m6", Quality::Minor6},
                                          {"m7", Quality::Minor7},
                                          {"7", Quality::Dominant7},
                                          {"m7b5", Quality::HalfDiminished},
                                          {"dim7", Quality::Diminished7}};
    size_t position = 0;
    const int root = (ReadPitch(symbol, position) + 12) % 12;
    for (const Suffix& suffix : Suffixes) {
        if (symbol.substr(position) == suffix.text) return Chord{root, suffix.quality};
    }
    throw NotationError("unknown chord \"" + symbol + "\"");
}

std::vector<int> VoicingIntervals(Quality quality)
{
    switch (quality) {
    case Quality::Major: return {0, 4, 7};
    case Quality::Sixth: return {4, 7, 9, 14};
    case Quality::Major7: return {4, 7, 11, 14};
    case Quality::Minor6: return {3, 7, 9, 14};
    case Quality::Minor7: return {3, 7, 10, 14};
    case Quality::Dominant7: return {4, 7, 10, 14};
    case Quality::HalfDiminished: return {0, 3, 6, 10};
    case Quality::Diminished7: return {0, 3, 6, 9};
    }
    return {0};
}

std::vector<int> ShellIntervals(Quality quality)
{
    switch (quality) {
    case Quality::Major: return {4, 7, 12};
    case Quality::Sixth: return {4, 9, 14};
    case Quality::Major7: return {4, 11, 14};
    case Quality::Minor6: return {3, 9, 14};
    case Quality::Minor7: return {3, 10, 14};
    case Quality::Dominant7: return {4, 10, 14};
    case Quality::HalfDiminished: return {3, 10, 6};
    case Quality::Diminished7: return {3, 9, 6};
    }
    return {0};
}

int Third(Quality quality)
{
    switch (quality) {
    case Quality::Major:
    case Quality::Sixth:
    case Quality::Major7:
    case Quality::Dominant7: return 4;
    default: return 3;
    }
}

int Fifth(Quality quality)
{
    return quality == Quality::HalfDiminished || quality == Quality::Diminished7 ? 6 : 7;
}

int KeyAbove(int floor, int pitchClass)
{
    return floor + ((pitchClass - floor) % 12 + 12) % 12;
}

std::vector<ChordSpan> ParseChart(const std::string& chart, int beatsPerBar, double start)
{
    std::vector<ChordSpan> spans;
    for (const std::string& bar : Bars(chart)) {
        const std::vector<std::string> symbols = Words(bar);
        if (symbols.empty()) throw NotationError("an empty bar in \"" + chart + "\"");
        const double length = double(beatsPerBar) / symbols.size();
        for (const std::string& symbol : symbols) {
            spans.push_back(ChordSpan{start, length, ParseChord(symbol)});
            start += length;
        }
    }
    return spans;
}

std::vector<Note> ParseMelody(const std::string& melody, int beatsPerBar, double start, int shift)
{
    std::vector<Note> notes;
    int barNumber = 0;
    for (const std::string& bar : Bars(melody)) {
        ++barNumber;
        double beat = 0.0;
        for (const std::string& token : Words(bar)) {
            const size_t colon = token.find(':');
            if (colon == std::string::npos) throw NotationError("no length in \"" + token + "\"");
            const double length = std::stod(token.substr(colon + 1));
            const std::string name = token.substr(0, colon);
            if (name == "_") {
                if (notes.empty()) throw NotationError("a tie with no note before it");
                notes.back().length += length;
            } else if (name != "r") {
                size_t position = 0;
                const int pitch = ReadPitch(token, position);
                const int octave = std::stoi(token.substr(position, colon - position));
                const int key = (octave + 1) * 12 + pitch;  // middle C, C4, is key 60
                notes.push_back(Note{start + beat, length, key + shift});
            }
            beat += length;
        }
        if (std::fabs(beat - beatsPerBar) > 1e-9) {
            throw NotationError("bar " + std::to_string(barNumber) + " of \"" + melody.substr(0, 40) + "...\" has " +
                                std::to_string(beat) + " beats");
        }
        start += beatsPerBar;
    }
    return notes;
}

}  // namespace musicgen::leadsheet
