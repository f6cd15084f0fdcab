#include "engine/browser/BrowserWindow.h"

#include <algorithm>

#include "common/Handles.h"
#include "engine/browser/Browser.h"

namespace engine {
namespace {

constexpr wchar_t kWindowClass[] = L"ZvEngineBrowserWindow";

class WindowDc final {
public:
    explicit WindowDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~WindowDc() noexcept
    {
        if (m_dc != nullptr) {
            ::ReleaseDC(m_hwnd, m_dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    [[nodiscard]] HDC get() const noexcept { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

class PaintScope final {
public:
    explicit PaintScope(HWND hwnd) noexcept : m_hwnd(hwnd) { ::BeginPaint(hwnd, &m_paint); }
    ~PaintScope() noexcept { ::EndPaint(m_hwnd, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    [[nodiscard]] HDC dc() const noexcept { return m_paint.hdc; }
    [[nodiscard]] const RECT& area() const noexcept { return m_paint.rcPaint; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_paint{};
};

// <windowsx.h> would give these, but its GetFirstChild/GetNextSibling macros clash
// with the DOM interface.
[[nodiscard]] int PointX(LPARAM lParam) noexcept
{
    return static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lParam)));
}

[[nodiscard]] int PointY(LPARAM lParam) noexcept
{
    return static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
}

[[nodiscard]] std::wstring FragmentOf(const std::wstring& url)
{
    const size_t hash = url.find(L'#');
    return hash == std::wstring::npos ? std::wstring() : url.substr(hash + 1);
}

[[nodiscard]] RECT ClientRect(HWND hwnd)
{
    RECT rect{};
    (void)::GetClientRect(hwnd, &rect);
    return rect;
}

} // namespace

bool BrowserWindow::RegisterWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &BrowserWindow::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void BrowserWindow::UnregisterWindowClass(HINSTANCE instance)
{
    (void)::UnregisterClassW(kWindowClass, instance);
}

std::unique_ptr<BrowserWindow> BrowserWindow::Create(Browser& owner, const CefWindowInfo& info)
{
    std::unique_ptr<BrowserWindow> window(new BrowserWindow(owner));
    const HWND hwnd = ::CreateWindowExW(info.ex_style, kWindowClass, info.window_name.c_str(), info.style, info.x,
        info.y, info.width, info.height, info.parent_window, info.menu, ::GetModuleHandleW(nullptr), window.get());
    if (hwnd == nullptr) {
        return nullptr;
    }
    return window;
}

BrowserWindow::~BrowserWindow()
{
    m_owner = nullptr;
    if (m_hwnd != nullptr) {
        ::DestroyWindow(m_hwnd);
    }
}

LRESULT CALLBACK BrowserWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<BrowserWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<BrowserWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through user32's frames.
        return 0;
    }
}

LRESULT BrowserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // Paint covers every pixel; erasing first would flicker.
    case WM_PAINT:
        Paint();
        return 0;
    case WM_PRINTCLIENT:
        PaintInto(reinterpret_cast<HDC>(wParam), ClientRect(m_hwnd));
        return 0;
    case WM_SIZE:
        Relayout();
        return 0;
    case WM_MOUSEWHEEL:
        UserScroll(m_scroll.TargetForWheel(GET_WHEEL_DELTA_WPARAM(wParam)));
        return 0;
    case WM_VSCROLL:
        OnScrollBar(wParam);
        return 0;
    case WM_KEYDOWN:
        return OnKeyDown(wParam) ? 0 : ::DefWindowProcW(m_hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_MOUSEMOVE:
        OnHover(POINT{PointX(lParam), PointY(lParam)});
        return 0;
    case WM_MOUSELEAVE:
        m_trackingMouse = false;
        OnHover(std::nullopt);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        m_pressedLink.reset();  // the press ended elsewhere (a menu, a dialog)
        return 0;
    case WM_RBUTTONUP:
        OnRightClick(lParam);
        return 0;
    case WM_CLOSE:
        if (m_owner != nullptr) {
            m_owner->OnCloseRequested();
        }
        return 0;
    case WM_TIMER:
        if (m_owner != nullptr) {
            m_owner->OnTimer(static_cast<UINT_PTR>(wParam));
        }
        return 0;
    case WM_DESTROY:
        if (m_owner != nullptr) {
            m_owner->OnWindowDestroyed();
        }
        return 0;
    default:
        return ::DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

void BrowserWindow::Paint()
{
    // Before the first page there is nothing to lay out or to keep off the screen half
    // painted: a plain fill spares a new browser the off-screen bitmap while its page loads.
    if (!m_hasDocument) {
        const PaintScope paint(m_hwnd);
        ::FillRect(paint.dc(), &paint.area(), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        return;
    }
    EnsureLayout();  // before BeginPaint, which validates what layout invalidates
    const PaintScope paint(m_hwnd);
    PaintInto(paint.dc(), paint.area());
}

void BrowserWindow::PaintInto(HDC dc, const RECT& area)
{
    EnsureLayout();
    const RECT client = ClientRect(m_hwnd);
    const int width = std::max(1, static_cast<int>(client.right));
    const int height = std::max(1, static_cast<int>(client.bottom));
    // Painting into a memory bitmap first keeps partial frames off the screen.
    const UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(dc, width, height));
    if (!memory || !bitmap) {
        return;
    }
    const SelectObjectScope select(memory.get(), bitmap.get());
    ::FillRect(memory.get(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    m_view.Paint(memory.get(), area, m_scroll.Position());
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), area.left,
        area.top, SRCCOPY);
}

void BrowserWindow::Relayout()
{
    m_layoutValid = false;
    if (m_hwnd != nullptr) {
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
    }
}

void BrowserWindow::EnsureLayout()
{
    if (m_layoutValid || m_hwnd == nullptr) {
        return;
    }
    // Showing or hiding the scroll bar resizes the client area, which asks for one
    // more layout at the new width. Without the bar, the first pass stops as soon as
    // the page is known to be taller than the window: the bar then shows, and only the
    // narrower layout is needed whole. A stopped pass never stays; should the bar go
    // again (content that overflows a box of set height ends up short), a third pass
    // lays the page out at the full width; the last keeps the bar as it is.
    for (int pass = 0; pass < 3 && !m_layoutValid; ++pass) {
        m_layoutValid = true;
        const WindowDc dc(m_hwnd);
        const RECT client = ClientRect(m_hwnd);
        const bool barShows = (::GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_VSCROLL) != 0;
        m_view.Layout(dc.get(), client.right, pass == 0 && !barShows ? client.bottom : 0);
        UpdateScrollBar();
        m_layoutValid = m_layoutValid && m_view.LaidOutWhole();
    }
    m_layoutValid = true;
    if (!m_fragment.empty()) {
        if (const auto top = m_view.AnchorTop(m_fragment)) {
            ScrollTo(*top);
        }
    }
}

void BrowserWindow::UpdateScrollBar()
{
    m_scroll.SetExtent(m_view.ContentHeight(), ClientRect(m_hwnd).bottom);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(m_scroll.ContentHeight() - 1, 0);
    info.nPage = static_cast<UINT>(m_scroll.ViewportHeight());
    info.nPos = m_scroll.Position();
    // The bar shows only while the page is taller than the window.
    (void)::SetScrollInfo(m_hwnd, SB_VERT, &info, TRUE);
    ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void BrowserWindow::ScrollTo(int y)
{
    EnsureLayout();
    if (m_scroll.ScrollTo(y)) {
        (void)::SetScrollPos(m_hwnd, SB_VERT, m_scroll.Position(), TRUE);  // the bar follows when it shows
        ::InvalidateRect(m_hwnd, nullptr, FALSE);
        if (m_mouse.has_value()) {
            OnHover(m_mouse);  // the page moved under a mouse that stood still
        }
    }
}

// Scrolling by hand ends the hold of a #fragment on the view.
void BrowserWindow::UserScroll(std::optional<int> y)
{
    if (y.has_value()) {
        m_fragment.clear();
        ScrollTo(*y);
    }
}

bool BrowserWindow::OnKeyDown(WPARAM virtualKey)
{
    const auto target = m_scroll.TargetForKey(static_cast<UINT>(virtualKey), ::GetKeyState(VK_SHIFT) < 0);
    UserScroll(target);
    return target.has_value();
}

void BrowserWindow::OnScrollBar(WPARAM request)
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    // The thumb's 32-bit position; the 16 bits in wParam cannot hold a long page's.
    const int track = ::GetScrollInfo(m_hwnd, SB_VERT, &info) ? info.nTrackPos : m_scroll.Position();
    UserScroll(m_scroll.TargetForScrollBar(LOWORD(request), track));
}

bool BrowserWindow::ScrollToFragment(const std::wstring& fragment)
{
    EnsureLayout();
    const auto top = m_view.AnchorTop(fragment);
    if (!top.has_value()) {
        return false;
    }
    m_fragment = fragment;
    ScrollTo(*top);
    return true;
}

void BrowserWindow::ShowDocument(DomNodePtr document, const std::wstring& url)
{
    m_view.SetDocument(std::move(document), url);
    m_hasDocument = true;
    m_pressedLink.reset();  // a press on the last page's link opens nothing on this one
    m_scroll.ScrollTo(0);
    m_fragment = FragmentOf(url);
    Relayout();
}

void BrowserWindow::UpdateDocument(DomNodePtr document)
{
    m_view.ReplaceDocument(std::move(document));
    Relayout();
}

void BrowserWindow::SetImage(const std::wstring& url, std::vector<unsigned char> bytes)
{
    m_view.SetImage(url, std::move(bytes));
    Relayout();
}

std::vector<std::wstring> BrowserWindow::ImageUrls()
{
    EnsureLayout();
    return m_view.ImageUrls();
}

void BrowserWindow::SetStylesheet(const std::wstring& url, std::string_view bytes)
{
    m_view.SetStylesheet(url, bytes);
    Relayout();
}

PageView::Hit BrowserWindow::HitAt(LPARAM clientPoint)
{
    EnsureLayout();
    const POINT content{PointX(clientPoint), PointY(clientPoint) + m_scroll.Position()};
    return m_view.HitTest(content);
}

void BrowserWindow::OnHover(std::optional<POINT> clientPoint)
{
    if (clientPoint.has_value() && !m_trackingMouse) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_hwnd, 0};
        m_trackingMouse = ::TrackMouseEvent(&track) != FALSE;
    }
    m_mouse = clientPoint;
    EnsureLayout();
    std::optional<POINT> content = clientPoint;
    if (content.has_value()) {
        content->y += m_scroll.Position();
    }
    switch (m_view.HoverAt(content)) {
    case PageView::HoverChange::Repaint: ::InvalidateRect(m_hwnd, nullptr, FALSE); break;
    case PageView::HoverChange::Relayout: Relayout(); break;
    case PageView::HoverChange::None: break;
    }
}

void BrowserWindow::OnLeftButtonDown(LPARAM clientPoint)
{
    (void)::SetFocus(m_hwnd);
    m_pressedLink.reset();
    if (PageView::Hit hit = HitAt(clientPoint); !hit.linkUrl.empty()) {
        // Captured, so that a release outside the window ends the press too.
        (void)::SetCapture(m_hwnd);
        m_pressedLink = std::move(hit);
    }
}

void BrowserWindow::OnLeftButtonUp(LPARAM clientPoint)
{
    const std::optional<PageView::Hit> pressed = std::move(m_pressedLink);
    m_pressedLink.reset();
    if (::GetCapture() == m_hwnd) {
        (void)::ReleaseCapture();
    }
    const RECT client = ClientRect(m_hwnd);
    if (!pressed || !::PtInRect(&client, POINT{PointX(clientPoint), PointY(clientPoint)})) {
        return;  // released outside the window, over whatever the page has below it
    }
    const PageView::Hit hit = HitAt(clientPoint);
    const bool sameLink = hit.linkUrl == pressed->linkUrl && hit.linkTarget == pressed->linkTarget;
    if (sameLink && m_owner != nullptr) {
        m_owner->OnLinkClicked(hit.linkUrl, hit.linkTarget);
    }
}

void BrowserWindow::OnRightClick(LPARAM clientPoint)
{
    if (m_owner != nullptr) {
        const POINT point{PointX(clientPoint), PointY(clientPoint)};
        m_owner->OnContextMenu(point, HitAt(clientPoint));
    }
}

} // namespace engine
