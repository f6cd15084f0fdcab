#pragma once
// A drop shadow for a top-level window: a layered, click-through popup owned by the
// window it shadows, which follows its moves and sizes and hides while it is
// maximised, minimised or hidden. It shows either the skin's shadow image (an image
// attribute string stretched over the window's rectangle grown by a border) or a
// computed soft shadow. Being owned, it lies above its window, so both leave the
// window's own area transparent.

#include "common/Win32.h"
#include "duilib/core/DuiString.h"
#include "duilib/core/SoftShadow.h"

namespace DuiLib {

class CPaintManagerUI;

class CWndShadow {
public:
    CWndShadow() = default;
    // Destroys the shadow window and lets go of the parent.
    virtual ~CWndShadow() noexcept;
    CWndShadow(const CWndShadow&) = delete;
    CWndShadow& operator=(const CWndShadow&) = delete;

    // Registers the shadow window class, once per process: false on a second call and
    // when the system has no layered windows.
    static bool Initialize(HINSTANCE hInstance);
    [[nodiscard]] static bool IsInitialized() noexcept;

    // Starts shadowing hParentWnd; pManager (borrowed, may be null) draws the shadow
    // image. Does nothing more before Initialize.
    void Create(HWND hParentWnd, CPaintManagerUI* pManager);

    // Each returns false for a value outside its range and then changes nothing.
    bool SetSize(int NewSize);                      // -20..20
    bool SetSharpness(unsigned int NewSharpness);   // 0..20
    bool SetDarkness(unsigned int NewDarkness);     // 0..255
    bool SetPosition(int NewXOffset, int NewYOffset); // -20..20 each
    bool SetColor(COLORREF NewColor);
    // An image attribute string; empty selects the computed shadow.
    void SetBkImage(LPCTSTR szImage);
    // How far the image reaches beyond the parent's window rectangle on each side.
    void SetBorder(const RECT& rcBorder);
    // The parent has painted: the shadow is placed and shown from now on.
    void SetPrepared();

    [[nodiscard]] HWND GetHWND() const noexcept { return m_hWnd; }

protected:
    // Draws the shadow for the parent's current rectangle and moves it there.
    void Update(HWND hParent);
    // Shows or hides the shadow to match the parent's state.
    void Show(HWND hParent);
    // The computed shadow of the parent's shape into bits, sized as the parent's
    // rectangle rcParent grown by the size on each side.
    void MakeShadow(DWORD* pShadBits, HWND hParent, const RECT* rcParent);
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept;

private:
    // Show with the parent's style given, for WM_SHOWWINDOW, which comes before the
    // style changes.
    void ShowFor(HWND hParent, LONG_PTR parentStyle);
    void Hide();
    void OnParentMessage(HWND hParent, UINT uMsg, WPARAM wParam);
    void FollowMove(HWND hParent);
    void Detach() noexcept;
    // Where the shadow window lies for a parent at rcParent (screen coordinates).
    [[nodiscard]] RECT ShadowRect(const RECT& rcParent) const noexcept;
    [[nodiscard]] bool IsImageMode() const noexcept { return !m_sShadowImage.IsEmpty(); }
    [[nodiscard]] bool IsVisible() const noexcept;
    void UpdateIfVisible();

    HWND m_hWnd = nullptr;    // the shadow window, owned
    HWND m_hParent = nullptr; // the window shadowed, borrowed
    BYTE m_Status = 0;
    CSoftShadow::TParams m_params;
    CDuiString m_sShadowImage;
    CPaintManagerUI* m_pManager = nullptr; // borrowed
    bool m_bIsShadowPrepared = false;
    RECT m_rcShadowBorder = {0, 0, 0, 0};

    static HINSTANCE s_hInstance;
    using UpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                  DWORD);
    static UpdateLayeredWindowProc s_UpdateLayeredWindow;
};

} // namespace DuiLib
