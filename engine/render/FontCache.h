#pragma once
// Creates each page font once; the page view keeps one cache for layout and painting.

#include <map>

#include "FontSpec.h"
#include "common/Handles.h"

namespace engine {

class FontCache final {
public:
    // Borrowed; owned by the cache. Null only when GDI cannot create the font.
    [[nodiscard]] HFONT Get(const FontSpec& spec);

private:
    std::map<FontSpec, UniqueFont> m_fonts;
};

} // namespace engine
