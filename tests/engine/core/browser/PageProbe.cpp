#include "PageProbe.h"

#include "engine/dom/HtmlParser.h"

namespace enginetest {

std::optional<POINT> FindPoint(const std::string& html, const std::wstring& baseUrl, int width, int height,
    const std::function<bool(const engine::PageView::Hit&)>& wanted)
{
    engine::PageView view;
    view.SetDocument(engine::ParseHtml(std::wstring(html.begin(), html.end())), baseUrl);
    const HDC screen = ::GetDC(nullptr);
    view.Layout(screen, width);
    ::ReleaseDC(nullptr, screen);
    for (int y = 2; y < height; y += 3) {
        for (int x = 2; x < width; x += 3) {
            if (wanted(view.HitTest(POINT{x, y}))) {
                return POINT{x, y};
            }
        }
    }
    return std::nullopt;
}

void Click(HWND window, POINT point, bool right)
{
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
    ::PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
}

} // namespace enginetest
