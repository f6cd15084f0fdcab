#include "TestWindow.h"

#include <windowsx.h>

namespace probe {

namespace {

constexpr wchar_t kClassName[] = L"ZvProbeWindow";

void RegisterOnce(WNDPROC proc)
{
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return ::RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

TestWindow::TestWindow(int width, int height, bool visible, DWORD exStyle, int x, int y)
{
    RegisterOnce(&TestWindow::WndProc);
    m_hwnd = ::CreateWindowExW(exStyle, kClassName, L"probe", WS_POPUP, x, y, width, height, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    m_manager.Init(m_hwnd);
    if (visible) {
        ::ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    }
}

TestWindow::~TestWindow() noexcept
{
    ::DestroyWindow(m_hwnd);
}

LRESULT TestWindow::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hwnd, msg, wParam, lParam);
}

LRESULT TestWindow::SendMouse(UINT msg, int x, int y, WPARAM keys) const
{
    return Send(msg, keys, MAKELPARAM(x, y));
}

int TestWindow::Pump(UINT first, UINT last) const
{
    int count = 0;
    MSG msg{};
    while (::PeekMessageW(&msg, m_hwnd, first, last, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
        ++count;
    }
    return count;
}

void TestWindow::Paint() const
{
    ::UpdateWindow(m_hwnd);
}

int TestWindow::Unhandled(UINT msg) const
{
    return msg < 0x400 ? m_unhandled[msg] : 0;
}

LRESULT CALLBACK TestWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && self->m_hwnd != nullptr && msg != WM_NCDESTROY) {
        LRESULT result = 0;
        if (self->m_manager.MessageHandler(msg, wParam, lParam, result)) {
            return result;
        }
        if (msg < 0x400) {
            ++self->m_unhandled[msg];
        }
    }
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    if (msg == WM_CLOSE) {
        return 0; // the test owns the window's life
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace probe
