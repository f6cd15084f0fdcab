#include "FontCache.h"

namespace engine {
namespace {

// Has CJK glyphs; the Wine prefix maps the name to an installed CJK face.
constexpr const wchar_t* kFaceName = L"微软雅黑";

} // namespace

HFONT FontCache::Get(const FontSpec& spec)
{
    const auto found = m_fonts.find(spec);
    if (found != m_fonts.end()) {
        return found->second.get();
    }
    // A negative height asks for the character height rather than the cell height.
    UniqueFont font(::CreateFontW(-spec.pixelHeight, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, spec.italic ? TRUE : FALSE,
                                  spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFaceName));
    const HFONT handle = font.get();
    if (handle != nullptr) {
        m_fonts.emplace(spec, std::move(font));
    }
    return handle;
}

} // namespace engine
