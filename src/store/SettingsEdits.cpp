// Where a write of keys changes a settings file's text, found in one pass over it, and the names
// and values such a write may hold.
#include "store/SettingsEdits.h"

#include <algorithm>
#include <tuple>

#include "store/AtomicReplace.h"
#include "store/IniScanner.h"

namespace store::detail {

bool UsableKey(std::string_view key)
{
    if (key.empty() || key.size() > NameCap) return false;
    if (key.find_first_of("=\r\n") != std::string_view::npos) return false;
    return key[0] != '[' && key[0] != ';' && key[0] != '#';
}

bool UsableSection(std::string_view section)
{
    return section.size() <= NameCap && section.find_first_of("\r\n") == std::string_view::npos;
}

std::string OneLine(const std::string& value)
{
    std::string line = value;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

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

}  // namespace store::detail
