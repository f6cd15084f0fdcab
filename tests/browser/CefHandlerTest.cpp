#include "browser/CefHandler.h"

#include <gmock/gmock.h>

#include <functional>

#include "FakeBrowser.h"
#include "RecordingWindow.h"
#include "engine/api/ContextMenuParams.h"
#include "engine/api/MenuModel.h"

namespace {

using browser_test::FakeBrowser;
using browser_test::FakeFrame;
using browser_test::RecordingWindow;
using ::testing::ElementsAreArray;

using Fire = std::function<void(CCefHandler&, CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>)>;

struct EventCase {
    const char* name;
    bool mainFrame;
    Fire fire;
    std::vector<std::wstring> reported;
};

Fire Fail(cef_errorcode_t code)
{
    return [code](CCefHandler& h, CefRefPtr<CefBrowser> b, CefRefPtr<CefFrame> f) {
        h.OnLoadError(b, f, code, L"", FakeFrame::kUrl);
    };
}

Fire Title(const wchar_t* title)
{
    return [title](CCefHandler& h, CefRefPtr<CefBrowser> b, CefRefPtr<CefFrame>) { h.OnTitleChange(b, title); };
}

bool AskForPopup(CCefHandler& handler)
{
    CefWindowInfo windowInfo;
    CefRefPtr<CefClient> client = &handler;
    CefBrowserSettings settings;
    return handler.OnBeforePopup(nullptr, nullptr, L"http://live.example.com/match", L"_blank",
                                 WOD_NEW_FOREGROUND_TAB, true, CefPopupFeatures(), windowInfo, client, settings,
                                 nullptr);
}

TEST(CefHandler, ReportsMainFrameEventsToTheWindowOnly)
{
    const Fire start = [](CCefHandler& h, CefRefPtr<CefBrowser> b, CefRefPtr<CefFrame> f) { h.OnLoadStart(b, f); };
    const Fire end = [](CCefHandler& h, CefRefPtr<CefBrowser> b, CefRefPtr<CefFrame> f) { h.OnLoadEnd(b, f, 404); };
    const std::wstring error = std::wstring(L"error:") + FakeFrame::kUrl;
    const EventCase cases[] = {
        {"start", true, start, {L"start"}},
        {"start of a sub-frame", false, start, {}},
        {"end, whatever the status", true, end, {L"end"}},
        {"end of a sub-frame", false, end, {}},
        {"failure", true, Fail(ERR_CONNECTION_REFUSED), {error}},
        {"time-out", true, Fail(ERR_TIMED_OUT), {error}},
        {"failure of a sub-frame", false, Fail(ERR_CONNECTION_REFUSED), {}},
        {"superseded or stopped load", true, Fail(ERR_ABORTED), {}},
        {"title", true, Title(L"直播中心"), {L"title:直播中心"}},
        {"no title", true, Title(L""), {L"title:(null)"}},
    };
    for (const auto& c : cases) {
        for (const bool windowGone : {false, true}) {
            CefRefPtr<FakeFrame> frame = new FakeFrame();
            frame->main = c.mainFrame;
            const CefRefPtr<CefBrowser> browser = new FakeBrowser(frame.get());
            CefRefPtr<CCefHandler> handler = new CCefHandler();
            RecordingWindow window;
            handler->SetWebLoadCallback(nullptr, &window);
            if (windowGone) {
                handler->SetWebLoadCallback(nullptr, nullptr);
            }
            c.fire(*handler, browser, frame.get());
            const auto expected = windowGone ? std::vector<std::wstring>() : c.reported;
            EXPECT_THAT(window.Of(nullptr), ElementsAreArray(expected)) << c.name << (windowGone ? ", window gone" : "");
        }
    }
}

TEST(CefHandler, PopupIsTheWindowsToAnswer)
{
    struct PopupCase {
        const char* name;
        bool withWindow;
        bool windowCancels;
        bool cancelled;
        int asked;
    };
    const PopupCase cases[] = {
        {"window opens a tab", true, true, true, 1},
        {"window lets the engine open it", true, false, false, 1},
        {"no window: no pop-up at all", false, false, true, 0},
    };
    for (const auto& c : cases) {
        CefRefPtr<CCefHandler> handler = new CCefHandler();
        RecordingWindow window;
        window.cancelPopups = c.windowCancels;
        handler->SetWebLoadCallback(nullptr, c.withWindow ? &window : nullptr);
        EXPECT_EQ(c.cancelled, AskForPopup(*handler)) << c.name;
        EXPECT_EQ(c.asked, window.Count(nullptr, L"popup:http://live.example.com/match")) << c.name;
    }
}

// Items as command ids, "-" for a separator.
std::vector<std::wstring> Describe(engine::MenuModel& model)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < model.GetCount(); ++i) {
        const int id = model.GetCommandIdAt(i);
        items.push_back(model.GetTypeAt(i) == MENUITEMTYPE_SEPARATOR ? L"-" : std::to_wstring(id));
    }
    return items;
}

