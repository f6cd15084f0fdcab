#include "duilib/core/WndShadow.h"

#include "common/Handles.h"
#include "duilib/core/OffscreenBitmap.h"
#include "duilib/core/RenderEngine.h"

#include <vector>

namespace DuiLib {

HINSTANCE CWndShadow::s_hInstance = reinterpret_cast<HINSTANCE>(INVALID_HANDLE_VALUE);
CWndShadow::UpdateLayeredWindowProc CWndShadow::s_UpdateLayeredWindow = nullptr;

namespace {

constexpr wchar_t kClassName[] = L"TarvoShadowWnd";
// The parent carries its shadow object and the procedure the shadow replaced.
constexpr wchar_t kThisProperty[] = L"CWndShadow-This";
constexpr wchar_t kProcProperty[] = L"CWndShadow-Proc";

// Status flags.
constexpr BYTE kEnabled = 1;
constexpr BYTE kVisible = 2;
constexpr BYTE kParentVisible = 4;
constexpr BYTE kDisabled = 8;

constexpr int kMaxSize = 20;
constexpr int kMaxSharpness = 20;
constexpr int kMaxOffset = 20;

[[nodiscard]] bool IsMaxOrMin(LONG_PTR style) noexcept
{
    return (style & (WS_MAXIMIZE | WS_MINIMIZE)) != 0;
}

[[nodiscard]] LONG_PTR StyleOf(HWND hWnd) noexcept
{
    return ::GetWindowLongPtrW(hWnd, GWL_STYLE);
}

// The rows of the parent's window region, or of its whole rectangle without one.
[[nodiscard]] std::vector<TShadowSpan> ShapeOf(HWND hParent, int width, int height)
{
    const RECT whole{0, 0, width, height};
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    const int kind = region ? ::GetWindowRgn(hParent, region.get()) : ERROR;
    if (kind != SIMPLEREGION && kind != COMPLEXREGION) {
        return CSoftShadow::SpansOf(&whole, 1, width, height);
    }
    const DWORD bytes = ::GetRegionData(region.get(), 0, nullptr);
    std::vector<BYTE> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (bytes == 0 || ::GetRegionData(region.get(), bytes, data) == 0) {
        return CSoftShadow::SpansOf(&whole, 1, width, height);
    }
    return CSoftShadow::SpansOf(reinterpret_cast<const RECT*>(data->Buffer), static_cast<int>(data->rdh.nCount),
                                width, height);
}

} // namespace

bool CWndShadow::Initialize(HINSTANCE hInstance)
{
    if (IsInitialized()) {
        return false;
    }
    // Through void* because GCC warns about casts between unrelated function types.
    s_UpdateLayeredWindow = reinterpret_cast<UpdateLayeredWindowProc>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"USER32.DLL"), "UpdateLayeredWindow")));
    if (s_UpdateLayeredWindow == nullptr) {
        return false;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kClassName;
    if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    s_hInstance = hInstance;
    return true;
}

bool CWndShadow::IsInitialized() noexcept
{
    return s_hInstance != reinterpret_cast<HINSTANCE>(INVALID_HANDLE_VALUE);
}

CWndShadow::~CWndShadow() noexcept
{
    Detach();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd);
    }
}

void CWndShadow::Detach() noexcept
{
    if (m_hParent == nullptr || !::IsWindow(m_hParent) || ::GetPropW(m_hParent, kThisProperty) != this) {
        return;
    }
    (void)::RemovePropW(m_hParent, kThisProperty); // returns this object
    // Only a procedure still on top can be put back; a later subclass keeps calling
    // ours, which then forwards through the property.
    if (::GetWindowLongPtrW(m_hParent, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWndShadow::ParentProc)) {
        ::SetWindowLongPtrW(m_hParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::GetPropW(m_hParent, kProcProperty)));
        (void)::RemovePropW(m_hParent, kProcProperty); // returns the procedure just put back
    }
}

