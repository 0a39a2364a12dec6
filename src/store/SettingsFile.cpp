// Settings files read and written one key at a time: sections and keys matched without regard to
// case, the first match winning, defaults for what is missing, and writes that change only the key.
#include "store/SettingsFile.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "store/AtomicReplace.h"
#include "store/IniScanner.h"
#include "store/ProfileDirectory.h"
#include "store/SettingsEdits.h"
#include "store/SettingsText.h"

namespace store {

namespace fs = std::filesystem;
using detail::ChunkSize;
using detail::CopyRange;
using detail::Edit;
using detail::Fail;
using detail::FailWith;
using detail::FindPlaces;
using detail::IniLine;
using detail::Layout;
using detail::LineKind;
using detail::MakeEdits;
using detail::OneLine;
using detail::Opened;
using detail::OpenFile;
using detail::OpenForReading;
using detail::SameName;
using detail::ScanFile;
using detail::TextSink;
using detail::Trim;
using detail::UsableKey;
using detail::UsableSection;
using detail::Wanted;

SettingsFile::SettingsFile(const std::string& fileName)
{
    path_ = detail::InProfileDirectory(fileName);
}

void SettingsFile::SetBeforeRenameHook(BeforeRenameHook hook)
{
    detail::SetBeforeRenameHook(std::move(hook));
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

// Writes the original with the edits into a temporary file beside the
// target, which then replaces it.
void ReplaceFile(const fs::path& target, OpenFile& original, bool existed, const std::vector<Edit>& edits)
{
    const auto fill = [&](int fd) {
        TextSink sink(fd, original.encoding);
        std::unique_ptr<char[]> buffer(new char[ChunkSize]);
        uint64_t position = 0;
        for (const Edit& edit : edits) {
            CopyRange(original, sink, position, edit.from, buffer.get());
            sink.Write(edit.text.data(), edit.text.size());
            position = edit.to;
        }
        CopyRange(original, sink, position, original.size, buffer.get());
        sink.Finish(original.oddByte);
    };
    // The file keeps its permissions.
    detail::ReplaceWhole(target, fill, existed ? std::optional<unsigned>(original.file.Permissions()) : std::nullopt);
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
        if (const int made = detail::CreateDirectories(target.parent_path()); made != 0) FailWith(made);

        OpenFile original;
        const Opened opened = OpenForReading(target, original);
        // Unreadable or not a file: rewriting it would lose what it holds.
        if (opened == Opened::Unusable) Fail(original.reason);
        const Layout layout = opened == Opened::Yes ? FindPlaces(original, sectionName, wanted) : Layout{};
        ReplaceFile(target, original, opened == Opened::Yes, MakeEdits(sectionName, wanted, layout, original.size));
    } catch (const detail::WriteFailure& failed) {
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
    return detail::RemoveStaleTemporaries(path_);
}

}  // namespace store
