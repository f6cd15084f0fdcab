#include "duilib/core/WindowAttributes.h"

#include "duilib/core/AttributeTable.h"
#include "duilib/core/AttributeValue.h"
#include "duilib/core/MarkupNode.h"
#include "duilib/core/PaintManager.h"


namespace DuiLib {

namespace {

SIZE Pair(LPCTSTR v) { return CAttributeValue::ParseSize(v); }
RECT Rect(LPCTSTR v) { return CAttributeValue::ParseRect(v); }
DWORD Color(LPCTSTR v) { return CAttributeValue::ParseHashColor(v); }
bool Bool(LPCTSTR v) { return CAttributeValue::ParseBool(v); }

const TAttributeEntry<CPaintManagerUI> kAttributes[] = {
    {L"size", [](CPaintManagerUI& m, LPCTSTR v) { m.SetInitSize(Pair(v).cx, Pair(v).cy); }},
    {L"sizebox", [](CPaintManagerUI& m, LPCTSTR v) { m.SetSizeBox(Rect(v)); }},
    {L"caption", [](CPaintManagerUI& m, LPCTSTR v) { m.SetCaptionRect(Rect(v)); }},
    {L"roundcorner", [](CPaintManagerUI& m, LPCTSTR v) { m.SetRoundCorner(Pair(v).cx, Pair(v).cy); }},
    {L"mininfo", [](CPaintManagerUI& m, LPCTSTR v) { m.SetMinInfo(Pair(v).cx, Pair(v).cy); }},
    {L"maxinfo", [](CPaintManagerUI& m, LPCTSTR v) { m.SetMaxInfo(Pair(v).cx, Pair(v).cy); }},
    {L"showdirty", [](CPaintManagerUI& m, LPCTSTR v) { m.SetShowUpdateRect(Bool(v)); }},
    {L"alpha", [](CPaintManagerUI& m, LPCTSTR v) { m.SetTransparent(CAttributeValue::ParseInt(v)); }},
    {L"bktrans", [](CPaintManagerUI& m, LPCTSTR v) { m.SetBackgroundTransparent(Bool(v)); }},
    {L"disabledfontcolor", [](CPaintManagerUI& m, LPCTSTR v) { m.SetDefaultDisabledColor(Color(v)); }},
    {L"defaultfontcolor", [](CPaintManagerUI& m, LPCTSTR v) { m.SetDefaultFontColor(Color(v)); }},
    {L"linkfontcolor", [](CPaintManagerUI& m, LPCTSTR v) { m.SetDefaultLinkFontColor(Color(v)); }},
    {L"linkhoverfontcolor", [](CPaintManagerUI& m, LPCTSTR v) { m.SetDefaultLinkHoverFontColor(Color(v)); }},
    {L"selectedcolor", [](CPaintManagerUI& m, LPCTSTR v) { m.SetDefaultSelectedBkColor(Color(v)); }},
    {L"escclosewnd", [](CPaintManagerUI& m, LPCTSTR v) { m.SetEscCloseWnd(Bool(v)); }},
    {L"aero", [](CPaintManagerUI& m, LPCTSTR v) { m.SetAero(Bool(v)); }},
    {L"margins",
     [](CPaintManagerUI& m, LPCTSTR v) {
         const RECT rc = Rect(v);
         m.SetAeroMargins(rc.left, rc.top, rc.right, rc.bottom);
     }},
    {L"shadow", [](CPaintManagerUI& m, LPCTSTR v) { m.SetShadow(Bool(v)); }},
    {L"shadowborder",
     [](CPaintManagerUI& m, LPCTSTR v) {
         const RECT rc = Rect(v);
         m.SetShadowBorder(rc.left, rc.top, rc.right, rc.bottom);
     }},
    {L"shadowimage", [](CPaintManagerUI& m, LPCTSTR v) { m.SetShadowImage(v); }},
};

} // namespace

void CWindowAttributes::Apply(CMarkupNode& root, CPaintManagerUI& manager)
{
    for (int i = 0; i < root.GetAttributeCount(); ++i) {
        // Attributes the table does not name are ignored.
        (void)ApplyAttributeEntry(kAttributes, manager, root.GetAttributeName(i), root.GetAttributeValue(i));
    }
}

} // namespace DuiLib