void CWndShadow::Create(HWND hParentWnd, CPaintManagerUI* pManager)
{
    m_hParent = hParentWnd;
    m_pManager = pManager;
    if (s_UpdateLayeredWindow == nullptr || m_hWnd != nullptr || !::IsWindow(hParentWnd)) {
        return;
    }
    m_hWnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                               hParentWnd, nullptr, s_hInstance, nullptr);
    if (m_hWnd == nullptr) {
        return;
    }
    m_Status = kEnabled;
    Show(hParentWnd);
    // The properties come first: ParentProc finds its way on through them.
    const LONG_PTR previous = ::GetWindowLongPtrW(hParentWnd, GWLP_WNDPROC);
    if (!::SetPropW(hParentWnd, kProcProperty, reinterpret_cast<HANDLE>(previous)) ||
        !::SetPropW(hParentWnd, kThisProperty, this)) {
        (void)::RemovePropW(hParentWnd, kProcProperty); // returns the procedure or nothing
        return;
    }
    ::SetWindowLongPtrW(hParentWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndShadow::ParentProc));
}

LRESULT CALLBACK CWndShadow::ParentProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept
{
    const auto previous = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kProcProperty));
    const LRESULT lRes = previous != nullptr ? ::CallWindowProcW(previous, hwnd, uMsg, wParam, lParam)
                                             : ::DefWindowProcW(hwnd, uMsg, wParam, lParam);
    // After the parent: it may have deleted its shadow meanwhile, and the shadow sees
    // the parent's new state (its region after a resize).
    if (auto* pThis = static_cast<CWndShadow*>(::GetPropW(hwnd, kThisProperty))) {
        try {
            pThis->OnParentMessage(hwnd, uMsg, wParam);
        } catch (...) {
            // A shadow that could not be drawn this time is drawn at the next change.
        }
    }
    if (uMsg == WM_NCDESTROY) {
        (void)::RemovePropW(hwnd, kProcProperty); // the window is gone; nothing calls it again
    }
    return lRes;
}

void CWndShadow::OnParentMessage(HWND hParent, UINT uMsg, WPARAM wParam)
{
    switch (uMsg) {
    case WM_MOVE:
        FollowMove(hParent);
        break;
    case WM_SIZE:
        if (wParam == SIZE_RESTORED) {
            m_bIsShadowPrepared = false;
            SetPrepared();
        } else if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
            Hide();
        }
        break;
    case WM_SHOWWINDOW:
        ShowFor(hParent, wParam != 0 ? StyleOf(hParent) | WS_VISIBLE : StyleOf(hParent) & ~WS_VISIBLE);
        break;
    case WM_SIZING:
        UpdateIfVisible();
        break;
    case WM_EXITSIZEMOVE:
        if (m_bIsShadowPrepared) {
            UpdateIfVisible();
        }
        break;
    case WM_DESTROY:
        if (m_hWnd != nullptr) {
            ::DestroyWindow(m_hWnd);
            m_hWnd = nullptr;
        }
        break;
    case WM_NCDESTROY:
        (void)::RemovePropW(hParent, kThisProperty); // returns this object
        m_hParent = nullptr;
        break;
    default:
        break;
    }
}

