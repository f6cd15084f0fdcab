// Right clicks: the default model, the parameters, the client's changes and the
// dispatch of the chosen command.
#include <gmock/gmock.h>

#include "EngineFixture.h"
#include "MenuUser.h"
#include "PageProbe.h"
#include "engine/browser/MenuPresenter.h"
#include "engine/dom/Url.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;

struct SeenParams {
    int flags = -1;
    int media = -1;
    std::wstring link;
    std::wstring source;
    std::vector<std::wstring> model;
};

const std::string kPage = "<html><body><p>Plain text</p>"
                          "<a href=\"more.htm\"><img src=\"pic.png\" width=\"120\" height=\"80\"></a></body></html>";

class ContextMenu : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        engine::SetMenuPresenterForTesting(&MenuUser::Present);
        m_page = m_files.Write(L"menu.htm", kPage);
        m_browser = CreateChild(m_page);
        ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:") == 1; }));
        m_client->beforeContextMenu = [this](CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model) {
            m_seen.flags = params->GetTypeFlags();
            m_seen.media = params->GetMediaType();
            m_seen.link = params->GetLinkUrl().ToWString();
            m_seen.source = params->GetSourceUrl().ToWString();
            for (int i = 0; i < model->GetCount(); ++i) {
                m_seen.model.push_back(model->GetTypeAt(i) == MENUITEMTYPE_SEPARATOR
                        ? L"-" : std::to_wstring(model->GetCommandIdAt(i)));
            }
            // What the application does with the model.
            model->Remove(132);
            model->Remove(131);
            model->AddItem(26501, L"Copy image");
        };
    }

    void TearDown() override
    {
        engine::SetMenuPresenterForTesting(nullptr);
        EngineFixture::TearDown();
    }

    void RightClickAt(POINT point)
    {
        const int menus = m_client->Count(L"menu");
        Click(m_browser->GetHost()->GetWindowHandle(), point, true);
        ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"menu") > menus; }));
        Settle();
    }

    std::wstring m_page;
    CefRefPtr<CefBrowser> m_browser;
    SeenParams m_seen;
};

TEST_F(ContextMenu, PlainAreaGetsTheDefaultModelAndTheClientsCommand)
{
    MenuUser::choice = 26501;
    m_client->contextMenuCommand = [](int id) { return id == 26501; };
    RightClickAt(POINT{390, 290});
    EXPECT_EQ(CM_TYPEFLAG_PAGE, m_seen.flags);
    EXPECT_EQ(CM_MEDIATYPE_NONE, m_seen.media);
    EXPECT_EQ(L"", m_seen.link);
    EXPECT_THAT(m_seen.model, ElementsAre(L"100", L"101", L"102", L"-", L"131", L"132"));
    EXPECT_THAT(MenuUser::shown, ElementsAre(L"100 Back (off)", L"101 Forward (off)", L"102 Reload", L"-",
                                     L"26501 Copy image"));
    EXPECT_EQ(1, m_client->Count(L"command:26501"));
    EXPECT_EQ(1, m_client->Count(L"state:1"));  // handled by the client: no reload
}

TEST_F(ContextMenu, UnhandledReloadCommandReloadsThePage)
{
    MenuUser::choice = MENU_ID_RELOAD;
    RightClickAt(POINT{390, 290});
    ASSERT_TRUE(RunLoopUntil([&] { return m_client->Count(L"end:200") == 2; }));
    EXPECT_EQ(1, m_client->Count(L"command:102"));
    EXPECT_EQ(m_page, m_browser->GetMainFrame()->GetURL().ToWString());
}

TEST_F(ContextMenu, DismissedMenuRunsNoCommand)
{
    MenuUser::choice = 0;
    RightClickAt(POINT{390, 290});
    EXPECT_EQ(0, m_client->Count(L"command:"));
}

TEST_F(ContextMenu, ImageInsideALinkReportsMediaAndBothAddresses)
{
    MenuUser::choice = 0;
    const auto point =
        FindPoint(kPage, m_page, 400, 300, [](const engine::PageView::Hit& hit) { return hit.onImage; });
    ASSERT_TRUE(point.has_value());
    RightClickAt(*point);
    EXPECT_EQ(CM_TYPEFLAG_PAGE | CM_TYPEFLAG_LINK | CM_TYPEFLAG_MEDIA, m_seen.flags);
    EXPECT_EQ(CM_MEDIATYPE_IMAGE, m_seen.media);
    EXPECT_EQ(engine::ResolveUrl(m_page, L"more.htm"), m_seen.link);
    EXPECT_EQ(engine::ResolveUrl(m_page, L"pic.png"), m_seen.source);
}

} // namespace
} // namespace enginetest
