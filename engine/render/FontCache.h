#pragma once
// Creates each page font once; the page view keeps one cache for layout and painting.

#include <map>
#include <string>

#include "FontKey.h"
#include "common/Handles.h"

namespace engine {

class FontCache final {
public:
    // Borrowed; owned by the cache. Null only when GDI cannot create the font.
    [[nodiscard]] HFONT Get(const FontKey& key);

private:
    [[nodiscard]] const std::wstring& FaceFor(FontFamily family);

    std::map<FontKey, UniqueFont> m_fonts;
    std::wstring m_monospaceFace;  // found on first use
};

} // namespace engine
