// plumfizz-soundgen: synthesises the default theme's sound effects.
//
//   plumfizz-soundgen <dir>   writes <dir>/Plum0.wav ... <dir>/Plum9.wav and <dir>/PlumWin.wav
//                             (44.1 kHz, 16-bit, mono)

#include <sndfile.h>

#include <cstdio>
#include <string>

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

}  // namespace

int main(int argc, char** argv)
{
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
