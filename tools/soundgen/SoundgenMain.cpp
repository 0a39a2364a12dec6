// plumfizz-soundgen: synthesises the default theme's sound effects.
//
//   plumfizz-soundgen <dir>   writes <dir>/Plum0.wav ... <dir>/Plum9.wav and <dir>/PlumWin.wav
//                             (44.1 kHz, 16-bit, mono)
//   plumfizz-soundgen --stand-in <header>
//                             writes the sound played in place of a missing effect file
//                             as a C++ header holding its WAV file's bytes

#include <sndfile.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Effects.h"

namespace {

// The default theme's root, from which the game names its sound files.
constexpr const char* ThemeRoot = "Plum";

bool WriteWav(const std::string& path, const soundgen::Signal& signal)
{
    SF_INFO info{};
    info.samplerate = soundgen::SampleRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        std::fprintf(stderr, "plumfizz-soundgen: cannot write %s: %s\n", path.c_str(), sf_strerror(nullptr));
        return false;
    }
    // Samples beyond full scale would wrap around without this; the levels keep well below it anyway.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const auto frames = static_cast<sf_count_t>(signal.size());
    const bool written = sf_writef_float(file, signal.data(), frames) == frames;
    if (!written) std::fprintf(stderr, "plumfizz-soundgen: writing %s: %s\n", path.c_str(), sf_strerror(file));
    return sf_close(file) == 0 && written;
}

// The WAV file's bytes as a constant array of the game's media layer.
bool WriteStandInHeader(const std::string& path)
{
    const std::string wav = path + ".wav";
    if (!WriteWav(wav, soundgen::RenderStandInSound())) return false;
    std::ifstream in(wav, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    std::remove(wav.c_str());
    std::ofstream out(path + ".new", std::ios::trunc);
    out << "// The sound played in place of an effect file that is missing or cannot be\n"
           "// played, as a WAV file's bytes. Written at build time by plumfizz-soundgen.\n"
           "#pragma once\n\n#include <cstdint>\n\nnamespace media {\n\n"
           "inline constexpr std::uint8_t StandInSoundWav[] = {";
    for (std::size_t i = 0; i < bytes.size(); ++i) out << (i % 16 == 0 ? "\n   " : "") << ' ' << int(bytes[i]) << ',';
    out << "\n};\n\n}  // namespace media\n";
    out.close();
    if (!out || bytes.empty() || std::rename((path + ".new").c_str(), path.c_str()) != 0) {
        std::fprintf(stderr, "plumfizz-soundgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--stand-in") return WriteStandInHeader(argv[2]) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: plumfizz-soundgen <output directory>\n");
        return 2;
    }
    for (soundgen::Effect effect : soundgen::AllEffects) {
        const std::string path = std::string(argv[1]) + "/" + ThemeRoot + soundgen::FileSuffix(effect);
        if (!WriteWav(path, soundgen::Render(effect))) return 1;
    }
    return 0;
}
