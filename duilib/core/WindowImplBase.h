#pragma once
// The skinned, frameless top-level window that applications derive their windows
// from. It owns the window's paint manager, builds the control tree from the skin
// when the window is created, and gives the window its frame behaviour without a
// system frame: resize borders and a caption area by hit testing, tracking sizes from
// the skin and the monitor's work area, a rounded region, the system buttons
// "btn_sys_close", "btn_sys_min", "btn_sys_max" and "btn_sys_restore", Alt+F4 through
// the close button, and the skin's drop shadow.

#include "common/Win32.h"
#include "duilib/core/DialogBuilder.h"
#include "duilib/core/MessageFilterUI.h"
#include "duilib/core/NotifyPump.h"
#include "duilib/core/NotifyUI.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/WindowWnd.h"

#include <memory>

namespace DuiLib {

class CControlUI;
class CWndShadow;

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() noexcept override;

    // Runs once the skin is attached, before the window is first shown.
    virtual void InitWindow() {}
    // What the close button, Alt+F4 and the system's close command do: Close(1).
    virtual void OnCloseWnd();
    virtual HDC GetPaintDC();
    virtual HDC GetMemDC();
    virtual void ReleaseMemDC(HDC hDC);
    virtual void SetCanDraw(bool bCanDraw);
    virtual bool IsCanDraw();
    virtual void ReDraw();
    // The system buttons; other clicks do nothing here.
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    // The "windowinit" notification, before the message map sees it.
    virtual void OnPrepare(TNotifyUI& msg);

    void Notify(TNotifyUI& msg) override;
    // As the manager's pre-message filter: Alt+F4.
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    CControlUI* CreateControl(LPCTSTR pstrClass) override;

    [[nodiscard]] CPaintManagerUI& GetPaintManager() noexcept { return m_pm; }

    // The locked bytes of a skin zip resource; they stay valid for the process.
    static LPBYTE m_lpResourceZIPBuffer;

protected:
    // The skin folder, relative to the program's folder.
    [[nodiscard]] virtual CDuiString GetSkinDirectory() = 0;
    // The skin markup file, or for UILIB_FROM_RESOURCE the decimal id of an "xml" resource.
    [[nodiscard]] virtual CDuiString GetSkinMarkupFile() = 0;
    [[nodiscard]] virtual UILIB_RESOURCETYPE GetResourceType() const;
    // The zip file in the skin folder, for UILIB_FROM_ZIPFILE.
    [[nodiscard]] virtual CDuiString GetZIPFileName() const;
    // The "DAT" resource holding the skin zip, for UILIB_FROM_ZIPRESOURCE: a name or
    // MAKEINTRESOURCE of an id.
    [[nodiscard]] virtual LPCTSTR GetResourceID() const;

    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // Every message the handlers above leave unhandled comes here first; setting
    // bHandled ends its processing with the result.
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // The window's style without the caption.
    [[nodiscard]] virtual LONG GetStyle();
    virtual LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnMenuClick(WORD id, BOOL& bHandled);
    // Controls that keep their clicks inside the caption area instead of dragging.
    [[nodiscard]] virtual bool HitTestControl(CControlUI* pControl);

    [[nodiscard]] UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;

    CPaintManagerUI m_pm;
    // Found in the skin by name; null when it has none. Owned by the tree.
    CControlUI* m_pbtnClose = nullptr;
    CControlUI* m_pbtnMax = nullptr;
    CControlUI* m_pbtnRestore = nullptr;
    CControlUI* m_pbtnMin = nullptr;
    std::unique_ptr<CWndShadow> m_pWndShadow; // from the first paint, when the skin asks for it

    DUI_DECLARE_MESSAGE_MAP()

private:
    LRESULT RouteFrameMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT RouteInputMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    [[nodiscard]] bool SetUpSkinSource();
    [[nodiscard]] CControlUI* BuildSkin();
    void FindSystemButtons();
    void ShowMaxRestore(bool maximised);
    void LookAfterShadow();
};

} // namespace DuiLib
