#include "FontCache.h"

namespace engine {
namespace {

// Has CJK glyphs; the Wine prefix maps the name to an installed CJK face.
constexpr const wchar_t* kFaceName = L"微软雅黑";

} // namespace

HFONT FontCache::Get(const FontKey& key)
{
    const auto found = m_fonts.find(key);
    if (found != m_fonts.end()) {
        return found->second.get();
    }
    // A negative height asks for the character height rather than the cell height.
    UniqueFont font(::CreateFontW(-key.pixelHeight, 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, key.italic ? TRUE : FALSE,
                                  key.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFaceName));
    const HFONT handle = font.get();
    if (handle != nullptr) {
        m_fonts.emplace(key, std::move(font));
    }
    return handle;
}

} // namespace engine
