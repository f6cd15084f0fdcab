#include "duilib/core/HtmlTextGdiCanvas.h"

#include "duilib/core/HtmlTextTagArguments.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"
#include "duilib/core/RenderEngineTextColors.h"

#include <algorithm>

namespace DuiLib {

namespace {

// Sizes far outside what a skin uses would only make GDI build enormous glyphs.
constexpr int kMaxFontSize = 500;

} // namespace

HtmlTextGdiCanvas::HtmlTextGdiCanvas(HDC hDC, CPaintManagerUI& manager) noexcept
    : m_hDC(hDC), m_manager(manager), m_savedState(::SaveDC(hDC))
{
}

HtmlTextGdiCanvas::~HtmlTextGdiCanvas() noexcept
{
    if (m_savedState != 0) {
        (void)::RestoreDC(m_hDC, m_savedState); // nothing left to do if it fails
    }
}

void HtmlTextGdiCanvas::ClipTo(const RECT& rc) noexcept
{
    (void)::IntersectClipRect(m_hDC, rc.left, rc.top, rc.right, rc.bottom); // an error leaves the old clip
}

HFONT HtmlTextGdiCanvas::BaseFont()
{
    return m_manager.GetDefaultFontInfo()->hFont.get();
}

HFONT HtmlTextGdiCanvas::FontAt(int index)
{
    return m_manager.GetFont(index);
}

HFONT HtmlTextGdiCanvas::FindOrAddFont(const HtmlFontRequest& request)
{
    if (request.face.IsEmpty()) {
        return nullptr;
    }
    const int size = std::clamp(request.size, 1, kMaxFontSize);
    const HFONT found = m_manager.GetFont(request.face, size, request.bold, request.underline, request.italic);
    return found != nullptr ? found : m_manager.AddFont(request.face, size, request.bold, request.underline, request.italic);
}

HFONT HtmlTextGdiCanvas::Variant(HFONT font, HtmlFontVariant variant)
{
    const TFontInfo* info = m_manager.GetFontInfo(font);
    HtmlFontRequest request;
    request.face = info->sFontName;
    request.size = info->iSize;
    request.bold = info->bBold || variant == HtmlFontVariant::Bold;
    request.underline = info->bUnderline || variant == HtmlFontVariant::Underline;
    request.italic = info->bItalic || variant == HtmlFontVariant::Italic;
    return FindOrAddFont(request);
}

HtmlFontTraits HtmlTextGdiCanvas::Traits(HFONT font)
{
    return Cached(font).traits;
}

HtmlTextGdiCanvas::CachedTraits& HtmlTextGdiCanvas::Cached(HFONT font)
{
    const auto cached = std::find_if(m_traits.begin(), m_traits.end(),
                                     [font](const CachedTraits& entry) { return entry.font == font; });
    if (cached != m_traits.end()) {
        return *cached;
    }
    const TFontInfo* info = m_manager.GetFontInfo(font);
    CachedTraits entry{font, HtmlFontTraits{}, 0};
    entry.traits.bold = info->bBold;
    entry.traits.underline = info->bUnderline;
    entry.traits.italic = info->bItalic;
    // Measured on this context: the manager's record stays unmeasured without a window.
    Select(font);
    TEXTMETRICW tm{};
    if (::GetTextMetricsW(m_hDC, &tm)) {
        entry.traits.height = tm.tmHeight;
        entry.traits.externalLeading = tm.tmExternalLeading;
        entry.traits.maxCharWidth = tm.tmMaxCharWidth;
    }
    SIZE space{};
    entry.spaceWidth = ::GetTextExtentPoint32W(m_hDC, L" ", 1, &space) ? space.cx : 0;
    m_traits.push_back(entry);
    return m_traits.back();
}

int HtmlTextGdiCanvas::SpaceTrailingWidth(HFONT font)
{
    Select(font);
    ABC abc{};
    // Only TrueType fonts have ABC widths; others have no overhang to make up for.
    return ::GetCharABCWidthsW(m_hDC, L' ', L' ', &abc) ? abc.abcC : 0;
}

int HtmlTextGdiCanvas::Width(HFONT font, LPCTSTR text, int length)
{
    if (length == 1 && text[0] == L' ') {
        return Cached(font).spaceWidth;
    }
    Select(font);
    SIZE size{};
    return ::GetTextExtentPoint32W(m_hDC, text, length, &size) ? size.cx : 0;
}

int HtmlTextGdiCanvas::Fit(HFONT font, LPCTSTR text, int length, int maxWidth, int& wholeWidth)
{
    Select(font);
    int fit = 0;
    SIZE size{};
    if (!::GetTextExtentExPointW(m_hDC, text, length, std::max(maxWidth, 0), &fit, nullptr, &size)) {
        wholeWidth = 0;
        return 0;
    }
    wholeWidth = size.cx;
    return fit;
}

void HtmlTextGdiCanvas::DrawRun(const HtmlTextRun& run)
{
    // A failed call here leaves nothing to undo and nobody to tell: the text is just missing.
    Select(run.font);
    (void)::SetTextColor(m_hDC, RenderEngineTextColors::ToColorRef(run.color));
    if (run.selected) {
        (void)::SetBkMode(m_hDC, OPAQUE);
        (void)::SetBkColor(m_hDC, RenderEngineTextColors::ToColorRef(run.selectedColor));
    } else {
        (void)::SetBkMode(m_hDC, TRANSPARENT);
    }
    (void)::ExtTextOutW(m_hDC, run.x, run.y, 0, nullptr, run.text, static_cast<UINT>(run.length), nullptr);
}

const TImageInfo* HtmlTextGdiCanvas::Image(const HtmlImageRequest& request)
{
    const LPCTSTR type = request.type.IsEmpty() ? nullptr : request.type.GetData();
    const TImageInfo* image = m_manager.GetImageEx(request.name, type, request.mask);
    return image != nullptr && image->hBitmap ? image : nullptr;
}

bool HtmlTextGdiCanvas::ImageSize(const HtmlImageRequest& request, SIZE& size)
{
    const TImageInfo* image = Image(request);
    if (image == nullptr) {
        return false;
    }
    size = SIZE{image->nX, image->nY};
    return true;
}

void HtmlTextGdiCanvas::DrawImage(const HtmlImageRequest& request, const RECT& dest, const RECT& part)
{
    const TImageInfo* image = Image(request);
    if (image != nullptr) {
        CRenderEngine::DrawImage(m_hDC, image->hBitmap.get(), dest, dest, part, RECT{}, image->alphaChannel,
                                 request.fade);
    }
}

void HtmlTextGdiCanvas::Select(HFONT font) noexcept
{
    if (font != m_selected && font != nullptr) {
        // The selection is undone by RestoreDC in the destructor.
        (void)::SelectObject(m_hDC, font);
        m_selected = font;
    }
}

} // namespace DuiLib
