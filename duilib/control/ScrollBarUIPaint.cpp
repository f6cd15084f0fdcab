// CScrollBarUI: the images of its parts and painting them in the order background,
// buttons, thumb, grip.

#include "duilib/control/ScrollBarUI.h"

#include "duilib/core/RenderEngine.h"

namespace DuiLib {

namespace {

// Drawn around a button or the thumb that has no image to show.
constexpr DWORD kFallbackFrameColour = 0x85E4FF;
constexpr int kFallbackFrameSize = 2;
// The background leaves this much room for the buttons at each end.
constexpr int kBackgroundInset = 11;

[[nodiscard]] UINT WithDisabledBit(UINT state, bool enabled) noexcept
{
    return enabled ? state & ~UISTATE_DISABLED : state | UISTATE_DISABLED;
}

} // namespace

#define ZV_SCROLLBAR_IMAGE(Name, part, field)                                                                        \
    LPCTSTR CScrollBarUI::Get##Name() const { return part.field; }                                                   \
    void CScrollBarUI::Set##Name(LPCTSTR pStrImage) { SetImage(part.field, pStrImage); }

ZV_SCROLLBAR_IMAGE(Button1NormalImage, m_button1, normal)
ZV_SCROLLBAR_IMAGE(Button1HotImage, m_button1, hot)
ZV_SCROLLBAR_IMAGE(Button1PushedImage, m_button1, pushed)
ZV_SCROLLBAR_IMAGE(Button1DisabledImage, m_button1, disabled)
ZV_SCROLLBAR_IMAGE(Button2NormalImage, m_button2, normal)
ZV_SCROLLBAR_IMAGE(Button2HotImage, m_button2, hot)
ZV_SCROLLBAR_IMAGE(Button2PushedImage, m_button2, pushed)
ZV_SCROLLBAR_IMAGE(Button2DisabledImage, m_button2, disabled)
ZV_SCROLLBAR_IMAGE(ThumbNormalImage, m_thumb, normal)
ZV_SCROLLBAR_IMAGE(ThumbHotImage, m_thumb, hot)
ZV_SCROLLBAR_IMAGE(ThumbPushedImage, m_thumb, pushed)
ZV_SCROLLBAR_IMAGE(ThumbDisabledImage, m_thumb, disabled)
ZV_SCROLLBAR_IMAGE(RailNormalImage, m_rail, normal)
ZV_SCROLLBAR_IMAGE(RailHotImage, m_rail, hot)
ZV_SCROLLBAR_IMAGE(RailPushedImage, m_rail, pushed)
ZV_SCROLLBAR_IMAGE(RailDisabledImage, m_rail, disabled)
ZV_SCROLLBAR_IMAGE(BkNormalImage, m_bk, normal)
ZV_SCROLLBAR_IMAGE(BkHotImage, m_bk, hot)
ZV_SCROLLBAR_IMAGE(BkPushedImage, m_bk, pushed)
ZV_SCROLLBAR_IMAGE(BkDisabledImage, m_bk, disabled)

#undef ZV_SCROLLBAR_IMAGE

void CScrollBarUI::SetImage(CDuiString& image, LPCTSTR pStrImage)
{
    image = pStrImage;
    Invalidate();
}

void CScrollBarUI::DoPaint(HDC hDC, const RECT& rcPaint)
{
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) {
        return;
    }
    PaintBk(hDC);
    PaintButton1(hDC);
    PaintButton2(hDC);
    PaintThumb(hDC);
    PaintRail(hDC);
}

// The state's image (disabled, pushed, hot) when it draws, else the normal one. An
// image that fails to draw is emptied so that it is not tried again. bar: the part
// spans the given rectangle itself rather than a "dest" inside the bar.
bool CScrollBarUI::PaintPart(HDC hDC, PartImages& images, UINT state, const RECT& part, bool bar)
{
    CDuiString* chosen = nullptr;
    if ((state & UISTATE_DISABLED) != 0) {
        chosen = &images.disabled;
    } else if ((state & UISTATE_PUSHED) != 0) {
        chosen = &images.pushed;
    } else if ((state & UISTATE_HOT) != 0) {
        chosen = &images.hot;
    }
    m_sImageModify.SmallFormat(L"dest='%d,%d,%d,%d'", part.left - m_rcItem.left, part.top - m_rcItem.top,
                               part.right - m_rcItem.left, part.bottom - m_rcItem.top);
    for (CDuiString* image : {chosen, &images.normal}) {
        if (image == nullptr || image->IsEmpty()) {
            continue;
        }
        const bool drawn = bar ? CRenderEngine::DrawImageString(hDC, m_pManager, part, m_rcPaint, *image)
                               : DrawImage(hDC, *image, m_sImageModify);
        if (drawn) {
            return true;
        }
        image->Empty();
    }
    return false;
}

void CScrollBarUI::PaintBk(HDC hDC)
{
    m_uThumbState = WithDisabledBit(m_uThumbState, IsEnabled());
    RECT rc = m_rcItem;
    if (m_bHorizontal) {
        rc.left += kBackgroundInset;
        rc.right -= kBackgroundInset;
    } else {
        rc.top += kBackgroundInset;
        rc.bottom -= kBackgroundInset;
    }
    (void)PaintPart(hDC, m_bk, m_uThumbState, rc, true); // the background may well have no image
}

// A button or the thumb: its image, or a light frame when it has none.
void CScrollBarUI::PaintFramedPart(HDC hDC, PartImages& images, UINT& state, const RECT& part)
{
    state = WithDisabledBit(state, IsEnabled());
    if (!PaintPart(hDC, images, state, part, false)) {
        CRenderEngine::DrawRect(hDC, part, kFallbackFrameSize, kFallbackFrameColour);
    }
}

void CScrollBarUI::PaintButton1(HDC hDC)
{
    if (m_bShowButton1) {
        PaintFramedPart(hDC, m_button1, m_uButton1State, m_rcButton1);
    }
}

void CScrollBarUI::PaintButton2(HDC hDC)
{
    if (m_bShowButton2) {
        PaintFramedPart(hDC, m_button2, m_uButton2State, m_rcButton2);
    }
}

void CScrollBarUI::PaintThumb(HDC hDC)
{
    if (!::IsRectEmpty(&m_rcThumb)) {
        PaintFramedPart(hDC, m_thumb, m_uThumbState, m_rcThumb);
    }
}

// A grip of the bar's thickness, centred on the thumb.
void CScrollBarUI::PaintRail(HDC hDC)
{
    if (::IsRectEmpty(&m_rcThumb)) {
        return;
    }
    m_uThumbState = WithDisabledBit(m_uThumbState, IsEnabled());
    const int cross = CrossSize();
    RECT grip = m_rcThumb;
    if (m_bHorizontal) {
        grip.left = (m_rcThumb.left + m_rcThumb.right) / 2 - cross / 2;
        grip.right = grip.left + cross;
    } else {
        grip.top = (m_rcThumb.top + m_rcThumb.bottom) / 2 - cross / 2;
        grip.bottom = grip.top + cross;
    }
    (void)PaintPart(hDC, m_rail, m_uThumbState, grip, false); // a grip is optional
}

} // namespace DuiLib
