#pragma once
// The base of every element of a window's control tree: name, text, geometry, colours,
// borders, images and flags; the common skin attributes; layout through SetPos and
// EstimateSize; the events every control handles; painting in five fixed steps.
// Coordinates are client coordinates of the host window; rectangles are half-open.
// Colours are ARGB. A control talks to the window only through its paint manager.

#include "common/Win32.h"
#include "duilib/control/EventSource.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/EventUI.h"

namespace DuiLib {

class CControlUI;
class CGifHandler;
class CPaintManagerUI;

// How a floating control follows its parent's size (percentages of the change).
typedef struct tagTRelativePosUI {
    bool bRelative = false;
    SIZE szParent = {0, 0}; // the parent's size when last placed
    int nMoveXPercent = 0;
    int nMoveYPercent = 0;
    int nZoomXPercent = 0;
    int nZoomYPercent = 0;
} TRelativePosUI;

// Called for each control a search visits; a non-null result ends the search.
typedef CControlUI*(CALLBACK* FINDCONTROLPROC)(CControlUI*, LPVOID);

// FindControl flags.
constexpr UINT UIFIND_ALL = 0x00000000;
constexpr UINT UIFIND_VISIBLE = 0x00000001;
constexpr UINT UIFIND_ENABLED = 0x00000002;
constexpr UINT UIFIND_HITTEST = 0x00000004; // pData points to a POINT
constexpr UINT UIFIND_TOP_FIRST = 0x00000008;
constexpr UINT UIFIND_ME_FIRST = 0x80000000;

// GetControlFlags bits.
constexpr UINT UIFLAG_TABSTOP = 0x00000001;
constexpr UINT UIFLAG_SETCURSOR = 0x00000002;

class CControlUI {
public:
    CControlUI();
    // Copies every property, the delegates and the manager and parent pointers; the copy
    // has its own hit region and loads its own animation.
    CControlUI(const CControlUI& src);
    CControlUI& operator=(const CControlUI& src);
    // Fires DestroyListeners, then has the manager forget every reference to the control.
    virtual ~CControlUI() noexcept;

    [[nodiscard]] virtual const CDuiString& GetName() const;
    virtual void SetName(LPCTSTR pstrName);
    [[nodiscard]] virtual LPCTSTR GetClass() const;
    // The control itself for its interface name ("Control" here), else null.
    [[nodiscard]] virtual LPVOID GetInterface(LPCTSTR pstrName);
    [[nodiscard]] virtual UINT GetControlFlags() const;
    // True only when visible and enabled; derived controls act only then.
    virtual bool Activate();
    [[nodiscard]] virtual CPaintManagerUI* GetManager() const;
    // Borrowed pointers. With bInit and a parent, Init runs.
    virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
    [[nodiscard]] virtual CControlUI* GetParent() const;

    [[nodiscard]] virtual CDuiString GetText() const;
    virtual void SetText(LPCTSTR pstrText);

