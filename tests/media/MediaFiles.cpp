// WAV and MIDI bytes for the media tests, hostile files and the test folder.
#include "MediaFiles.h"

#include <unistd.h>

#include <QCoreApplication>

#include <SDL_mixer.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace media_test {

namespace {

// `bytes` bytes of `value`, least significant first unless `bigEndian`.
std::string Number(std::uint32_t value, int bytes, bool bigEndian = false)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * (bigEndian ? bytes - 1 - i : i))) & 0xFF);
    return out;
}

}  // namespace

std::string WavBytes(int milliseconds, int claimedMilliseconds)
{
    constexpr std::uint32_t rate = 22050;
    const std::uint32_t frames = rate * milliseconds / 1000;
    const std::uint32_t claimed = claimedMilliseconds < 0 ? frames : rate * claimedMilliseconds / 1000;
    std::string samples;
    for (std::uint32_t i = 0; i < frames; ++i) samples += Number((i / 25) % 2 ? 0x0800 : 0xF800, 2);
    return "RIFF" + Number(36 + claimed * 2, 4) + "WAVEfmt " + Number(16, 4) + Number(1, 2) + Number(1, 2) +
           Number(rate, 4) + Number(rate * 2, 4) + Number(2, 2) + Number(16, 2) + "data" + Number(claimed * 2, 4) +
           samples;
}

std::string MidiBytes(int noteTicks)
{
    using namespace std::string_literals;
    // Piano, middle C on, off after noteTicks (two-byte length), end of track.
    const std::string track = "\x00\xC0\x00\x00\x90\x3C\x64"s + static_cast<char>(0x80 | (noteTicks >> 7)) +
                              static_cast<char>(noteTicks & 0x7F) + "\x80\x3C\x40\x00\xFF\x2F\x00"s;
    return "MThd" + Number(6, 4, true) + Number(0, 2, true) + Number(1, 2, true) + Number(96, 2, true) + "MTrk" +
           Number(static_cast<std::uint32_t>(track.size()), 4, true) + track;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    ASSERT_EQ(std::filesystem::file_size(path), bytes.size()) << path;
}

std::string HostileName(const testing::TestParamInfo<Hostile>& info)
{
    const char* names[] = {"Garbage", "Empty", "Huge", "Truncated", "Directory"};
    return names[static_cast<int>(info.param)];
}

void WriteHostile(const std::filesystem::path& path, Hostile kind, bool wav)
{
    const std::string good = wav ? WavBytes(300) : MidiBytes(96);
    switch (kind) {
    case Hostile::Garbage: {
        std::string bytes;
        std::uint32_t seed = 12345;
        for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((seed = seed * 134775813 + 1) >> 24);
        WriteFile(path, bytes);
        break;
    }
    case Hostile::Empty: WriteFile(path, ""); break;
    case Hostile::Huge:  // sparse: 17 MB of nothing on disk
        WriteFile(path, good);
        std::filesystem::resize_file(path, 17 * 1024 * 1024);
        break;
    case Hostile::Truncated: WriteFile(path, wav ? WavBytes(300, 1000) : good.substr(0, good.size() - 6)); break;
    case Hostile::Directory: std::filesystem::create_directory(path); break;
    }
}

OutputPeak::OutputPeak()
{
    Mix_SetPostMix(&OutputPeak::Watch, this);
}

OutputPeak::~OutputPeak()
{
    Mix_SetPostMix(nullptr, nullptr);
}

int OutputPeak::After(int chunks) const
{
    while (chunks_ < chunks) std::this_thread::sleep_for(1ms);
    return peak_;
}

void OutputPeak::Watch(void* self, std::uint8_t* stream, int length)
{
    auto* const output = static_cast<OutputPeak*>(self);
    int peak = output->peak_;
    for (int i = 0; i + 1 < length; i += 2) {
        Sint16 sample = 0;
        std::memcpy(&sample, stream + i, 2);
        peak = std::max(peak, std::abs(int{sample}));
    }
    output->peak_ = peak;
    ++output->chunks_;
}

bool ProcessEventsUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

MediaTest::MediaTest()
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name) {
        if (c == '/') c = '_';  // parameterised tests
    }
    folder_ = std::filesystem::temp_directory_path() / ("plumfizz-media-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

std::string MediaTest::LongFolder() const
{
    std::string folder = AssetDir();
    while (folder.size() < 300) folder += std::string(60, 'd') + "/";
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace media_test