void CWndShadow::FollowMove(HWND hParent)
{
    RECT rcParent{};
    if (!IsVisible() || IsMaxOrMin(StyleOf(hParent)) || !::GetWindowRect(hParent, &rcParent)) {
        return;
    }
    const RECT rc = ShadowRect(rcParent);
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWndShadow::Show(HWND hParent)
{
    ShowFor(hParent, StyleOf(hParent));
}

void CWndShadow::ShowFor(HWND hParent, LONG_PTR parentStyle)
{
    if (m_hWnd == nullptr) {
        return;
    }
    m_Status &= kEnabled | kDisabled;
    if ((m_Status & kEnabled) != 0 && (m_Status & kDisabled) == 0 && (parentStyle & WS_VISIBLE) != 0) {
        m_Status |= kParentVisible;
        if (!IsMaxOrMin(parentStyle)) {
            m_Status |= kVisible;
        }
    }
    if ((m_Status & kVisible) == 0) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    Update(hParent);
    // Before the parent's first paint the shadow would surround an empty window.
    if (m_bIsShadowPrepared) {
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    }
}

void CWndShadow::Hide()
{
    m_Status &= static_cast<BYTE>(~kVisible);
    if (m_hWnd != nullptr) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

void CWndShadow::SetPrepared()
{
    if (m_hWnd == nullptr || m_hParent == nullptr) {
        return;
    }
    if (IsMaxOrMin(StyleOf(m_hParent))) {
        Hide();
        return;
    }
    if (m_bIsShadowPrepared) {
        return;
    }
    m_bIsShadowPrepared = true;
    Show(m_hParent);
}

bool CWndShadow::IsVisible() const noexcept
{
    return m_hWnd != nullptr && (m_Status & kVisible) != 0;
}

void CWndShadow::UpdateIfVisible()
{
    if (IsVisible()) {
        Update(m_hParent);
    }
}

RECT CWndShadow::ShadowRect(const RECT& rcParent) const noexcept
{
    if (IsImageMode()) {
        return RECT{rcParent.left - m_rcShadowBorder.left, rcParent.top - m_rcShadowBorder.top,
                    rcParent.right + m_rcShadowBorder.right, rcParent.bottom + m_rcShadowBorder.bottom};
    }
    const int left = rcParent.left + m_params.xOffset - m_params.size;
    const int top = rcParent.top + m_params.yOffset - m_params.size;
    return RECT{left, top, left + (rcParent.right - rcParent.left) + 2 * m_params.size,
                top + (rcParent.bottom - rcParent.top) + 2 * m_params.size};
}

void CWndShadow::Update(HWND hParent)
{
    RECT rcParent{};
    if (m_hWnd == nullptr || IsMaxOrMin(StyleOf(hParent)) || !::GetWindowRect(hParent, &rcParent)) {
        return;
    }
    const RECT rc = ShadowRect(rcParent);
    SIZE size{rc.right - rc.left, rc.bottom - rc.top};
    COffscreenBitmap canvas(nullptr, size.cx, size.cy);
    if (!canvas.IsValid()) {
        return;
    }
    if (IsImageMode()) {
        const RECT whole{0, 0, size.cx, size.cy};
        // A missing image leaves the canvas transparent: no shadow, but a working window.
        (void)CRenderEngine::DrawImageString(canvas.GetDC(), m_pManager, whole, whole, m_sShadowImage);
        ::GdiFlush();
    } else {
        MakeShadow(canvas.GetBits(), hParent, &rcParent);
    }
    POINT ptDst{rc.left, rc.top};
    POINT ptSrc{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    (void)s_UpdateLayeredWindow(m_hWnd, nullptr, &ptDst, &size, canvas.GetDC(), &ptSrc, 0, &blend,
                                ULW_ALPHA); // a refused update keeps the previous shadow
}

void CWndShadow::MakeShadow(DWORD* pShadBits, HWND hParent, const RECT* rcParent)
{
    const int width = rcParent->right - rcParent->left;
    const int height = rcParent->bottom - rcParent->top;
    CSoftShadow::Render(pShadBits, width + 2 * m_params.size, height + 2 * m_params.size,
                        ShapeOf(hParent, width, height), m_params);
}

bool CWndShadow::SetSize(int NewSize)
{
    if (NewSize < -kMaxSize || NewSize > kMaxSize) {
        return false;
    }
    m_params.size = NewSize;
    UpdateIfVisible();
    return true;
}

bool CWndShadow::SetSharpness(unsigned int NewSharpness)
{
    if (NewSharpness > kMaxSharpness) {
        return false;
    }
    m_params.sharpness = static_cast<int>(NewSharpness);
    UpdateIfVisible();
    return true;
}

bool CWndShadow::SetDarkness(unsigned int NewDarkness)
{
    if (NewDarkness > 255) {
        return false;
    }
    m_params.darkness = static_cast<BYTE>(NewDarkness);
    UpdateIfVisible();
    return true;
}

bool CWndShadow::SetPosition(int NewXOffset, int NewYOffset)
{
    if (NewXOffset < -kMaxOffset || NewXOffset > kMaxOffset || NewYOffset < -kMaxOffset || NewYOffset > kMaxOffset) {
        return false;
    }
    m_params.xOffset = NewXOffset;
    m_params.yOffset = NewYOffset;
    UpdateIfVisible();
    return true;
}

bool CWndShadow::SetColor(COLORREF NewColor)
{
    m_params.color = NewColor;
    UpdateIfVisible();
    return true;
}

void CWndShadow::SetBkImage(LPCTSTR szImage)
{
    m_sShadowImage = szImage;
}

void CWndShadow::SetBorder(const RECT& rcBorder)
{
    m_rcShadowBorder = rcBorder;
}

} // namespace DuiLib
