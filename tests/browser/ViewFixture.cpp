#include "ViewFixture.h"

#include <algorithm>

namespace browser_test {

void ViewFixture::SetUp()
{
    ASSERT_TRUE(enginetest::InitialiseEngine(m_files));
    m_root = new DuiLib::CHorizontalLayoutUI();
    ASSERT_TRUE(m_window.Manager().AttachDialog(m_root));
}

void ViewFixture::TearDown()
{
    CefShutdown();
    EXPECT_EQ(0, CCefHandler::GetLiveBrowserCount());
}

CCefWebkitUI* ViewFixture::AddView(const std::wstring& url, DuiLib::CContainerUI* parent, bool waitForBrowser)
{
    auto* view = new CCefWebkitUI(url.c_str());
    view->GetHandler()->SetWebLoadCallback(view, &m_recorder);
    EXPECT_TRUE((parent != nullptr ? parent : m_root)->Add(view));
    if (waitForBrowser) {
        EXPECT_TRUE(enginetest::RunLoopUntil([view] { return view->GetBrowserWindow() != nullptr; }));
    }
    return view;
}

void ViewFixture::Layout()
{
    m_window.Manager().NeedUpdate();
    (void)::InvalidateRect(m_window.Hwnd(), nullptr, FALSE);
    m_window.Paint();
}

bool ViewFixture::WaitForLoads(CCefWebkitUI* view, int count)
{
    return enginetest::RunLoopUntil([&] {
        const auto& events = m_recorder.Of(view);
        return std::count_if(events.begin(), events.end(), [](const std::wstring& event) {
                   return event == L"end" || event.rfind(L"error:", 0) == 0;
               }) >= count;
    });
}

std::wstring ViewFixture::ServePage(const std::string& path, const std::string& title, const std::string& body)
{
    m_server.Serve(path, {200, "text/html; charset=utf-8", "", "<title>" + title + "</title><body>" + body});
    return m_server.Url(path);
}

} // namespace browser_test
