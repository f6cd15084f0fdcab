// CControlUI: the common skin attributes and attribute lists.

#include "duilib/control/ControlUI.h"

#include "duilib/core/AttributeValue.h"
#include "duilib/core/PaintManager.h"

#include <cwchar>

namespace DuiLib {

namespace {

using Setter = void (*)(CControlUI&, LPCTSTR);

struct AttributeEntry {
    LPCTSTR name;
    Setter set;
};

void SetPosAttribute(CControlUI& c, LPCTSTR v)
{
    const RECT rc = CAttributeValue::ParseRect(v);
    c.SetFixedXY(SIZE{rc.left >= 0 ? rc.left : rc.right, rc.top >= 0 ? rc.top : rc.bottom});
    c.SetFixedWidth(rc.right - rc.left);
    c.SetFixedHeight(rc.bottom - rc.top);
}

void SetBorderSizeAttribute(CControlUI& c, LPCTSTR v)
{
    if (std::wcschr(v, L',') == nullptr) {
        c.SetBorderSize(CAttributeValue::ParseInt(v));
        c.SetBorderSize(RECT{0, 0, 0, 0});
    } else {
        c.SetBorderSize(CAttributeValue::ParseRect(v));
    }
}

void SetRelativePosAttribute(CControlUI& c, LPCTSTR v)
{
    const RECT rc = CAttributeValue::ParseRect(v);
    c.SetRelativePos(SIZE{rc.left, rc.top}, SIZE{rc.right, rc.bottom});
}

void SetDefaultAttribute(CControlUI& c, LPCTSTR v)
{
    if (c.GetManager() != nullptr) {
        (void)c.ApplyAttributeList(c.GetManager()->GetDefaultAttributeList(v)); // returns c itself
    }
}

int Int(LPCTSTR v) { return CAttributeValue::ParseInt(v); }
DWORD Color(LPCTSTR v) { return CAttributeValue::ParseColor(v); }
bool Bool(LPCTSTR v) { return CAttributeValue::ParseBool(v); }

const AttributeEntry kAttributes[] = {
    {L"pos", SetPosAttribute},
    {L"relativepos", SetRelativePosAttribute},
    {L"padding", [](CControlUI& c, LPCTSTR v) { c.SetPadding(CAttributeValue::ParseRect(v)); }},
    {L"bkcolor", [](CControlUI& c, LPCTSTR v) { c.SetBkColor(Color(v)); }},
    {L"bkcolor1", [](CControlUI& c, LPCTSTR v) { c.SetBkColor(Color(v)); }},
    {L"bkcolor2", [](CControlUI& c, LPCTSTR v) { c.SetBkColor2(Color(v)); }},
    {L"bkcolor3", [](CControlUI& c, LPCTSTR v) { c.SetBkColor3(Color(v)); }},
    {L"bordercolor", [](CControlUI& c, LPCTSTR v) { c.SetBorderColor(CAttributeValue::ParseHashColor(v)); }},
    {L"focusbordercolor",
     [](CControlUI& c, LPCTSTR v) { c.SetFocusBorderColor(CAttributeValue::ParseHashColor(v)); }},
    {L"colorhsl", [](CControlUI& c, LPCTSTR v) { c.SetColorHSL(Bool(v)); }},
    {L"bordersize", SetBorderSizeAttribute},
    {L"leftbordersize", [](CControlUI& c, LPCTSTR v) { c.SetLeftBorderSize(Int(v)); }},
    {L"topbordersize", [](CControlUI& c, LPCTSTR v) { c.SetTopBorderSize(Int(v)); }},
    {L"rightbordersize", [](CControlUI& c, LPCTSTR v) { c.SetRightBorderSize(Int(v)); }},
    {L"bottombordersize", [](CControlUI& c, LPCTSTR v) { c.SetBottomBorderSize(Int(v)); }},
    {L"borderstyle", [](CControlUI& c, LPCTSTR v) { c.SetBorderStyle(Int(v)); }},
    {L"borderround", [](CControlUI& c, LPCTSTR v) { c.SetBorderRound(CAttributeValue::ParseSize(v)); }},
    {L"bkimage", [](CControlUI& c, LPCTSTR v) { c.SetBkImage(v); }},
    {L"foreimage", [](CControlUI& c, LPCTSTR v) { c.SetForeImage(v); }},
    {L"width", [](CControlUI& c, LPCTSTR v) { c.SetFixedWidth(Int(v)); }},
    {L"height", [](CControlUI& c, LPCTSTR v) { c.SetFixedHeight(Int(v)); }},
    {L"minwidth", [](CControlUI& c, LPCTSTR v) { c.SetMinWidth(Int(v)); }},
    {L"minheight", [](CControlUI& c, LPCTSTR v) { c.SetMinHeight(Int(v)); }},
    {L"maxwidth", [](CControlUI& c, LPCTSTR v) { c.SetMaxWidth(Int(v)); }},
    {L"maxheight", [](CControlUI& c, LPCTSTR v) { c.SetMaxHeight(Int(v)); }},
    {L"name", [](CControlUI& c, LPCTSTR v) { c.SetName(v); }},
    {L"text", [](CControlUI& c, LPCTSTR v) { c.SetText(v); }},
    {L"tooltip", [](CControlUI& c, LPCTSTR v) { c.SetToolTip(v); }},
    {L"userdata", [](CControlUI& c, LPCTSTR v) { c.SetUserData(v); }},
    {L"enabled", [](CControlUI& c, LPCTSTR v) { c.SetEnabled(Bool(v)); }},
    {L"mouse", [](CControlUI& c, LPCTSTR v) { c.SetMouseEnabled(Bool(v)); }},
    {L"keyboard", [](CControlUI& c, LPCTSTR v) { c.SetKeyboardEnabled(Bool(v)); }},
    {L"visible", [](CControlUI& c, LPCTSTR v) { c.SetVisible(Bool(v)); }},
    {L"float", [](CControlUI& c, LPCTSTR v) { c.SetFloat(Bool(v)); }},
    {L"shortcut", [](CControlUI& c, LPCTSTR v) { c.SetShortcut(v[0]); }},
    {L"menu", [](CControlUI& c, LPCTSTR v) { c.SetContextMenuUsed(Bool(v)); }},
    {L"virtualwnd", [](CControlUI& c, LPCTSTR v) { c.SetVirtualWnd(v); }},
    {L"random", [](CControlUI& c, LPCTSTR v) { c.SetRandom(Bool(v)); }},
    {L"default", SetDefaultAttribute},
};

// A default list may name another default list; a skin whose lists name each other in a
// circle stops here instead of overflowing the stack.
constexpr int kMaxListNesting = 8;
int g_listNesting = 0; // the user-interface thread is the only one that builds controls

class NestingScope final {
public:
    NestingScope() noexcept { ++g_listNesting; }
    ~NestingScope() noexcept { --g_listNesting; }
    NestingScope(const NestingScope&) = delete;
    NestingScope& operator=(const NestingScope&) = delete;
};

// Copies the characters up to the first stop character (or the end) into text.
LPCTSTR ReadUntil(LPCTSTR p, TCHAR stop, CDuiString& text)
{
    LPCTSTR end = p;
    while (*end != L'\0' && *end != stop) {
        ++end;
    }
    text.Assign(p, static_cast<int>(end - p));
    return end;
}

} // namespace

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue)
{
    if (pstrName == nullptr || pstrValue == nullptr) {
        return;
    }
    for (const AttributeEntry& entry : kAttributes) {
        if (std::wcscmp(entry.name, pstrName) == 0) {
            entry.set(*this, pstrValue);
            return;
        }
    }
}

CControlUI* CControlUI::ApplyAttributeList(LPCTSTR pstrList)
{
    if (pstrList == nullptr || g_listNesting >= kMaxListNesting) {
        return this;
    }
    const NestingScope nesting;
    CDuiString name;
    CDuiString value;
    LPCTSTR p = pstrList;
    while (*p != L'\0') {
        p = ReadUntil(p, L'=', name);
        if (p[0] != L'=' || p[1] != L'"') {
            break;
        }
        p = ReadUntil(p + 2, L'"', value);
        if (*p != L'"') {
            break;
        }
        SetAttribute(name, value);
        if (p[1] != L' ') {
            break;
        }
        p += 2;
    }
    return this;
}

} // namespace DuiLib
