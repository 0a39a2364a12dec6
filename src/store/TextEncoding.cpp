// UTF-16 settings text to UTF-8 and back, unpaired surrogates included.
#include "store/TextEncoding.h"

#include <cstdint>

namespace store::detail {

namespace {

void AppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::string& out, uint32_t unit, TextEncoding encoding)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (encoding == TextEncoding::Utf16Be) {
        out += high;
        out += low;
    } else {
        out += low;
        out += high;
    }
}

bool IsHighSurrogate(uint32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(uint32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point of the UTF-8 sequence at text[at], its length in `length`;
// nothing valid gives U+FFFD for one byte. Encoded surrogates are taken.
uint32_t NextCodePoint(std::string_view text, std::size_t at, std::size_t& length)
{
    const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[at + i]); };
    const uint8_t lead = byte(0);
    length = 1;
    if (lead < 0x80) return lead;
    std::size_t count = 0;
    uint32_t code = 0;
    uint32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
        count = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        count = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        count = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0xFFFD;
    }
    if (at + count > text.size()) return 0xFFFD;
    for (std::size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF) return 0xFFFD;
    length = count;
    return code;
}

}  // namespace

std::string DecodeUtf16(std::string_view units, TextEncoding encoding)
{
    std::string text;
    text.reserve(units.size());
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<uint8_t>(units[i]);
        const auto second = static_cast<uint8_t>(units[i + 1]);
        return encoding == TextEncoding::Utf16Be ? uint32_t(first << 8 | second) : uint32_t(second << 8 | first);
    };
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        const uint32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 3 < units.size() && IsLowSurrogate(unitAt(i + 2))) {
            AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 2) - 0xDC00));
            i += 2;
        } else {
            AppendUtf8(text, unit);
        }
    }
    return text;
}

std::string EncodeUtf16(std::string_view text, TextEncoding encoding)
{
    std::string units;
    units.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const uint32_t code = NextCodePoint(text, at, length);
        if (code >= 0x10000) {
            AppendUnit(units, 0xD800 + ((code - 0x10000) >> 10), encoding);
            AppendUnit(units, 0xDC00 + ((code - 0x10000) & 0x3FF), encoding);
        } else {
            AppendUnit(units, code, encoding);
        }
        at += length;
    }
    return units;
}

}  // namespace store::detail
