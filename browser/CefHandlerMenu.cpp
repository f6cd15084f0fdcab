// CCefHandler: the page context menu and downloads.
#include "CefHandler.h"

#include "ClipboardText.h"

namespace {

constexpr wchar_t kReloadLabel[] = L"刷新";
constexpr wchar_t kReloadNoCacheLabel[] = L"重新加载";
constexpr wchar_t kCopyImageLabel[] = L"复制图片";

// Each command once, at the end: a model that already offers it would list it twice.
void AppendOnce(CefMenuModel& model, int commandId, const wchar_t* label)
{
    while (model.Remove(commandId)) {
    }
    (void)model.AddItem(commandId, label);
}

} // namespace

void CCefHandler::OnBeforeContextMenu(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                      CefRefPtr<CefContextMenuParams> params, CefRefPtr<CefMenuModel> model)
{
    if (params == nullptr || model == nullptr) {
        return;
    }
    const int flags = params->GetTypeFlags();
    if (model->GetTypeAt(0) == MENUITEMTYPE_SEPARATOR) {
        (void)model->RemoveAt(0);
    }
    AppendOnce(*model, MENU_ID_RELOAD, kReloadLabel);
    AppendOnce(*model, MENU_ID_RELOAD_NOCACHE, kReloadNoCacheLabel);
    (void)model->Remove(MENU_ID_VIEW_SOURCE);
    (void)model->Remove(MENU_ID_PRINT);
    if ((flags & CM_TYPEFLAG_MEDIA) != 0 && params->GetMediaType() == CM_MEDIATYPE_IMAGE) {
        ::OutputDebugStringW(params->GetLinkUrl().c_str());
        ::OutputDebugStringW(params->GetSourceUrl().c_str());
        (void)model->AddItem(kCopyImageCommand, kCopyImageLabel);
    }
}

bool CCefHandler::OnContextMenuCommand(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefFrame> /*frame*/,
                                       CefRefPtr<CefContextMenuParams> params, int commandId,
                                       EventFlags /*eventFlags*/)
{
    if (commandId != kCopyImageCommand) {
        return false; // the reload commands run as the engine's own
    }
    // The address copied is the link's: an image without a link puts empty text there.
    // A clipboard another program holds open just leaves it as it was; nothing is shown.
    (void)CopyTextToClipboard(params != nullptr ? params->GetLinkUrl().ToWString() : std::wstring());
    return true;
}

void CCefHandler::OnBeforeDownload(CefRefPtr<CefBrowser> /*browser*/, CefRefPtr<CefDownloadItem> /*downloadItem*/,
                                   const CefString& /*suggestedName*/, CefRefPtr<CefBeforeDownloadCallback> callback)
{
    if (callback != nullptr) {
        callback->Continue(CefString(), true);
    }
}
