#pragma once
// Decoding of HTML character references ("&amp;", "&#233;", "&#xE9;").

#include <string>
#include <string_view>

namespace engine {

// Replaces every recognised character reference in `text`. Unknown names stay as
// written; numeric references to code points that cannot appear in text (zero,
// surrogates, beyond U+10FFFF) become U+FFFD. Code points above U+FFFF become
// surrogate pairs.
[[nodiscard]] std::wstring DecodeCharacterReferences(std::wstring_view text);

} // namespace engine
