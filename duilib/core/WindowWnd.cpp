// CWindowWnd: class registration, creation, the window procedures and subclassing.
// Showing and placement are in WindowWndPlacement.cpp.

#include "duilib/core/WindowWnd.h"

#include "duilib/core/PaintManager.h"

namespace DuiLib {

namespace {

// Superclassed windows keep their own class's user data; the object hangs here instead.
constexpr wchar_t kObjectProperty[] = L"WndX";

[[nodiscard]] bool Registered(ATOM atom) noexcept
{
    return atom != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

CWindowWnd::~CWindowWnd() noexcept
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd)) {
        return;
    }
    if (m_bSubclassed) {
        Unsubclass();
    }
    if (::GetWindowLongPtrW(m_hWnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this)) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
    }
    if (::GetPropW(m_hWnd, kObjectProperty) == this) {
        (void)::RemovePropW(m_hWnd, kObjectProperty); // the returned value is this object
    }
}

bool CWindowWnd::RegisterWindowClass()
{
    WNDCLASSW wc{};
    wc.style = GetClassStyle();
    wc.lpfnWndProc = &CWindowWnd::__WndProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = GetWindowClassName();
    return Registered(::RegisterClassW(&wc));
}

bool CWindowWnd::RegisterSuperclass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, GetSuperClassName(), &wc) &&
        !::GetClassInfoExW(CPaintManagerUI::GetInstance(), GetSuperClassName(), &wc)) {
        return false;
    }
    m_OldWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = &CWindowWnd::__ControlProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    return Registered(::RegisterClassExW(&wc));
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx,
                        int cy, HMENU hMenu)
{
    const bool registered = GetSuperClassName() != nullptr ? RegisterSuperclass() : RegisterWindowClass();
    if (!registered) {
        return nullptr;
    }
    const HWND hWnd = ::CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent,
                                        hMenu, CPaintManagerUI::GetInstance(), this);
    // A failed creation has run WM_NCDESTROY, whose OnFinalMessage may have deleted
    // this object: it is touched only when the window exists.
    if (hWnd != nullptr) {
        m_hWnd = hWnd;
    }
    return hWnd;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc,
                        HMENU hMenu)
{
    return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                  hMenu);
}

HWND CWindowWnd::CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle, DWORD dwExStyle)
{
    return Create(hwndParent, pstrWindowName, dwStyle, dwExStyle, 0, 0, 0, 0, nullptr);
}

HWND CWindowWnd::Subclass(HWND hWnd)
{
    const auto previous = ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowWnd::__WndProc));
    if (previous == 0) {
        return nullptr;
    }
    m_OldWndProc = reinterpret_cast<WNDPROC>(previous);
    m_bSubclassed = true;
    m_hWnd = hWnd;
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_hWnd;
}

void CWindowWnd::Unsubclass()
{
    if (!::IsWindow(m_hWnd) || !m_bSubclassed) {
        return;
    }
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    m_OldWndProc = ::DefWindowProcW;
    m_bSubclassed = false;
}

LPCTSTR CWindowWnd::GetSuperClassName() const
{
    return nullptr;
}

UINT CWindowWnd::GetClassStyle() const
{
    return 0;
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND /*hWnd*/) {}

LRESULT CWindowWnd::Dispatch(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept
{
    // No exception may unwind through the system's frames above this one.
    try {
        return HandleMessage(uMsg, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}

LRESULT CWindowWnd::FinalMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, ObjectSlot slot) noexcept
{
    const LRESULT lRes = ::CallWindowProcW(m_OldWndProc, hWnd, uMsg, wParam, lParam);
    if (slot == ObjectSlot::UserData) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
    }
    if (m_bSubclassed) {
        Unsubclass();
    }
    if (slot == ObjectSlot::Property) {
        (void)::RemovePropW(hWnd, kObjectProperty); // returns this object, which is known
    }
    m_hWnd = nullptr;
    m_bigIcon.reset();
    m_smallIcon.reset();
    try {
        OnFinalMessage(hWnd);
    } catch (...) {
        // Nothing is left to undo: the window is gone either way.
    }
    return lRes;
}

LRESULT CWindowWnd::Route(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, ObjectSlot slot) noexcept
{
    CWindowWnd* pThis = nullptr;
    if (uMsg == WM_NCCREATE) {
        pThis = static_cast<CWindowWnd*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (pThis != nullptr) {
            pThis->m_hWnd = hWnd;
            if (slot == ObjectSlot::UserData) {
                ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
            } else {
                (void)::SetPropW(hWnd, kObjectProperty, pThis); // without it only the default procedure runs
            }
        }
    } else {
        pThis = slot == ObjectSlot::UserData
                    ? reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA))
                    : static_cast<CWindowWnd*>(::GetPropW(hWnd, kObjectProperty));
        if (uMsg == WM_NCDESTROY && pThis != nullptr) {
            return pThis->FinalMessage(hWnd, uMsg, wParam, lParam, slot);
        }
    }
    if (pThis != nullptr && ::IsWindow(pThis->m_hWnd)) {
        return pThis->Dispatch(hWnd, uMsg, wParam, lParam);
    }
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowWnd::__WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept
{
    return Route(hWnd, uMsg, wParam, lParam, ObjectSlot::UserData);
}

LRESULT CALLBACK CWindowWnd::__ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) noexcept
{
    return Route(hWnd, uMsg, wParam, lParam, ObjectSlot::Property);
}

} // namespace DuiLib
