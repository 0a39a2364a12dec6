// The rules for text inside settings values: characters and integers.
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/SettingsFile.h"

namespace store {

static std::size_t SequenceLength(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 1;
    }
    if (i + length > text.size()) return 1;
    const auto second = static_cast<unsigned char>(text[i + 1]);
    if (second < low || second > high) return 1;
    for (std::size_t k = 2; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

std::string CutToCharacters(std::string_view text, std::size_t count)
{
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < text.size(); ++n) i += SequenceLength(text, i);
    return std::string(text.substr(0, i));
}

static int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<int32_t> ParseSettingInteger(std::string_view text)
{
    int64_t value = 0;
    std::string_view hex;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        hex = text.substr(2);
    else if (!text.empty() && text[0] == '$')
        hex = text.substr(1);

    if (hex.data() != nullptr) {
        if (hex.empty()) return std::nullopt;
        for (char c : hex) {
            const int digit = HexDigit(c);
            if (digit < 0) return std::nullopt;
            value = value * 16 + digit;
            // Hex is no bit pattern here: 0x80000000 and up are out of range.
            if (value > INT32_MAX) return std::nullopt;
        }
        return static_cast<int32_t>(value);
    }

    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string SettingValue::AsString(const std::string& defaultValue) const
{
    return found ? text : CutToCharacters(defaultValue, MaxValueCharacters);
}

int32_t SettingValue::AsInteger(int32_t defaultValue) const
{
    if (!found || cut) return defaultValue;
    return ParseSettingInteger(text).value_or(defaultValue);
}

}  // namespace store