    // The item rectangle, where the control stands now.
    [[nodiscard]] virtual const RECT& GetPos() const;
    virtual void SetPos(RECT rc);
    [[nodiscard]] virtual int GetWidth() const;
    [[nodiscard]] virtual int GetHeight() const;
    [[nodiscard]] virtual int GetX() const;
    [[nodiscard]] virtual int GetY() const;
    // Outer margins that the parent's layout keeps free around the control.
    [[nodiscard]] virtual RECT GetPadding() const;
    virtual void SetPadding(RECT rcPadding);
    // Position of a floating control; a negative value anchors it to the right (bottom).
    [[nodiscard]] virtual SIZE GetFixedXY() const;
    virtual void SetFixedXY(SIZE szXY);
    // 0 lets the layout decide; negative values are ignored.
    [[nodiscard]] virtual int GetFixedWidth() const;
    virtual void SetFixedWidth(int cx);
    [[nodiscard]] virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int cy);
    [[nodiscard]] virtual int GetMinWidth() const;
    virtual void SetMinWidth(int cx);
    [[nodiscard]] virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    [[nodiscard]] virtual int GetMinHeight() const;
    virtual void SetMinHeight(int cy);
    [[nodiscard]] virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);
    virtual void SetRelativePos(SIZE szMove, SIZE szZoom);
    virtual void SetRelativeParentSize(SIZE sz);
    [[nodiscard]] virtual TRelativePosUI GetRelativePos() const;
    [[nodiscard]] virtual bool IsRelativePos() const;

    [[nodiscard]] virtual CDuiString GetToolTip() const;
    // "<n>" in the text becomes a line break.
    virtual void SetToolTip(LPCTSTR pstrText);
    // Pixels; the width the tool tip window wraps at.
    virtual void SetToolTipWidth(int nWidth);
    [[nodiscard]] virtual int GetToolTipWidth() const;
    [[nodiscard]] virtual TCHAR GetShortcut() const;
    virtual void SetShortcut(TCHAR ch);
    [[nodiscard]] virtual bool IsContextMenuUsed() const;
    virtual void SetContextMenuUsed(bool bMenuUsed);
    // Asks an animated background for its next frame at the next paint.
    virtual void SetGifed(bool bGifed);
    [[nodiscard]] virtual const CDuiString& GetUserData() const;
    virtual void SetUserData(LPCTSTR pstrText);
    [[nodiscard]] virtual UINT_PTR GetTag() const;
    virtual void SetTag(UINT_PTR pTag);
    virtual void SetUserValue(DWORD dwValue);
    [[nodiscard]] virtual DWORD GetUserValue() const;

    // Visible and internally visible (the parent's choice).
    [[nodiscard]] virtual bool IsVisible() const;
    virtual void SetVisible(bool bVisible = true);
    virtual void SetInternVisible(bool bVisible = true);
    [[nodiscard]] virtual bool IsEnabled() const;
    virtual void SetEnabled(bool bEnable = true);
    [[nodiscard]] virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool bEnable = true);
    [[nodiscard]] virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool bEnable = true);
    [[nodiscard]] virtual bool IsFocused() const;
    // Asks the manager for the focus; the focused flag follows from the set-focus event.
    virtual void SetFocus();
    [[nodiscard]] virtual bool IsFloat() const;
    virtual void SetFloat(bool bFloat = true);
    // Hit-tests against the background image's opaque pixels.
    [[nodiscard]] virtual bool IsRandom() const;
    virtual void SetRandom(bool bRandom);

    // The search hook of the manager: UIFIND_* flags; see CPaintManagerUI's finders.
    virtual CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);

    virtual void Init();
    virtual void DoInit();
    // Fires EventListeners; DoEvent runs only when all of them return true.
    virtual void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);

    // Names are case-sensitive; unknown names are ignored.
    virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    // The fixed size; 0 lets the layout decide.
    [[nodiscard]] virtual SIZE EstimateSize(SIZE szAvailable);

    // rcPaint: the dirty area, client coordinates.
    virtual void DoPaint(HDC hDC, const RECT& rcPaint);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);
    virtual void DoPostPaint(HDC hDC, const RECT& rcPaint);

    [[nodiscard]] DWORD GetBkColor() const;
    void SetBkColor(DWORD dwBackColor);
    [[nodiscard]] DWORD GetBkColor2() const;
    void SetBkColor2(DWORD dwBackColor);
    [[nodiscard]] DWORD GetBkColor3() const;
    void SetBkColor3(DWORD dwBackColor);
    // An image attribute string.
    [[nodiscard]] LPCTSTR GetBkImage() const;
    void SetBkImage(LPCTSTR pStrImage);
    // An image name, blended over the whole control with the foreground alpha.
    void SetForeImage(LPCTSTR pStrImage);
    void SetForeAlpha(BYTE alpha);
    void SetImage(LPCTSTR pStrBkImage, LPCTSTR pStrForeImage, BYTE alpha);
    [[nodiscard]] DWORD GetBorderColor() const;
    void SetBorderColor(DWORD dwBorderColor);
    [[nodiscard]] DWORD GetFocusBorderColor() const;
    void SetFocusBorderColor(DWORD dwBorderColor);
    [[nodiscard]] bool IsColorHSL() const;
    void SetColorHSL(bool bColorHSL);
    [[nodiscard]] int GetBorderSize() const;
    // The uniform border; the side sizes stay.
    void SetBorderSize(int nSize);
    // The four side sizes; the uniform border stays.
    void SetBorderSize(RECT rc);
    [[nodiscard]] int GetLeftBorderSize() const;
    void SetLeftBorderSize(int nSize);
    [[nodiscard]] int GetTopBorderSize() const;
    void SetTopBorderSize(int nSize);
    [[nodiscard]] int GetRightBorderSize() const;
    void SetRightBorderSize(int nSize);
    [[nodiscard]] int GetBottomBorderSize() const;
    void SetBottomBorderSize(int nSize);
    // A pen style (PS_*).
    [[nodiscard]] int GetBorderStyle() const;
    void SetBorderStyle(int nStyle);
    // Width and height of the corner ellipse.
    [[nodiscard]] SIZE GetBorderRound() const;
    void SetBorderRound(SIZE cxyRound);

    // Draws an image attribute string over the control, clipped to the part being
    // painted. False when no image could be obtained.
    bool DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
    void Invalidate();
    [[nodiscard]] bool IsUpdateNeeded() const;
    // Lays this control out again before the next paint.
    void NeedUpdate();
    // Lays the parent out again (or this control when it has none).
    void NeedParentUpdate();
    // The colour adjusted by the manager's hue, saturation and lightness when "colorhsl".
    [[nodiscard]] DWORD GetAdjustColor(DWORD dwColor) const;
    void SetVirtualWnd(LPCTSTR pstrValue);
    // The own virtual window name, else the parent's.
    [[nodiscard]] CDuiString GetVirtualWnd() const;
    // Applies name="value" pairs separated by one space; returns this control.
    CControlUI* ApplyAttributeList(LPCTSTR pstrList);
    [[nodiscard]] bool IsCanDraw() const;
    void SetCanDraw(bool bCanDraw);

    // A hit region of the opaque pixels (colour outside keyColor .. keyColor + tolerance
    // per channel), one-pixel-high runs offset by (x, y). The caller owns it; null when
    // the image cannot be read.
    [[nodiscard]] HRGN GetRegion(LPCTSTR pStrImage, DWORD keyColor, DWORD tolerance, int x, int y) const;
    [[nodiscard]] static HRGN GetRegion(HBITMAP hBitmap, DWORD keyColor, DWORD tolerance, int x, int y);

    CEventSource InitListeners;    // parameter: the control
    CEventSource DestroyListeners; // parameter: the control
    CEventSource SizeListeners;    // parameter: the control
    CEventSource EventListeners;   // parameter: the TEventUI
    CEventSource NotifyListeners;  // parameter: the TNotifyUI, for notifications sent synchronously

