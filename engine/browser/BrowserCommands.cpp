// Browser: links, pop-ups, the context menu and downloads.
#include "common/UniqueHandle.h"
#include "engine/api/ContextMenuParams.h"
#include "engine/api/MenuModel.h"
#include "engine/browser/Browser.h"
#include "engine/browser/BrowserWindow.h"
#include "engine/browser/Download.h"
#include "engine/browser/DownloadCallback.h"
#include "engine/browser/MainFrame.h"
#include "engine/browser/MenuPresenter.h"

namespace engine {
namespace {

struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

[[nodiscard]] bool OpensNewWindow(const std::wstring& target)
{
    return !target.empty() && target != L"_self" && target != L"_top" && target != L"_parent";
}

[[nodiscard]] CefRefPtr<MenuModel> DefaultMenu(bool canGoBack, bool canGoForward)
{
    CefRefPtr<MenuModel> model = new MenuModel();
    model->AddItem(MENU_ID_BACK, L"Back");
    model->AddItem(MENU_ID_FORWARD, L"Forward");
    model->AddItem(MENU_ID_RELOAD, L"Reload");
    model->AddSeparator();
    model->AddItem(MENU_ID_PRINT, L"Print...");
    model->AddItem(MENU_ID_VIEW_SOURCE, L"View source");
    model->SetEnabled(MENU_ID_BACK, canGoBack);
    model->SetEnabled(MENU_ID_FORWARD, canGoForward);
    return model;
}

[[nodiscard]] UniqueMenu BuildMenu(const MenuModel& model)
{
    UniqueMenu menu(::CreatePopupMenu());
    for (const auto& item : model.Items()) {
        if (!menu) {
            break;
        }
        if (item.type == MENUITEMTYPE_SEPARATOR) {
            (void)::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            const UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
            (void)::AppendMenuW(menu.get(), flags, static_cast<UINT_PTR>(item.commandId), item.label.c_str());
        }
    }
    return menu;
}

[[nodiscard]] ContextMenuParams::Values ParamsFor(POINT point, const PageView::Hit& hit, const std::wstring& pageUrl)
{
    ContextMenuParams::Values values;
    values.point = point;
    values.pageUrl = pageUrl;
    values.linkUrl = hit.linkUrl;
    values.typeFlags = CM_TYPEFLAG_PAGE;
    if (!hit.linkUrl.empty()) {
        values.typeFlags |= CM_TYPEFLAG_LINK;
    }
    if (hit.onImage) {
        values.typeFlags |= CM_TYPEFLAG_MEDIA;
        values.mediaType = CM_MEDIATYPE_IMAGE;
        values.sourceUrl = hit.imageUrl;
    }
    return values;
}

} // namespace

void Browser::OnLinkClicked(const std::wstring& url, const std::wstring& target)
{
    if (url.rfind(L"javascript:", 0) == 0) {
        return;  // Scripts do not run.
    }
    if (OpensNewWindow(target)) {
        OpenPopup(url, target);
    } else if (const size_t hash = url.find(L'#'); hash != std::wstring::npos &&
               url.compare(0, hash, m_url, 0, m_url.find(L'#')) == 0 && m_window != nullptr) {
        (void)m_window->ScrollToFragment(url.substr(hash + 1));  // a missing target leaves the view alone
    } else {
        Navigate(url);
    }
}

void Browser::OpenPopup(const std::wstring& url, const std::wstring& targetName)
{
    CefWindowInfo windowInfo;
    windowInfo.SetAsPopup(nullptr, CefString());
    CefRefPtr<CefClient> client = m_client;
    CefBrowserSettings settings;
    bool noJavascriptAccess = false;
    if (auto lifeSpan = m_client ? m_client->GetLifeSpanHandler() : nullptr) {
        if (lifeSpan->OnBeforePopup(this, m_frame.get(), url, targetName, WOD_NEW_FOREGROUND_TAB, true,
                CefPopupFeatures(), windowInfo, client, settings, &noJavascriptAccess)) {
            return;
        }
    }
    (void)Create(windowInfo, client, url, true);
}

void Browser::OnContextMenu(POINT clientPoint, const PageView::Hit& hit)
{
    const HWND hwnd = GetWindowHandle();
    auto handler = m_client ? m_client->GetContextMenuHandler() : nullptr;
    CefRefPtr<ContextMenuParams> params = new ContextMenuParams(ParamsFor(clientPoint, hit, m_url));
    CefRefPtr<MenuModel> model = DefaultMenu(CanGoBack(), CanGoForward());
    if (handler) {
        handler->OnBeforeContextMenu(this, m_frame.get(), params.get(), model.get());
    }
    const UniqueMenu menu = BuildMenu(*model);
    POINT screen = clientPoint;
    (void)::ClientToScreen(hwnd, &screen);
    const int command = model->GetCount() > 0 && menu ? PresentMenu(hwnd, menu.get(), screen) : 0;
    if (command > 0 && !(handler && handler->OnContextMenuCommand(this, m_frame.get(), params.get(), command,
                                        EVENTFLAG_RIGHT_MOUSE_BUTTON))) {
        RunCommand(command);
    }
    if (handler) {
        handler->OnContextMenuDismissed(this, m_frame.get());
    }
}

void Browser::RunCommand(int commandId)
{
    switch (commandId) {
    case MENU_ID_BACK: GoBack(); break;
    case MENU_ID_FORWARD: GoForward(); break;
    case MENU_ID_RELOAD: Reload(); break;
    case MENU_ID_RELOAD_NOCACHE: ReloadIgnoreCache(); break;
    case MENU_ID_STOPLOAD: StopLoad(); break;
    default: break;  // Printing and the source view are not available.
    }
}

void Browser::StartDownload(const FetchResult& result)
{
    static unsigned int lastDownloadId = 0;
    auto handler = m_client ? m_client->GetDownloadHandler() : nullptr;
    if (!handler) {
        return;  // Without a handler nobody could say where to save: the download is dropped.
    }
    CefRefPtr<Download> download = new Download(++lastDownloadId, m_url, result);
    handler->OnBeforeDownload(this, download.get(), download->GetSuggestedFileName(),
        new DownloadCallback(m_id, download));
}

} // namespace engine
