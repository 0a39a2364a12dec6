// Internal to the store: settings files saved as UTF-16 (as Notepad may save
// them) seen as UTF-8 text, and written back in their own encoding.
#pragma once

#include <string>
#include <string_view>

namespace store::detail {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be };

// UTF-16 code units (the byte-order mark already left out) as UTF-8. An
// unpaired surrogate is kept as its own three-byte sequence (as WTF-8 does),
// so that encoding the text again gives back the same units.
std::string DecodeUtf16(std::string_view units, TextEncoding encoding);

// UTF-8 text as UTF-16 code units, without a byte-order mark: the inverse of
// DecodeUtf16. A byte that starts no valid sequence becomes U+FFFD.
std::string EncodeUtf16(std::string_view text, TextEncoding encoding);

}  // namespace store::detail