protected:
    [[nodiscard]] const RECT& GetPaintRect() const { return m_rcPaint; }

    CPaintManagerUI* m_pManager = nullptr; // borrowed
    CControlUI* m_pParent = nullptr;        // borrowed
    CDuiString m_sVirtualWnd;
    CDuiString m_sName;
    bool m_bUpdateNeeded = true;
    bool m_bMenuUsed = false;
    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bSetPos = false; // inside SetPos: SizeListeners do not fire again
    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPadding = {0, 0, 0, 0};
    SIZE m_cXY = {0, 0};
    SIZE m_cxyFixed = {0, 0};
    SIZE m_cxyMin = {0, 0};
    SIZE m_cxyMax = {9999, 9999};
    TRelativePosUI m_tRelativePos;
    CDuiString m_sText;
    CDuiString m_sToolTip;
    TCHAR m_chShortcut = 0;
    CDuiString m_sUserData;
    UINT_PTR m_pTag = 0;
    DWORD m_dwBackColor = 0;
    DWORD m_dwBackColor2 = 0;
    DWORD m_dwBackColor3 = 0;
    DWORD m_dwUserValue = 0;
    CDuiString m_sBkImage;
    CDuiString m_sForeImage;
    BYTE m_nForeAlpha = 255;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    bool m_bColorHSL = false;
    int m_nBorderSize = 0;
    int m_nBorderStyle = PS_SOLID;
    SIZE m_cxyBorderRound = {0, 0};
    RECT m_rcPaint = {0, 0, 0, 0};
    RECT m_rcBorderSize = {0, 0, 0, 0};
    int m_nTooltipWidth = 300;
    bool m_bGifAdvance = false;
    int m_nGifDelay = 0;
    CGifHandler* m_pGifHandler = nullptr; // owned
    bool m_bRandom = false;
    bool m_bBkImageChanged = false;
    HRGN m_hRgn = nullptr; // owned; relative to the item's top-left corner
    bool m_bCanDraw = true;

private:
    void CopyFrom(const CControlUI& src);
    void SizeChanged();
    void StopAnimation();
    void ReleaseRegion() noexcept;
    void NotifySizeListeners();
    void ReanchorFloat();
    void InvalidateMove(const RECT& rcOld);
    void PaintSteps(HDC hDC);
    void PaintSideBorders(HDC hDC);
    [[nodiscard]] bool PaintAnimatedBkImage(HDC hDC);
    void RebuildHitRegion();
    void PaintForeImage(HDC hDC);
    [[nodiscard]] bool HitTest(POINT pt) const;
};

} // namespace DuiLib
