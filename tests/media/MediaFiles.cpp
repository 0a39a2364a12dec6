// WAV and MIDI bytes for the media tests, hostile files and the test folder.
#include "MediaFiles.h"

#include <QCoreApplication>

#include <cstdint>
#include <fstream>
#include <thread>

#include <unistd.h>

namespace media_test {

namespace {

std::string LittleEndian(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string BigEndian(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

// A MIDI variable-length quantity: seven bits a byte, high bit on all but the last.
std::string VariableLength(std::uint32_t value)
{
    std::string out(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0) out.insert(out.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return out;
}

}  // namespace

std::string WavBytes(int milliseconds, int claimedMilliseconds)
{
    constexpr std::uint32_t rate = 22050;
    const std::uint32_t frames = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    const std::uint32_t claimedFrames =
        claimedMilliseconds < 0 ? frames : rate * static_cast<std::uint32_t>(claimedMilliseconds) / 1000;
    std::string samples;
    for (std::uint32_t i = 0; i < frames; ++i) samples += LittleEndian((i / 25) % 2 ? 0x0800 : 0xF800, 2);
    return "RIFF" + LittleEndian(36 + claimedFrames * 2, 4) + "WAVE" + "fmt " + LittleEndian(16, 4) +
           LittleEndian(1, 2) + LittleEndian(1, 2) + LittleEndian(rate, 4) + LittleEndian(rate * 2, 4) +
           LittleEndian(2, 2) + LittleEndian(16, 2) + "data" + LittleEndian(claimedFrames * 2, 4) + samples;
}

std::string MidiBytes(int noteTicks)
{
    using namespace std::string_literals;
    const std::string track = "\x00\xC0\x00"s                                                            // piano
                              + "\x00\x90\x3C\x64"s                                                      // middle C on
                              + VariableLength(static_cast<std::uint32_t>(noteTicks)) + "\x80\x3C\x40"s  // off
                              + "\x00\xFF\x2F\x00"s;                                                     // end of track
    return "MThd" + BigEndian(6, 4) + BigEndian(0, 2) + BigEndian(1, 2) + BigEndian(96, 2) + "MTrk" +
           BigEndian(static_cast<std::uint32_t>(track.size()), 4) + track;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
}

std::string HostileName(const testing::TestParamInfo<Hostile>& info)
{
    switch (info.param) {
    case Hostile::Garbage: return "Garbage";
    case Hostile::Empty: return "Empty";
    case Hostile::Huge: return "Huge";
    case Hostile::Truncated: return "Truncated";
    case Hostile::Directory: return "Directory";
    }
    return "Unknown";
}

void WriteHostile(const std::filesystem::path& path, Hostile kind, bool wav)
{
    switch (kind) {
    case Hostile::Garbage: {
        std::string bytes;
        std::uint32_t seed = 12345;
        for (int i = 0; i < 4096; ++i) {
            seed = seed * 134775813 + 1;
            bytes += static_cast<char>(seed >> 24);
        }
        WriteFile(path, bytes);
        break;
    }
    case Hostile::Empty: WriteFile(path, ""); break;
    case Hostile::Huge:
        // Sparse: 17 MB of nothing on disk.
        WriteFile(path, wav ? WavBytes(100) : MidiBytes(96));
        std::filesystem::resize_file(path, 17 * 1024 * 1024);
        break;
    case Hostile::Truncated:
        if (wav) {
            WriteFile(path, WavBytes(300, 1000));
        } else {
            const std::string whole = MidiBytes(96);
            WriteFile(path, whole.substr(0, whole.size() - 6));
        }
        break;
    case Hostile::Directory: std::filesystem::create_directory(path); break;
    }
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
    // Parameterised tests have slashes in their names.
    std::string name = std::string(test->test_suite_name()) + "-" + test->name();
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    folder_ = std::filesystem::temp_directory_path() / ("plumfizz-media-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

MediaTest::~MediaTest()
{
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace media_test
