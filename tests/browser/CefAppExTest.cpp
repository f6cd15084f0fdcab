#include "browser/CefAppEx.h"

#include <gtest/gtest.h>

#include "FakeBrowser.h"
#include "VisitorHarness.h"
#include "browser/CefDOMVisitor.h"

namespace {

using browser_test::FakeBrowser;
using browser_test::FakeFrame;
using browser_test::FakeMessage;

class CefAppExTest : public testing::Test {
protected:
    bool Receive(const CefString& name)
    {
        return m_app->OnProcessMessageReceived(m_browser, PID_BROWSER, new FakeMessage(name));
    }

    [[nodiscard]] const CCefDOMVisitor* OnlyVisitor() const
    {
        return m_frame->visitors.size() == 1 ? dynamic_cast<const CCefDOMVisitor*>(m_frame->visitors[0].get())
                                             : nullptr;
    }

    CefRefPtr<CCefAppEx> m_app = new CCefAppEx();
    CefRefPtr<FakeFrame> m_frame = new FakeFrame();
    CefRefPtr<CefBrowser> m_browser = new FakeBrowser(m_frame.get());
};

TEST_F(CefAppExTest, MainMessageVisitsTheMainFrameInMainMode)
{
    EXPECT_TRUE(Receive(L"Msg.Main"));
    const CCefDOMVisitor* visitor = OnlyVisitor();
    ASSERT_NE(visitor, nullptr);
    EXPECT_EQ(visitor->GetMode(), CCefDOMVisitor::Mode::Main);

    auto page = engine::ParseHtml(L"<div class=content>a</div><div>b</div>");
    browser_test::RunVisit(*m_frame->visitors[0], *page);
    EXPECT_EQ(browser_test::BodyStyle(*page), L"padding-top:0px");
    EXPECT_EQ(browser_test::ChildStyle(*page, 1), L"display:none");
}

TEST_F(CefAppExTest, PlayMessageVisitsInPlayMode)
{
    EXPECT_TRUE(Receive(L"Msg.Play"));
    const CCefDOMVisitor* visitor = OnlyVisitor();
    ASSERT_NE(visitor, nullptr);
    EXPECT_EQ(visitor->GetMode(), CCefDOMVisitor::Mode::Play);
}

TEST_F(CefAppExTest, OtherNamesAreNotHandled)
{
    for (const wchar_t* name : {L"msg.main", L"MSG.PLAY", L"Msg.Main ", L"Msg.", L"", L"Msg.Mainx", L"Other"}) {
        EXPECT_FALSE(Receive(name)) << "name: " << name;
    }
    EXPECT_TRUE(m_frame->visitors.empty());
}

TEST_F(CefAppExTest, MissingMessageOrBrowserIsHandledSafely)
{
    EXPECT_FALSE(m_app->OnProcessMessageReceived(m_browser, PID_BROWSER, nullptr));
    EXPECT_TRUE(m_app->OnProcessMessageReceived(nullptr, PID_BROWSER, new FakeMessage(L"Msg.Play")));
    const CefRefPtr<CefBrowser> frameless = new FakeBrowser(nullptr);
    EXPECT_TRUE(m_app->OnProcessMessageReceived(frameless, PID_BROWSER, new FakeMessage(L"Msg.Main")));
    EXPECT_TRUE(m_frame->visitors.empty());
}

TEST_F(CefAppExTest, ServesAsItsOwnProcessAndLoadHandlers)
{
    CefApp& app = *m_app;
    EXPECT_EQ(app.GetBrowserProcessHandler().get(), static_cast<CefBrowserProcessHandler*>(m_app.get()));
    EXPECT_EQ(app.GetRenderProcessHandler().get(), static_cast<CefRenderProcessHandler*>(m_app.get()));
    EXPECT_EQ(app.GetResourceBundleHandler().get(), nullptr);
    EXPECT_EQ(m_app->GetLoadHandler().get(), static_cast<CefLoadHandler*>(m_app.get()));
    CefRenderProcessHandler& renderer = *m_app;
    EXPECT_FALSE(renderer.OnBeforeNavigation(m_browser, m_frame.get(), nullptr, 0, false));
}

} // namespace
