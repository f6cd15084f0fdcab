#pragma once
// A thin owner of one native window. It registers the window's class (its own, or a
// superclass of an existing one), creates the window with the object carried into the
// window procedure, and routes every message to the virtual HandleMessage until the
// final WM_NCDESTROY, after which OnFinalMessage runs (the object may delete itself
// there). It also wraps the placement calls a top-level window needs: modal loop,
// centring, client resizing, style changes and full screen.

#include "common/Handles.h"
#include "common/Win32.h"
#include "duilib/core/DuiRect.h"

namespace DuiLib {

class CWindowWnd {
public:
    CWindowWnd() = default;
    // Detaches a window that outlives its object, so that its messages go to the
    // default procedure instead of a dead object.
    virtual ~CWindowWnd() noexcept;
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    [[nodiscard]] HWND GetHWND() const noexcept { return m_hWnd; }
    operator HWND() const noexcept { return m_hWnd; }

    // True when the class is registered now or was already.
    bool RegisterWindowClass();
    bool RegisterSuperclass();

    // Registers the class first (by superclass when GetSuperClassName is not null).
    // Null on failure; the object may be gone then if OnFinalMessage deleted it.
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc,
                HMENU hMenu = nullptr);
    HWND CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle = 0, DWORD dwExStyle = 0);

    // Routes an existing window's messages to this object. Null on failure.
    HWND Subclass(HWND hWnd);
    void Unsubclass();

    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    // Runs a message loop with the owner disabled until the window is gone; the result
    // is the wParam of the WM_CLOSE posted to it (Close), 0 without one. A WM_QUIT ends
    // the loop early and is posted again for the outer loop.
    UINT ShowModal();
    // Posts WM_CLOSE with nRet as wParam.
    virtual void Close(UINT nRet = IDOK);
    // On the owner when it is shown, else on the work area of the nearest monitor; kept
    // inside that work area.
    void CenterWindow();
    // Big and small icon from the program module's icon resource nRes; the window
    // object owns both.
    void SetIcon(UINT nRes);

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    // False without a window, rather than posting to the thread.
    BOOL PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    // A client area of cx × cy; -1 keeps that dimension.
    void ResizeClient(int cx = -1, int cy = -1);
    // False when the style does not change; with flags, SetWindowPos applies it.
    bool ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    bool ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    // Coordinates as ::MoveWindow takes them.
    void MoveWindow(int x, int y, int cx, int cy, bool bRepaint = true);
    // rc is in this window's client coordinates.
    void MoveWindow(const RECT& rc, bool bRepaint = true);
    // Covers the monitor's work area; RestoreScreen puts the window back where it was.
    void FullScreen();
    void RestoreScreen();

protected:
    [[nodiscard]] virtual LPCTSTR GetWindowClassName() const = 0;
    // A class to superclass; null registers an own class.
    [[nodiscard]] virtual LPCTSTR GetSuperClassName() const;
    [[nodiscard]] virtual UINT GetClassStyle() const;
    // Default: the previous window procedure.
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // After WM_NCDESTROY, when the handle is null again.
    virtual void OnFinalMessage(HWND hWnd);

    // The monitor nearest to the window, with its work area.
    [[nodiscard]] static MONITORINFO MonitorNear(HWND hWnd) noexcept;

    static LRESULT CALLBACK __WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK __ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;
    WNDPROC m_OldWndProc = ::DefWindowProcW;
    bool m_bSubclassed = false;

private:
    // Where a window keeps its object: the user data for an own class, a property for
    // a superclass (whose own code may use the user data).
    enum class ObjectSlot { UserData, Property };

    static LRESULT Route(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, ObjectSlot slot) noexcept;
    [[nodiscard]] LRESULT Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept;
    // The end of WM_NCDESTROY.
    [[nodiscard]] LRESULT FinalMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, ObjectSlot slot) noexcept;
    [[nodiscard]] bool SetStyle(int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    CDuiRect m_rcRestore; // window rectangle before FullScreen, screen coordinates
    UniqueIcon m_bigIcon;
    UniqueIcon m_smallIcon;
};

} // namespace DuiLib
