#include "duilib/core/HtmlTextGdiCanvas.h"

#include "duilib/core/HtmlTextTagArguments.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"
#include "duilib/core/RenderEngineTextColors.h"

#include <algorithm>
#include <functional>

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
    for (const HtmlTextRun& run : m_line) {
        Draw(run); // a layout always finishes its lines; nothing handed over is lost regardless
    }
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
    if (found != nullptr) {
        return found;
    }
    return m_manager.AddFont(request.face, size, request.bold, request.underline, request.italic);
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
    return Entry(font).traits;
}

HtmlTextGdiCanvas::FontEntry& HtmlTextGdiCanvas::Entry(HFONT font)
{
    for (const std::unique_ptr<FontEntry>& known : m_fonts) {
        if (known->font == font) {
            return *known;
        }
    }
    auto entry = std::make_unique<FontEntry>();
    entry->font = font;
    const TFontInfo* info = m_manager.GetFontInfo(font);
    entry->traits.bold = info->bBold;
    entry->traits.underline = info->bUnderline;
    entry->traits.italic = info->bItalic;
    entry->dc.reset(::CreateCompatibleDC(m_hDC));
    if (entry->dc) {
        entry->select.emplace(entry->dc.get(), font);
    }
    m_fonts.push_back(std::move(entry));
    FontEntry& added = *m_fonts.back();
    // Measured here, not taken from the manager: its record stays unmeasured without a window.
    const HDC dc = MeasuringDc(font);
    TEXTMETRICW tm{};
    if (::GetTextMetricsW(dc, &tm)) {
        added.traits.height = tm.tmHeight;
        added.traits.externalLeading = tm.tmExternalLeading;
        added.traits.maxCharWidth = tm.tmMaxCharWidth;
    }
    SIZE space{};
    added.spaceWidth = ::GetTextExtentExPointW(dc, L" ", 1, 0, nullptr, nullptr, &space) ? space.cx : 0;
    return added;
}

HDC HtmlTextGdiCanvas::MeasuringDc(HFONT font)
{
    FontEntry& entry = Entry(font);
    if (entry.dc) {
        return entry.dc.get();
    }
    Select(font);
    return m_hDC;
}

int HtmlTextGdiCanvas::SpaceTrailingWidth(HFONT font)
{
    ABC abc{};
    // Only TrueType fonts have ABC widths; others have no overhang to make up for.
    return ::GetCharABCWidthsW(MeasuringDc(font), L' ', L' ', &abc) ? abc.abcC : 0;
}

int HtmlTextGdiCanvas::Width(HFONT font, LPCTSTR text, int length)
{
    if (length == 1 && text[0] == L' ') {
        return Entry(font).spaceWidth;
    }
    SIZE size{};
    // Without a fit count this is GetTextExtentPoint32, and quicker than it under Wine.
    return ::GetTextExtentExPointW(MeasuringDc(font), text, length, 0, nullptr, nullptr, &size) ? size.cx : 0;
}

int HtmlTextGdiCanvas::Fit(HFONT font, LPCTSTR text, int length, int maxWidth, int& wholeWidth)
{
    int fit = 0;
    SIZE size{};
    if (!::GetTextExtentExPointW(MeasuringDc(font), text, length, std::max(maxWidth, 0), &fit, nullptr, &size)) {
        wholeWidth = 0;
        return 0;
    }
    wholeWidth = size.cx;
    return fit;
}

void HtmlTextGdiCanvas::DrawRun(const HtmlTextRun& run)
{
    m_line.push_back(run);
}

void HtmlTextGdiCanvas::FinishLine()
{
    // Transparent runs of one line do not overlap, so they are drawn font by font: that
    // saves a font selection per word. An opaque selection background keeps the order.
    const bool opaque = std::any_of(m_line.begin(), m_line.end(), [](const HtmlTextRun& run) { return run.selected; });
    if (!opaque) {
        const auto byFont = [](const HtmlTextRun& a, const HtmlTextRun& b) {
            return std::less<HFONT>()(a.font, b.font);
        };
        std::stable_sort(m_line.begin(), m_line.end(), byFont);
    }
    for (const HtmlTextRun& run : m_line) {
        Draw(run);
    }
    m_line.clear();
}

void HtmlTextGdiCanvas::Draw(const HtmlTextRun& run) noexcept
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
