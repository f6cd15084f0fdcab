// The least a Win32 program can do to show a window like the client's: one 1080 x 700
// pop-up, centred, painted in the skin's background colour. The client probe measures
// it the same way as the client, which gives the figures a floor set by the system.
#include "common/Handles.h"
#include "common/Win32.h"

namespace {

constexpr wchar_t kClassName[] = L"PlainWindowClass";
constexpr int kWidth = 1080;
constexpr int kHeight = 700;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd, &ps);
        const UniqueBrush brush(::CreateSolidBrush(RGB(0x25, 0x1F, 0x29)));
        ::FillRect(dc, &ps.rcPaint, brush.get());
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (::RegisterClassW(&wc) == 0) {
        return 1;
    }
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    if (::CreateWindowExW(0, kClassName, L"Plain window", WS_POPUP | WS_VISIBLE, x, y, kWidth, kHeight,
            nullptr, nullptr, instance, nullptr) == nullptr) {
        return 1;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}
