// The settings files on disk: where they live, reading keys in one pass, and writes that replace
// the file whole through a temporary file, so that a failed write leaves the old one.
#include "store/SettingsFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>

#include "files/RegularFile.h"
#include "store/IniScanner.h"
#include "store/TextEncoding.h"

namespace store {

namespace fs = std::filesystem;
using detail::IniLine;
using detail::IniScanner;
using detail::LineKind;
using detail::SameName;
using detail::TextEncoding;
using detail::Trim;

// ---------------------------------------------------------------------------
// Where files live

static fs::path HomeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && *found->pw_dir != '\0')
        return found->pw_dir;
    return ".";
}

fs::path ProfileDirectory()
{
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and is ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return fs::path(config) / "tallyho";
    return HomeDirectory() / ".config" / "tallyho";
}

SettingsFile::SettingsFile(const std::string& fileName)
{
    const fs::path name(fileName);
    path_ = name.has_parent_path() ? name : ProfileDirectory() / name;
}

// ---------------------------------------------------------------------------
// File access

namespace {

constexpr std::size_t ChunkSize = 1 << 16;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return fd_; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    // Returns false when closing reported an error (a delayed write error).
    bool Close()
    {
        if (fd_ < 0) return true;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

enum class Opened { Yes, Missing, Unusable };

// A UTF-16 file is decoded into memory, so it gets a smaller cap than the
// streamed UTF-8 one; a file Notepad saves is a few hundred bytes.
constexpr uint64_t MaxUtf16Bytes = uint64_t(4) << 20;

// A settings file open for reading, seen as UTF-8 text. A UTF-16 file (with
// its byte-order mark) is decoded into `decoded`; offsets then count in the
// decoded text, and a write encodes the result back.
struct OpenFile {
    files::RegularFile file;
    TextEncoding encoding = TextEncoding::Utf8;
    std::string decoded;
    std::string oddByte;  // a UTF-16 file's last byte when its length is odd, kept as it is
    uint64_t size = 0;    // of the text as seen
    std::string reason;   // why the file cannot be used

    // Up to `count` bytes of the text from `offset`: the number read, or -1.
    long long ReadSomeAt(char* buffer, std::size_t count, uint64_t offset)
    {
        if (encoding == TextEncoding::Utf8) return file.ReadSomeAt(buffer, count, offset);
        if (offset >= decoded.size()) return 0;
        const std::size_t n = std::min<std::size_t>(count, decoded.size() - static_cast<std::size_t>(offset));
        std::memcpy(buffer, decoded.data() + offset, n);
        return static_cast<long long>(n);
    }
};

// A settings file must be a regular file: a directory, a pipe or a device is
// never read (a pipe would block, a device may never end).
Opened OpenForReading(const fs::path& path, OpenFile& open)
{
    open.file = files::RegularFile(path.string(), files::MaxSettingsBytes);
    if (!open.file.IsOpen()) {
        open.reason = open.file.Reason();
        return open.file.Failure() == files::OpenFailure::Missing ? Opened::Missing : Opened::Unusable;
    }
    open.size = open.file.Size();
    unsigned char mark[2] = {0, 0};
    if (open.size < 2 || !open.file.ReadAt(mark, 2, 0)) return Opened::Yes;
    const bool little = mark[0] == 0xFF && mark[1] == 0xFE;
    const bool big = mark[0] == 0xFE && mark[1] == 0xFF;
    if (!little && !big) return Opened::Yes;
    if (open.size > MaxUtf16Bytes) {
        open.reason = "larger than " + files::SizeInWords(MaxUtf16Bytes) + " of UTF-16 text";
        return Opened::Unusable;
    }
    std::string raw(static_cast<std::size_t>(open.size), '\0');
    if (!open.file.ReadAt(raw.data(), raw.size(), 0)) {
        open.reason = open.file.Reason();
        return Opened::Unusable;
    }
    open.encoding = little ? TextEncoding::Utf16Le : TextEncoding::Utf16Be;
    if (raw.size() % 2 != 0) {
        open.oddByte = raw.substr(raw.size() - 1);
        raw.pop_back();
    }
    open.decoded = detail::DecodeUtf16(std::string_view(raw).substr(2), open.encoding);
    open.size = open.decoded.size();
    return Opened::Yes;
}

// Feeds the text's first `size` bytes to a scanner, a byte-order mark left
// out. Reading stops at the size the file had when opened, so a file that
// grows meanwhile cannot keep the reader busy. Returns false on a read error
// or a file that came up short.
bool ScanFile(OpenFile& file, const IniScanner::LineHandler& handler)
{
    const std::size_t bufferSize = static_cast<std::size_t>(std::min<uint64_t>(ChunkSize, file.size + 1));
    std::unique_ptr<char[]> buffer(new char[bufferSize]);
    std::optional<IniScanner> scanner;
    uint64_t position = 0;
    while (position < file.size) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<uint64_t>(bufferSize, file.size - position));
        const long long got = file.ReadSomeAt(buffer.get(), wanted, position);
        if (got <= 0) return false;
        const char* data = buffer.get();
        std::size_t size = static_cast<std::size_t>(got);
        if (!scanner) {
            const bool bom = size >= 3 && std::memcmp(data, ByteOrderMark, 3) == 0;
            scanner.emplace(handler, bom ? 3 : 0);
            if (bom) {
                data += 3;
                size -= 3;
            }
        }
        position += static_cast<uint64_t>(got);
        if (!scanner->Feed(data, size)) return true;
    }
    if (scanner) scanner->Finish();
    return true;
}