TEST(CefHandler, ShapesTheContextMenu)
{
    struct MenuCase {
        const char* name;
        std::vector<int> before; // 0: a separator
        int flags;
        MediaType media;
        std::vector<std::wstring> after;
    };
    const std::vector<int> engineDefault = {100, 101, 102, 0, 131, 132};
    const int image = CM_TYPEFLAG_PAGE | CM_TYPEFLAG_MEDIA;
    const MenuCase cases[] = {
        {"page", engineDefault, CM_TYPEFLAG_PAGE, CM_MEDIATYPE_NONE, {L"100", L"101", L"-", L"102", L"103"}},
        {"image", engineDefault, image, CM_MEDIATYPE_IMAGE, {L"100", L"101", L"-", L"102", L"103", L"26501"}},
        {"image in a link", {0, 131}, image | CM_TYPEFLAG_LINK, CM_MEDIATYPE_IMAGE, {L"102", L"103", L"26501"}},
        {"leading separator", {0, 0, 132}, CM_TYPEFLAG_PAGE, CM_MEDIATYPE_NONE, {L"-", L"102", L"103"}},
        {"video", {}, image, CM_MEDIATYPE_VIDEO, {L"102", L"103"}},
        {"image type without the media flag", {}, CM_TYPEFLAG_PAGE, CM_MEDIATYPE_IMAGE, {L"102", L"103"}},
    };
    for (const auto& c : cases) {
        CefRefPtr<engine::MenuModel> model = new engine::MenuModel();
        for (const int id : c.before) {
            (void)(id == 0 ? model->AddSeparator() : model->AddItem(id, L"engine"));
        }
        engine::ContextMenuParams::Values values;
        values.typeFlags = c.flags;
        values.mediaType = c.media;
        CefRefPtr<CCefHandler> handler = new CCefHandler();
        handler->OnBeforeContextMenu(nullptr, nullptr, new engine::ContextMenuParams(values), model.get());
        EXPECT_THAT(Describe(*model), ElementsAreArray(c.after)) << c.name;
        EXPECT_EQ(L"刷新", model->GetLabel(102).ToWString()) << c.name;
        EXPECT_EQ(L"重新加载", model->GetLabel(103).ToWString()) << c.name;
        EXPECT_EQ(c.after.back() == L"26501" ? L"复制图片" : L"", model->GetLabel(26501).ToWString()) << c.name;
    }
}

class RecordingDownloadCallback final : public CefBeforeDownloadCallback {
public:
    void Continue(const CefString& downloadPath, bool showDialog) override
    {
        calls.push_back(downloadPath.ToWString() + (showDialog ? L"|dialog" : L"|silent"));
    }

    std::vector<std::wstring> calls;
    IMPLEMENT_REFCOUNTING(RecordingDownloadCallback);
};

TEST(CefHandler, DownloadAsksWhereToSaveWithTheSuggestedName)
{
    CefRefPtr<CCefHandler> handler = new CCefHandler();
    CefRefPtr<RecordingDownloadCallback> callback = new RecordingDownloadCallback();
    handler->OnBeforeDownload(nullptr, nullptr, L"report.bin", callback.get());
    EXPECT_THAT(callback->calls, ElementsAreArray({L"|dialog"}));
}

} // namespace
