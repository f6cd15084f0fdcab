// The view control with the real engine: where its browser window stands, when it shows,
// what it loads.
#include <gmock/gmock.h>

#include "FakeBrowser.h"
#include "ViewFixture.h"

namespace browser_test {
namespace {

using CefWebkitUIView = ViewFixture;

// The window's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND window)
{
    RECT rc{};
    (void)::GetWindowRect(window, &rc);
    (void)::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

TEST(CefWebkitUI, AnswersOnlyItsOwnInterfaceName)
{
    CCefWebkitUI view;
    EXPECT_STREQ(L"CefWebkitUI", view.GetClass());
    EXPECT_EQ(&view, view.GetInterface(L"CefWebkit"));
    EXPECT_EQ(&view, view.GetInterface(L"Control"));
    for (const wchar_t* name : {L"CefWebkitUI", L"cefwebkit", L"", static_cast<const wchar_t*>(nullptr)}) {
        EXPECT_EQ(nullptr, view.GetInterface(name));
    }
}

TEST(CefWebkitUI, ItsClientReachesNothingOnceTheViewIsGone)
{
    RecordingWindow window;
    auto* view = new CCefWebkitUI(L"http://live.example.com/");
    const CefRefPtr<CCefHandler> handler = view->GetHandler();
    handler->SetWebLoadCallback(view, &window);
    handler->SetDelegate(view);
    delete view;
    CefRefPtr<FakeFrame> frame = new FakeFrame();
    const CefRefPtr<CefBrowser> browser = new FakeBrowser(frame.get());
    handler->OnAfterCreated(browser);
    handler->OnLoadStart(browser, frame.get());
    handler->OnTitleChange(browser, L"late");
    handler->OnLoadEnd(browser, frame.get(), 200);
    CefWindowInfo popupWindow;
    CefRefPtr<CefClient> popupClient;
    CefBrowserSettings popupSettings;
    EXPECT_TRUE(handler->OnBeforePopup(browser, frame.get(), L"http://live.example.com/1", L"_blank",
                                       WOD_NEW_FOREGROUND_TAB, true, CefPopupFeatures(), popupWindow, popupClient,
                                       popupSettings, nullptr)); // no window to open it: no pop-up at all
    EXPECT_TRUE(window.Of(view).empty());
    EXPECT_EQ(nullptr, handler->GetOwner());
    handler->OnBeforeClose(browser);
    EXPECT_EQ(0, CCefHandler::GetLiveBrowserCount());
}

TEST_F(CefWebkitUIView, BrowserWindowFollowsLayoutAndVisibility)
{
    auto* spacer = new DuiLib::CControlUI();
    spacer->SetFixedWidth(100);
    auto* box = new DuiLib::CHorizontalLayoutUI();
    m_root->Add(spacer);
    m_root->Add(box);
    CCefWebkitUI* view = AddView(L"", box, false);
    Layout(); // before the browser arrives: only the control moves
    const RECT expected{100, 0, kWidth, kHeight};
    EXPECT_EQ(expected, view->GetPos());
    ASSERT_TRUE(enginetest::RunLoopUntil([view] { return view->GetBrowserWindow() != nullptr; }));
    const HWND window = view->GetBrowserWindow();
    EXPECT_EQ(m_window.Hwnd(), ::GetParent(window));
    EXPECT_EQ(expected, PlaceOf(window));

    spacer->SetFixedWidth(200);
    Layout();
    EXPECT_EQ((RECT{200, 0, kWidth, kHeight}), PlaceOf(window));
    box->SetVisible(false);
    EXPECT_FALSE(::IsWindowVisible(window));
    box->SetVisible(true);
    EXPECT_TRUE(::IsWindowVisible(window));
    view->SetInternVisible(false);
    EXPECT_FALSE(::IsWindowVisible(window));
}

TEST_F(CefWebkitUIView, LoadsTheUrlAttributeAndNothingForAnEmptyAddress)
{
    const std::wstring page = ServePage("/home", "Home");
    struct UrlCase {
        const wchar_t* attribute;
        std::vector<std::wstring> events;
    };
    const UrlCase cases[] = {
        {L"url", {L"start", L"title:Home", L"end"}},
        {L"URL", {}}, // names are case-sensitive: not the address
    };
    for (const auto& c : cases) {
        auto* view = new CCefWebkitUI();
        view->SetAttribute(c.attribute, page.c_str());
        view->GetHandler()->SetWebLoadCallback(view, &m_recorder);
        m_root->Add(view);
        ASSERT_TRUE(enginetest::RunLoopUntil([view] { return view->GetBrowserWindow() != nullptr; }));
        if (!c.events.empty()) {
            ASSERT_TRUE(WaitForLoads(view, 1));
        }
        view->LoadURL(L"");
        view->LoadURL(nullptr);
        enginetest::Settle();
        EXPECT_EQ(c.events, m_recorder.Of(view)) << c.attribute;
    }
}

} // namespace
} // namespace browser_test
