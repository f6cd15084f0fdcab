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
        CefRefPtr<FakeFrame> frame = new FakeFrame();
        frame->main = c.mainFrame;
        const CefRefPtr<CefBrowser> browser = new FakeBrowser(frame.get());
        CefRefPtr<CCefHandler> handler = new CCefHandler();
        RecordingWindow window;
        handler->SetWebLoadCallback(nullptr, &window);
        c.fire(*handler, browser, frame.get());
        EXPECT_THAT(window.Of(nullptr), ElementsAreArray(c.reported)) << c.name;
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
    }
}

} // namespace
