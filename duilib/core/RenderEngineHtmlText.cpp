// CRenderEngine::DrawHtmlText: argument checks, placement and the hand-over to the layout.

#include "duilib/core/RenderEngine.h"

#include "duilib/core/HtmlTextAlignment.h"
#include "duilib/core/HtmlTextGdiCanvas.h"
#include "duilib/core/HtmlTextLayout.h"
#include "duilib/core/HtmlTextLinkTable.h"
#include "duilib/core/PaintManager.h"

#include <algorithm>

namespace DuiLib {

namespace {

[[nodiscard]] HtmlTextOptions OptionsFor(CPaintManagerUI& manager, const RECT& rc, DWORD textColor, UINT style)
{
    HtmlTextOptions options;
    options.rc = rc;
    options.style = style;
    options.textColor = textColor;
    options.linkColor = manager.GetDefaultLinkFontColor();
    options.linkHoverColor = manager.GetDefaultLinkHoverFontColor();
    options.selectedBkColor = manager.GetDefaultSelectedBkColor();
    return options;
}

// The text's extent when laid out into the pre-measuring rectangle.
[[nodiscard]] SIZE PreMeasure(IHtmlTextCanvas& canvas, const HtmlTextOptions& drawing, LPCTSTR text)
{
    HtmlTextOptions options = drawing;
    options.style = drawing.style | DT_CALCRECT;
    options.rc = HtmlTextAlignment::PreMeasureRect(drawing.rc, drawing.style);
    HtmlTextLinkTable noLinks;
    const HtmlTextExtent extent = HtmlTextLayout(canvas, options, noLinks).Run(text);
    return SIZE{extent.right - options.rc.left, extent.bottom - options.rc.top};
}

[[nodiscard]] HtmlTextExtent Calculate(IHtmlTextCanvas& canvas, const HtmlTextOptions& options, RECT& rc,
                                       LPCTSTR text, HtmlTextLinkTable& links)
{
    const HtmlTextExtent extent = HtmlTextLayout(canvas, options, links).Run(text);
    rc.bottom = extent.bottom;
    rc.right = std::min<LONG>(rc.right, extent.right);
    return extent;
}

} // namespace

int CRenderEngine::DrawHtmlText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor,
                                RECT* prcLinks, CDuiString* sLinks, int& nLinkRects, UINT uStyle)
{
    if (hDC == nullptr || pManager == nullptr || pstrText == nullptr) {
        nLinkRects = 0;
        return 0;
    }
    HtmlTextLinkTable links(prcLinks, sLinks, nLinkRects);
    HtmlTextOptions options = OptionsFor(*pManager, rc, dwTextColor, uStyle);
    // The links of the previous layout tell which one the mouse is over.
    options.hasHoverLink = links.FindTextAt(pManager->GetMousePos(), options.hoverLink);
    HtmlTextGdiCanvas canvas(hDC, *pManager);
    HtmlTextExtent extent;
    if ((uStyle & DT_CALCRECT) != 0) {
        extent = Calculate(canvas, options, rc, pstrText, links);
    } else {
        if (HtmlTextAlignment::NeedsPreMeasure(uStyle)) {
            options.rc = HtmlTextAlignment::Place(rc, uStyle, PreMeasure(canvas, options, pstrText));
        }
        options.drawBottom = rc.bottom;
        canvas.ClipTo(rc);
        extent = HtmlTextLayout(canvas, options, links).Run(pstrText);
    }
    nLinkRects = links.Recorded(extent.links);
    return extent.drawnHeight;
}

} // namespace DuiLib
