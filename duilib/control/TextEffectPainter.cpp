#include "duilib/control/TextEffectPainter.h"

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cwchar>
#include <memory>

namespace DuiLib {

namespace {

namespace gp = Gdiplus::DllExports;

struct GraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* p) const noexcept { gp::GdipDeleteGraphics(p); }
};
struct FontDeleter {
    void operator()(Gdiplus::GpFont* p) const noexcept { gp::GdipDeleteFont(p); }
};
struct FormatDeleter {
    void operator()(Gdiplus::GpStringFormat* p) const noexcept { gp::GdipDeleteStringFormat(p); }
};
struct BrushDeleter {
    void operator()(Gdiplus::GpBrush* p) const noexcept { gp::GdipDeleteBrush(p); }
};

using Graphics = std::unique_ptr<Gdiplus::GpGraphics, GraphicsDeleter>;
using Font = std::unique_ptr<Gdiplus::GpFont, FontDeleter>;
using Format = std::unique_ptr<Gdiplus::GpStringFormat, FormatDeleter>;
using Brush = std::unique_ptr<Gdiplus::GpBrush, BrushDeleter>;

[[nodiscard]] Font MakeFont(HDC hDC, HFONT hFont)
{
    Gdiplus::GpFont* font = nullptr;
    LOGFONTW lf{};
    if (hFont != nullptr && ::GetObjectW(hFont, sizeof(lf), &lf) == sizeof(lf)) {
        (void)gp::GdipCreateFontFromLogfontW(hDC, &lf, &font); // null on failure
    } else {
        (void)gp::GdipCreateFontFromDC(hDC, &font);
    }
    return Font(font);
}

[[nodiscard]] Format MakeFormat(const TTextEffect& effect)
{
    Gdiplus::GpStringFormat* format = nullptr;
    if (gp::GdipCreateStringFormat(0, LANG_NEUTRAL, &format) != Gdiplus::Ok) {
        return nullptr;
    }
    Format owned(format);
    const auto align = static_cast<Gdiplus::StringAlignment>(std::clamp(effect.align, 0, 2));
    const auto lineAlign = static_cast<Gdiplus::StringAlignment>(std::clamp(effect.lineAlign, 0, 2));
    if (gp::GdipSetStringFormatAlign(format, align) != Gdiplus::Ok ||
        gp::GdipSetStringFormatLineAlign(format, lineAlign) != Gdiplus::Ok) {
        return nullptr;
    }
    return owned;
}

// A linear gradient down the text rectangle, leaning by the gradient angle.
[[nodiscard]] Brush MakeGradient(const RECT& rc, const TTextEffect& effect, DWORD from, DWORD to)
{
    const int length = effect.gradientLength != 0 ? effect.gradientLength : rc.bottom - rc.top;
    const Gdiplus::Point start(rc.left + effect.gradientAngle, rc.top);
    const Gdiplus::Point end(rc.left, rc.top + length);
    Gdiplus::GpLineGradient* brush = nullptr;
    (void)gp::GdipCreateLineBrushI(&start, &end, from, to, Gdiplus::WrapModeTile, &brush); // null on failure
    return Brush(brush);
}

[[nodiscard]] Brush MakeSolid(DWORD color)
{
    Gdiplus::GpSolidFill* brush = nullptr;
    (void)gp::GdipCreateSolidFill(color, &brush); // null on failure
    return Brush(brush);
}

class StringDrawer final {
public:
    StringDrawer(Gdiplus::GpGraphics* graphics, LPCTSTR text, Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format)
        : m_graphics(graphics), m_text(text), m_length(static_cast<INT>(std::wcslen(text))), m_font(font),
          m_format(format)
    {
    }

    bool Draw(Gdiplus::GpBrush* brush, const RECT& rc, float dx, float dy) const
    {
        const Gdiplus::RectF layout(static_cast<float>(rc.left) + dx, static_cast<float>(rc.top) + dy,
                                    static_cast<float>(rc.right - rc.left), static_cast<float>(rc.bottom - rc.top));
        return brush != nullptr &&
               gp::GdipDrawString(m_graphics, m_text, m_length, m_font, &layout, m_format, brush) == Gdiplus::Ok;
    }

private:
    Gdiplus::GpGraphics* m_graphics;
    LPCTSTR m_text;
    INT m_length;
    Gdiplus::GpFont* m_font;
    Gdiplus::GpStringFormat* m_format;
};

void DrawStroke(const StringDrawer& drawer, const RECT& rc, const TTextEffect& effect)
{
    if (!effect.stroke || effect.strokeColor == 0) {
        return;
    }
    const Brush brush = MakeSolid(CTextEffectPainter::Compose(effect.strokeAlpha, effect.strokeColor));
    const float offsets[4][2] = {{-1.0F, 0.0F}, {1.0F, 0.0F}, {0.0F, -1.0F}, {0.0F, 1.0F}};
    for (const auto& offset : offsets) {
        (void)drawer.Draw(brush.get(), rc, offset[0], offset[1]); // an outline piece less on failure
    }
}

void DrawShadow(const StringDrawer& drawer, const RECT& rc, const TTextEffect& effect)
{
    if (!effect.shadow || (effect.shadowColorA == 0 && effect.shadowColorB == 0)) {
        return;
    }
    const DWORD end = effect.shadowColorB == 0xFFFFFFFF ? effect.shadowColorA : effect.shadowColorB;
    const Brush brush = MakeGradient(rc, effect, CTextEffectPainter::Compose(effect.shadowAlpha, effect.shadowColorA),
                                     CTextEffectPainter::Compose(effect.shadowAlpha1, end));
    (void)drawer.Draw(brush.get(), rc, effect.shadowDx, effect.shadowDy); // the text goes on without its shadow
}

} // namespace

DWORD CTextEffectPainter::Compose(int alpha, DWORD color) noexcept
{
    return (static_cast<DWORD>(std::clamp(alpha, 0, 255)) << 24) | (color & 0x00FFFFFF);
}

bool CTextEffectPainter::Paint(HDC hDC, HFONT hFont, const RECT& rc, LPCTSTR text, DWORD textColor,
                               const TTextEffect& effect)
{
    if (hDC == nullptr || text == nullptr || text[0] == L'\0') {
        return false;
    }
    Gdiplus::GpGraphics* rawGraphics = nullptr;
    if (gp::GdipCreateFromHDC(hDC, &rawGraphics) != Gdiplus::Ok) {
        return false;
    }
    const Graphics graphics(rawGraphics);
    const auto hint = static_cast<Gdiplus::TextRenderingHint>(std::clamp(effect.renderingHint, 0, 5));
    (void)gp::GdipSetTextRenderingHint(rawGraphics, hint); // the platform's default hint otherwise
    const Font font = MakeFont(hDC, hFont);
    const Format format = MakeFormat(effect);
    if (!font || !format) {
        return false;
    }
    const StringDrawer drawer(rawGraphics, text, font.get(), format.get());
    DrawStroke(drawer, rc, effect);
    DrawShadow(drawer, rc, effect);
    const DWORD end = effect.textColor1 == 0xFFFFFFFF ? textColor : effect.textColor1;
    const Brush brush = MakeGradient(rc, effect, Compose(effect.textAlpha, textColor), Compose(effect.textAlpha1, end));
    return drawer.Draw(brush.get(), rc, 0.0F, 0.0F);
}

} // namespace DuiLib
