// A settings file's text: opened as a regular file, UTF-16 decoded to UTF-8 and encoded back,
// streamed to the line scanner, and copied into a replacement.
#include "store/SettingsText.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "store/AtomicReplace.h"

namespace store::detail {

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

// A UTF-16 file is decoded into memory, so it gets a smaller cap than the
// streamed UTF-8 one; a file Notepad saves is a few hundred bytes.
constexpr uint64_t MaxUtf16Bytes = uint64_t(4) << 20;

}  // namespace

long long OpenFile::ReadSomeAt(char* buffer, std::size_t count, uint64_t offset)
{
    if (encoding == TextEncoding::Utf8) return file.ReadSomeAt(buffer, count, offset);
    if (offset >= decoded.size()) return 0;
    const std::size_t n = std::min<std::size_t>(count, decoded.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, decoded.data() + offset, n);
    return static_cast<long long>(n);
}

Opened OpenForReading(const std::filesystem::path& path, OpenFile& open)
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
    open.decoded = DecodeUtf16(std::string_view(raw).substr(2), open.encoding);
    open.size = open.decoded.size();
    return Opened::Yes;
}

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

void TextSink::Write(const char* data, std::size_t size)
{
    if (encoding_ == TextEncoding::Utf8)
        WriteAll(fd_, data, size);
    else
        text_.append(data, size);
}

void TextSink::Finish(const std::string& oddByte)
{
    if (encoding_ == TextEncoding::Utf8) return;
    const std::string mark = encoding_ == TextEncoding::Utf16Le ? "\xFF\xFE" : "\xFE\xFF";
    const std::string units = mark + EncodeUtf16(text_, encoding_) + oddByte;
    WriteAll(fd_, units.data(), units.size());
}

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

}  // namespace store::detail
