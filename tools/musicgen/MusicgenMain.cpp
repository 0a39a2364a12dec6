// plumfizz-musicgen: composes the default theme's background music.
//
//   plumfizz-musicgen <dir>   writes <dir>/Plum0.mid ... <dir>/Plum4.mid

#include <cstdio>
#include <exception>
#include <string>

#include "Arranger.h"
#include "Tunes.h"

namespace {

// The default theme's root, from which the game names its music files.
constexpr const char* ThemeRoot = "Plum";

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plumfizz-musicgen <output directory>\n");
        return 2;
    }
    const auto& tunes = musicgen::Tunes();
    for (size_t track = 0; track < tunes.size(); ++track) {
        const std::string path = std::string(argv[1]) + "/" + ThemeRoot + std::to_string(track) + ".mid";
        try {
            if (!musicgen::WriteMidiFile(path, musicgen::Arrange(tunes[track]))) {
                std::fprintf(stderr, "plumfizz-musicgen: cannot write %s\n", path.c_str());
                return 1;
            }
        } catch (const std::exception& error) {  // a lead sheet that cannot be read
            std::fprintf(stderr, "plumfizz-musicgen: %s: %s\n", tunes[track].title.c_str(), error.what());
            return 1;
        }
    }
    return 0;
}