// Why a write failed, in the words the player is shown.
struct Failure {
    std::string reason;
};

[[noreturn]] void Fail(const std::string& reason)
{
    throw Failure{reason};
}

// The system's reason for the error number.
[[noreturn]] void FailWith(int error)
{
    Fail(std::strerror(error != 0 ? error : EIO));
}

void WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) FailWith(errno);
        if (done == 0) FailWith(ENOSPC);
        data += done;
        size -= static_cast<std::size_t>(done);
    }
}

// What a write puts into the temporary file: UTF-8 text goes straight in; the
// text of a UTF-16 file is gathered and encoded back when it is complete.
class TextSink {
public:
    TextSink(int fd, TextEncoding encoding) : fd_(fd), encoding_(encoding) {}

    void Write(const char* data, std::size_t size)
    {
        if (encoding_ == TextEncoding::Utf8)
            WriteAll(fd_, data, size);
        else
            text_.append(data, size);
    }

    void Finish(const std::string& oddByte)
    {
        if (encoding_ == TextEncoding::Utf8) return;
        const std::string mark = encoding_ == TextEncoding::Utf16Le ? "\xFF\xFE" : "\xFE\xFF";
        const std::string units = mark + detail::EncodeUtf16(text_, encoding_) + oddByte;
        WriteAll(fd_, units.data(), units.size());
    }

private:
    int fd_;
    TextEncoding encoding_;
    std::string text_;
};

void CopyRange(OpenFile& from, TextSink& to, uint64_t begin, uint64_t end, char* buffer)
{
    while (begin < end) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<uint64_t>(ChunkSize, end - begin));
        const long long got = from.ReadSomeAt(buffer, wanted, begin);
        if (got < 0) FailWith(from.file.Error());
        // The file shrank under us: better no write than a torn file.
        if (got == 0) Fail("the file changed while it was being written");
        to.Write(buffer, static_cast<std::size_t>(got));
        begin += static_cast<uint64_t>(got);
    }
}

