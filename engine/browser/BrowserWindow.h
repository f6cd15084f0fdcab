#pragma once
// The native window of a browser: paints the page with a PageView, scrolls it with a
// vertical scroll bar, the wheel and the keyboard, and turns clicks into link,
// context-menu and close requests for its Browser.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CefTypes.h"
#include "engine/browser/PageScroll.h"
#include "engine/render/PageView.h"

namespace engine {

class Browser;

class BrowserWindow final {
public:
    [[nodiscard]] static bool RegisterWindowClass(HINSTANCE instance);
    static void UnregisterWindowClass(HINSTANCE instance);
    // Null when CreateWindowExW fails.
    [[nodiscard]] static std::unique_ptr<BrowserWindow> Create(Browser& owner, const CefWindowInfo& info);

    // Destroys the window without reporting back to the owner.
    ~BrowserWindow();
    BrowserWindow(const BrowserWindow&) = delete;
    BrowserWindow& operator=(const BrowserWindow&) = delete;

    // Null once the window is destroyed.
    [[nodiscard]] HWND Handle() const noexcept { return m_hwnd; }
    // Shows a new document from the top.
    void ShowDocument(DomNodePtr document, const std::wstring& url);
    // Shows a changed version of the current document, keeping the scroll position and
    // the page's images and style sheets.
    void UpdateDocument(DomNodePtr document);
    void SetImage(const std::wstring& url, std::vector<unsigned char> bytes);
    // The images the page displays; lays the page out if it is not yet.
    [[nodiscard]] std::vector<std::wstring> ImageUrls();
    void SetStylesheet(const std::wstring& url, std::string_view bytes);
    [[nodiscard]] int ScrollY() const noexcept { return m_scroll.Position(); }
    // Scrolls the element with this id (or <a name>) to the top; false when there is none.
    bool ScrollToFragment(const std::wstring& fragment);

private:
    explicit BrowserWindow(Browser& owner) : m_owner(&owner) {}
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // Draws the client area into `dc` (WM_PRINTCLIENT: thumbnails, window animations).
    void PaintInto(HDC dc, const RECT& area);
    // Layout waits for the next paint or hit test, so that a burst of changes (a new
    // document, then its images) costs one pass.
    void Relayout();
    void EnsureLayout();
    void ScrollTo(int y);
    void UserScroll(std::optional<int> y);
    void UpdateScrollBar();
    [[nodiscard]] bool OnKeyDown(WPARAM virtualKey);
    void OnScrollBar(WPARAM request);
    [[nodiscard]] PageView::Hit HitAt(LPARAM clientPoint);
    // The mouse moved to `clientPoint`, or left the window (nothing).
    void OnHover(std::optional<POINT> clientPoint);
    void OnRightClick(LPARAM clientPoint);
    void OnLeftButtonDown(LPARAM clientPoint);
    void OnLeftButtonUp(LPARAM clientPoint);

    Browser* m_owner;  // Borrowed; null while the owner tears the window down.
    HWND m_hwnd = nullptr;
    PageView m_view;
    PageScroll m_scroll;
    std::wstring m_fragment;  // kept at the top through relayouts until the user scrolls
    bool m_layoutValid = false;
    bool m_hasDocument = false;
    bool m_trackingMouse = false;  // a WM_MOUSELEAVE is asked for
    std::optional<POINT> m_mouse;  // client point, while the mouse is over the window
    // The link the left button went down on, while it is held: a click opens a link only
    // when it is released on the same link.
    std::optional<PageView::Hit> m_pressedLink;
};

} // namespace engine
