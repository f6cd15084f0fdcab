#pragma once
// A control that owns an ordered list of children: it places them inside its inset,
// clips their painting, routes searches and events through them and scrolls them with
// scroll bars it creates on demand. The linear layouts derive from it.

#include "duilib/control/ControlUI.h"
#include "duilib/core/StdPtrArray.h"
#include "duilib/layout/IContainerUI.h"

namespace DuiLib {

class CScrollBarUI;

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI();
    CContainerUI(const CContainerUI&) = delete;
    CContainerUI& operator=(const CContainerUI&) = delete;
    // Deletes the children (when auto destroy is on) and the scroll bars at once.
    ~CContainerUI() noexcept override;

    [[nodiscard]] LPCTSTR GetClass() const override;
    // "Container" gives the control, "IContainer" its IContainerUI.
    [[nodiscard]] LPVOID GetInterface(LPCTSTR pstrName) override;

    [[nodiscard]] CControlUI* GetItemAt(int iIndex) const override;
    [[nodiscard]] int GetItemIndex(CControlUI* pControl) const override;
    bool SetItemIndex(CControlUI* pControl, int iIndex) override;
    [[nodiscard]] int GetCount() const override;
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    // A child kept alive (auto destroy off) is detached from the window and the tree.
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    void DoEvent(TEventUI& event) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetMouseEnabled(bool bEnable = true) override;

    [[nodiscard]] virtual RECT GetInset() const;
    // Inner margins (left, top, right, bottom) around the children.
    virtual void SetInset(RECT rcInset);
    [[nodiscard]] virtual int GetChildPadding() const;
    // The gap between consecutive children.
    virtual void SetChildPadding(int iPadding);
    [[nodiscard]] virtual bool IsAutoDestroy() const;
    virtual void SetAutoDestroy(bool bAuto);
    [[nodiscard]] virtual bool IsDelayedDestroy() const;
    // Removed children are deleted after the current message rather than at once.
    virtual void SetDelayedDestroy(bool bDelayed);
    [[nodiscard]] virtual bool IsMouseChildEnabled() const;
    virtual void SetMouseChildEnabled(bool bEnable = true);

    // The nearest visible, enabled "ListItem" at or after (before) iIndex; -1 when none.
    [[nodiscard]] virtual int FindSelectable(int iIndex, bool bForward = true) const;

    // (horizontal, vertical); 0 for a missing or hidden bar.
    [[nodiscard]] virtual SIZE GetScrollPos() const;
    [[nodiscard]] virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE szPos);
    // n pixels plus the height of the default font.
    virtual void LineUp(int nLine = 8);
    virtual void LineDown(int nLine = 8);
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void PageLeft();
    virtual void PageRight();
    virtual void HomeLeft();
    virtual void EndRight();
    // Creates the bars asked for when missing and deletes the others.
    virtual void EnableScrollBar(bool bEnableVertical = true, bool bEnableHorizontal = false);
    [[nodiscard]] virtual CScrollBarUI* GetVerticalScrollBar() const;
    [[nodiscard]] virtual CScrollBarUI* GetHorizontalScrollBar() const;
    // Places a floating child by its fixed position, relative to this container.
    virtual void SetFloatPos(int iIndex);
    // Shows, hides and sizes the bars for content of the given size inside rc.
    virtual void ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);

    void SetPos(RECT rc) override;
    void DoPaint(HDC hDC, const RECT& rcPaint) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;

    // The descendant of that name (ignoring case); null when there is none.
    [[nodiscard]] CControlUI* FindSubControl(LPCTSTR pstrSubControlName);
    // Each applies to the named descendant and answers whether there is one.
    bool SetSubControlText(LPCTSTR pstrSubControlName, LPCTSTR pstrText);
    bool SetSubControlFixedHeight(LPCTSTR pstrSubControlName, int cy);
    bool SetSubControlFixedWdith(LPCTSTR pstrSubControlName, int cx);
    bool SetSubControlUserData(LPCTSTR pstrSubControlName, LPCTSTR pstrText);
    // Empty, or -1, when there is no such descendant.
    [[nodiscard]] CDuiString GetSubControlText(LPCTSTR pstrSubControlName);
    [[nodiscard]] int GetSubControlFixedHeight(LPCTSTR pstrSubControlName);
    [[nodiscard]] int GetSubControlFixedWdith(LPCTSTR pstrSubControlName);
    [[nodiscard]] CDuiString GetSubControlUserData(LPCTSTR pstrSubControlName);

protected:
    // The item rectangle minus the inset and the visible scroll bars.
    [[nodiscard]] RECT GetContentRect() const;

    CStdPtrArray m_items; // CControlUI, owned when auto destroy is on
    RECT m_rcInset = {0, 0, 0, 0};
    int m_iChildPadding = 0;
    bool m_bAutoDestroy = true;
    bool m_bDelayedDestroy = true;
    bool m_bMouseChildEnabled = true;
    bool m_bScrollProcess = false; // inside ProcessScrollBar's own layout
    CScrollBarUI* m_pVerticalScrollBar = nullptr;   // owned
    CScrollBarUI* m_pHorizontalScrollBar = nullptr; // owned

private:
    void Dispose(CControlUI* pControl);
    [[nodiscard]] bool IsScrollBarShown(const CScrollBarUI* pBar) const;
    [[nodiscard]] CScrollBarUI* CreateScrollBar(bool bHorizontal);
    void PaintChildren(HDC hDC, const RECT& rcPaint);
    [[nodiscard]] CControlUI* FindInChildren(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);
    void ScrollBy(int cx, int cy);
    void MoveScrollPos(int dx, int dy);
    [[nodiscard]] int LineHeight(int nLine) const;
    [[nodiscard]] int PageLength(bool vertical) const;
};

} // namespace DuiLib