// Creates the missing directories of `directory`, private to the user as the
// XDG rules ask for directories made under the configuration home.
void CreateDirectories(const fs::path& directory)
{
    if (directory.empty()) return;
    struct stat status {};
    if (::stat(directory.c_str(), &status) == 0) {
        if (!S_ISDIR(status.st_mode)) FailWith(ENOTDIR);
        return;
    }
    if (directory.has_parent_path() && directory.parent_path() != directory) CreateDirectories(directory.parent_path());
    if (::mkdir(directory.c_str(), 0700) != 0) {
        const int error = errno;
        if (error != EEXIST) FailWith(error);
        if (::stat(directory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) FailWith(ENOTDIR);
    }
}

SettingsFile::BeforeRenameHook& RenameHook()
{
    static SettingsFile::BeforeRenameHook hook;
    return hook;
}

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& directory, const std::string& fileName)
    {
        static unsigned counter = 0;
        const std::string stem = "." + fileName + ".tmp-" + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::path candidate = directory / (stem + std::to_string(counter++));
            const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_.Reset(fd);
                path_ = std::move(candidate);
                return;
            }
            if (errno != EEXIST) FailWith(errno);
        }
        FailWith(EEXIST);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        fd_.Close();
        if (!path_.empty()) ::unlink(path_.c_str());
    }

    int Fd() const { return fd_.Get(); }
    const fs::path& Path() const { return path_; }
    void CloseOrFail()
    {
        if (!fd_.Close()) FailWith(errno);
    }
    void Kept() { path_.clear(); }

private:
    FileDescriptor fd_;
    fs::path path_;
};

struct Edit {
    uint64_t from = 0;
    uint64_t to = 0;
    std::string text;
};

// Keys may not hold what would read back as another kind of line.
bool UsableKey(std::string_view key)
{
    if (key.empty() || key.size() > detail::NameCap) return false;
    if (key.find_first_of("=\r\n") != std::string_view::npos) return false;
    return key[0] != '[' && key[0] != ';' && key[0] != '#';
}

bool UsableSection(std::string_view section)
{
    return section.size() <= detail::NameCap && section.find_first_of("\r\n") == std::string_view::npos;
}

// A line break inside a value would start a new line of the file, possibly a
// section of its own; it is written as a space.
std::string OneLine(const std::string& value)
{
    std::string line = value;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

}  // namespace

void SettingsFile::SetBeforeRenameHook(BeforeRenameHook hook)
{
    RenameHook() = std::move(hook);
}

// ---------------------------------------------------------------------------
// Reading

std::vector<SettingValue> SettingsFile::ReadValues(const std::string& section,
                                                   const std::vector<std::string>& keys) const
{
    std::vector<SettingValue> values(keys.size());
    const std::string_view wantedSection = Trim(section);
    std::vector<std::string_view> wantedKeys;
    std::size_t missing = 0;
    for (const std::string& key : keys) {
        wantedKeys.push_back(Trim(key));
        if (!wantedKeys.back().empty()) ++missing;
    }
    if (missing == 0) return values;

    OpenFile file;
    if (OpenForReading(path_, file) != Opened::Yes) return values;

    bool inSection = false;
    // A read error keeps what was found before it; the rest takes defaults.
    ScanFile(file, [&](const IniLine& line) {
        if (line.kind == LineKind::Header || line.kind == LineKind::BrokenHeader) {
            // Only the first copy of a section is read: a key it lacks is
            // absent, whatever a later copy holds.
            if (inSection) return false;
            inSection = line.kind == LineKind::Header && !line.nameOverlong && SameName(line.name, wantedSection);
            return true;
        }
        if (!inSection || line.kind != LineKind::Key) return true;
        for (std::size_t i = 0; i < wantedKeys.size(); ++i) {
            SettingValue& value = values[i];
            if (value.found || wantedKeys[i].empty() || !SameName(line.name, wantedKeys[i])) continue;
            value.found = true;
            value.text = CutToCharacters(line.value, MaxValueCharacters);
            value.cut = line.valueMore || value.text.size() < line.value.size();
            --missing;
        }
        return missing > 0;  // the first match wins: nothing later can change the answer
    });
    return values;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultValue) const
{
    return ReadValues(section, {key}).front().AsString(defaultValue);
}

int32_t SettingsFile::ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const
{
    return ReadValues(section, {key}).front().AsInteger(defaultValue);
}

// ---------------------------------------------------------------------------
// Writing

void SettingsFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    WriteStrings(section, {{key, value}});
}

void SettingsFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteStrings(section, {{key, std::to_string(value)}});
}

namespace {

struct Wanted {
    std::string key;
    std::string value;
    std::optional<std::pair<uint64_t, uint64_t>> line;  // the line that holds the key now
    std::string keyInFile;                              // its spelling there
};

// Where a write changes the file, found in one pass over it.
struct Layout {
    std::string eol = "\n";      // the line end of the file's first line
    bool anyLine = false;        // the file holds more than a byte-order mark
    bool lastBlank = true;       // its last line is blank
    bool lastTerminated = true;  // its last line has a line end
    bool sectionFound = false;
    uint64_t insertAt = 0;  // where new keys of the section go
    bool insertAfterUnterminated = false;
};

Layout FindPlaces(OpenFile& original, const std::string& section, std::vector<Wanted>& wanted)
{
    Layout layout;
    bool eolKnown = false;
    bool inSection = false;  // in the first copy of the section, the only one read or written
    const bool complete = ScanFile(original, [&](const IniLine& line) {
        if (!eolKnown && line.terminated) {
            layout.eol = line.crlf ? "\r\n" : line.cr ? "\r" : "\n";
            eolKnown = true;
        }
        layout.anyLine = true;
        layout.lastBlank = line.kind == LineKind::Blank;
        layout.lastTerminated = line.terminated;
        const bool header = line.kind == LineKind::Header || line.kind == LineKind::BrokenHeader;
        if (header) {
            inSection = !layout.sectionFound && line.kind == LineKind::Header && !line.nameOverlong &&
                        SameName(line.name, section);
            if (inSection) layout.sectionFound = true;
        }
        if (!inSection) return true;
        if (line.kind == LineKind::Key) {
            for (Wanted& entry : wanted) {
                if (!entry.line && SameName(line.name, entry.key)) {
                    entry.line = std::make_pair(line.start, line.contentEnd);
                    entry.keyInFile = std::string(line.name);
                }
            }
        }
        // After the section's last key, not after the blank lines and comments
        // that lead into the next section.
        if (header || line.kind == LineKind::Key || line.kind == LineKind::Other) {
            layout.insertAt = line.end;
            layout.insertAfterUnterminated = !line.terminated;
        }
        return true;
    });
    if (!complete) FailWith(original.file.Error());
    return layout;
}

std::vector<Edit> MakeEdits(const std::string& section, const std::vector<Wanted>& wanted, const Layout& layout,
                            uint64_t fileSize)
{
    const std::string& eol = layout.eol;
    std::vector<Edit> edits;
    std::string added;
    for (const Wanted& entry : wanted) {
        if (entry.line)
            edits.push_back({entry.line->first, entry.line->second, entry.keyInFile + "=" + entry.value});
        else
            added += entry.key + "=" + entry.value + eol;
    }
    if (!added.empty()) {
        if (layout.sectionFound) {
            edits.push_back({layout.insertAt, layout.insertAt, (layout.insertAfterUnterminated ? eol : "") + added});
        } else {
            std::string text;
            if (layout.anyLine && !layout.lastTerminated) text += eol;
            if (layout.anyLine && !layout.lastBlank) text += eol;  // a blank line between sections
            text += "[" + section + "]" + eol + added;
            edits.push_back({fileSize, fileSize, std::move(text)});
        }
    }
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return std::tie(a.from, a.to) < std::tie(b.from, b.to); });
    return edits;
}

