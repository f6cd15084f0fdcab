#include "FontCache.h"

namespace engine {
namespace {

// Has CJK glyphs; the Wine prefix maps the name to an installed CJK face.
constexpr const wchar_t* kFaceName = L"微软雅黑";
// Windows has the first; Wine has no fonts of its own and finds what the host offers.
constexpr const wchar_t* kMonospaceFaces[] = {L"Courier New", L"DejaVu Sans Mono", L"WenQuanYi Micro Hei Mono",
                                              L"Liberation Mono"};

UniqueFont CreatePageFont(const FontKey& key, const wchar_t* face)
{
    const DWORD pitch = key.family == FontFamily::Monospace ? FIXED_PITCH | FF_MODERN : DEFAULT_PITCH | FF_DONTCARE;
    // A negative height asks for the character height rather than the cell height.
    return UniqueFont(::CreateFontW(-key.pixelHeight, 0, 0, 0, key.bold ? FW_BOLD : FW_NORMAL, key.italic ? TRUE : FALSE,
                                    key.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, pitch, face));
}

// GDI substitutes some other face for one it lacks, so a face counts as installed only
// when GDI reports that very name back, with glyphs of equal advance.
bool IsInstalledMonospace(const wchar_t* face)
{
    const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const UniqueFont font = CreatePageFont(FontKey{16, false, false, false, FontFamily::Monospace}, face);
    if (!dc || !font) {
        return false;
    }
    const SelectObjectScope select(dc.get(), font.get());
    wchar_t selected[LF_FACESIZE] = {};
    TEXTMETRICW metrics{};
    // The "fixed pitch" bit of the metrics is set for variable-pitch fonts.
    return ::GetTextFaceW(dc.get(), LF_FACESIZE, selected) > 0 && ::lstrcmpiW(selected, face) == 0 &&
           ::GetTextMetricsW(dc.get(), &metrics) && (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

} // namespace

const std::wstring& FontCache::FaceFor(FontFamily family)
{
    static const std::wstring kProportional = kFaceName;
    if (family == FontFamily::Proportional) {
        return kProportional;
    }
    if (m_monospaceFace.empty()) {
        m_monospaceFace = kMonospaceFaces[0];
        for (const wchar_t* face : kMonospaceFaces) {
            if (IsInstalledMonospace(face)) {
                m_monospaceFace = face;
                break;
            }
        }
    }
    return m_monospaceFace;
}

HFONT FontCache::Get(const FontKey& key)
{
    const auto found = m_fonts.find(key);
    if (found != m_fonts.end()) {
        return found->second.get();
    }
    UniqueFont font = CreatePageFont(key, FaceFor(key.family).c_str());
    const HFONT handle = font.get();
    if (handle != nullptr) {
        m_fonts.emplace(key, std::move(font));
    }
    return handle;
}

} // namespace engine
