#pragma once
// Decoding of HTML character references ("&amp;", "&#233;", "&#xE9;").

#include <string_view>

#include "DomNode.h"

namespace engine {

// Appends `text` to `out` with every recognised character reference replaced. Unknown
// names stay as written; numeric references to code points that cannot appear in text
// (zero, surrogates, beyond U+10FFFF) become U+FFFD. Code points above U+FFFF become
// surrogate pairs.
void AppendDecodingReferences(std::wstring_view text, DomString& out);

} // namespace engine