// Writes the original with the edits into a temporary file beside it, makes
// that durable, and renames it over the target.
void ReplaceFile(const fs::path& target, OpenFile& original, bool existed, const std::vector<Edit>& edits)
{
    const fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    TemporaryFile temporary(directory, target.filename().string());
    TextSink sink(temporary.Fd(), original.encoding);
    std::unique_ptr<char[]> buffer(new char[ChunkSize]);
    uint64_t position = 0;
    for (const Edit& edit : edits) {
        CopyRange(original, sink, position, edit.from, buffer.get());
        sink.Write(edit.text.data(), edit.text.size());
        position = edit.to;
    }
    CopyRange(original, sink, position, original.size, buffer.get());
    sink.Finish(original.oddByte);
    if (existed) ::fchmod(temporary.Fd(), original.file.Permissions());  // the file keeps its permissions

    if (::fsync(temporary.Fd()) != 0) FailWith(errno);
    temporary.CloseOrFail();
    if (RenameHook()) RenameHook()(temporary.Path());
    if (::rename(temporary.Path().c_str(), target.c_str()) != 0) FailWith(errno);
    temporary.Kept();

    // Make the rename itself durable; not every file system can, and the file
    // is whole either way.
    const int directoryFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        ::close(directoryFd);
    }
}

}  // namespace

void SettingsFile::WriteStrings(const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& entries)
{
    const std::string failure = "Unable to write to " + path_.string() + ": ";

    const std::string sectionName(Trim(section));
    if (!UsableSection(sectionName)) throw WriteError(failure + "a section name cannot hold a line end");
    std::vector<Wanted> wanted;
    for (const auto& [key, value] : entries) {
        const std::string_view name = Trim(key);
        if (!UsableKey(name)) throw WriteError(failure + "\"" + std::string(name) + "\" cannot be a key's name");
        // The same key twice: the later value wins, as two writes in a row would.
        auto same = std::find_if(wanted.begin(), wanted.end(), [&](const Wanted& w) { return SameName(w.key, name); });
        if (same != wanted.end())
            same->value = OneLine(value);
        else
            wanted.push_back({std::string(name), OneLine(value), std::nullopt, {}});
    }
    if (wanted.empty()) return;

    try {
        // Write through a symbolic link rather than replace the link itself.
        fs::path target = path_;
        std::error_code error;
        if (fs::is_symlink(path_, error)) {
            fs::path resolved = fs::canonical(path_, error);
            if (!error) target = resolved;
        }
        CreateDirectories(target.parent_path());

        OpenFile original;
        const Opened opened = OpenForReading(target, original);
        // Unreadable or not a file: rewriting it would lose what it holds.
        if (opened == Opened::Unusable) Fail(original.reason);
        const Layout layout = opened == Opened::Yes ? FindPlaces(original, sectionName, wanted) : Layout{};
        ReplaceFile(target, original, opened == Opened::Yes, MakeEdits(sectionName, wanted, layout, original.size));
    } catch (const Failure& failed) {
        // Whatever failed, the old file stands.
        throw WriteError(failure + failed.reason);
    } catch (const std::exception& failed) {
        throw WriteError(failure + failed.what());
    } catch (...) {
        throw WriteError(failure + "unknown error");
    }
}

std::optional<std::string> SettingsFile::Unreadable() const
{
    OpenFile file;
    if (OpenForReading(path_, file) != Opened::Unusable) return std::nullopt;
    return file.reason;
}

int SettingsFile::RemoveStaleTemporaries() const
{
    // A writer's temporary files are named ".<file>.tmp-<process>-<count>".
    const fs::path directory = path_.parent_path().empty() ? fs::path(".") : path_.parent_path();
    const std::string prefix = "." + path_.filename().string() + ".tmp-";
    int removed = 0;
    std::error_code error;
    for (fs::directory_iterator entry(directory, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos) continue;
        if (rest.find_first_not_of("0123456789") != dash) continue;
        if (rest.size() == dash + 1 || rest.find_first_not_of("0123456789", dash + 1) != std::string::npos) continue;
        const std::string pidText = rest.substr(0, dash);
        if (pidText.size() > 9) continue;
        const pid_t writer = static_cast<pid_t>(std::stol(pidText));
        // A writer that still runs may be about to rename it into place.
        if (writer <= 0 || ::kill(writer, 0) == 0 || errno != ESRCH) continue;
        if (!entry->is_regular_file(error) || entry->is_symlink(error)) continue;
        if (::unlink(entry->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace store
