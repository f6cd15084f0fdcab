// WindowImplBase: the skin, set up and built when the window is created.

#include "duilib/core/WindowImplBase.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/StringOrId.h"

#include <cstdlib>

namespace DuiLib {

namespace {

// The skin's zip archive from a "DAT" resource; null when it cannot be had.
[[nodiscard]] LPBYTE LockZipResource(LPCTSTR id, DWORD& size) noexcept
{
    const HINSTANCE module = CPaintManagerUI::GetResourceDll();
    const HRSRC resource = ::FindResourceW(module, id, L"DAT");
    const HGLOBAL loaded = resource != nullptr ? ::LoadResource(module, resource) : nullptr;
    size = resource != nullptr ? ::SizeofResource(module, resource) : 0;
    if (loaded == nullptr || size == 0) {
        return nullptr;
    }
    return static_cast<LPBYTE>(::LockResource(loaded));
}

} // namespace

LRESULT WindowImplBase::OnCreate(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, BOOL& /*bHandled*/)
{
    // Step 1: no system caption or frame (WM_NCCALCSIZE makes the whole window client
    // area); the window keeps its place and its client size.
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_CAPTION)) | WS_CLIPSIBLINGS |
                                               WS_CLIPCHILDREN);
    RECT rcClient{};
    ::GetClientRect(m_hWnd, &rcClient);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcClient.right - rcClient.left, rcClient.bottom - rcClient.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // Step 2: the manager takes the window.
    m_pm.Init(m_hWnd);
    m_pm.AddPreMessageFilter(this);
    // Step 3: where the skin comes from; a missing zip resource leaves the window bare.
    if (!SetUpSkinSource()) {
        return 0;
    }
    // Steps 4 and 5: a skin that cannot be built ends the program.
    CControlUI* root = BuildSkin();
    if (root == nullptr) {
        ::MessageBoxW(nullptr, L"加载资源文件失败", L"Duilib", MB_OK | MB_ICONERROR);
        ::ExitProcess(1);
    }
    // Step 6: the tree, its notifications and the system buttons.
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    FindSystemButtons();
    InitWindow();
    return 0;
}

bool WindowImplBase::SetUpSkinSource()
{
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + GetSkinDirectory());
    switch (GetResourceType()) {
    case UILIB_FROM_ZIPFILE:
        CPaintManagerUI::SetResourceZip(GetZIPFileName().GetData(), true);
        return true;
    case UILIB_FROM_ZIPRESOURCE: {
        DWORD size = 0;
        LPBYTE bytes = LockZipResource(GetResourceID(), size);
        if (bytes == nullptr) {
            return false;
        }
        m_lpResourceZIPBuffer = bytes;
        CPaintManagerUI::SetResourceZip(bytes, size);
        return true;
    }
    default:
        return true;
    }
}

CControlUI* WindowImplBase::BuildSkin()
{
    CDialogBuilder builder;
    const CDuiString markup = GetSkinMarkupFile();
    if (GetResourceType() == UILIB_FROM_RESOURCE) {
        const STRINGorID id(static_cast<UINT>(_wtoi(markup.GetData())));
        return builder.Create(id, L"xml", this, &m_pm, nullptr);
    }
    return builder.Create(markup.GetData(), nullptr, this, &m_pm, nullptr);
}

void WindowImplBase::FindSystemButtons()
{
    m_pbtnClose = m_pm.FindControl(L"btn_sys_close");
    m_pbtnMax = m_pm.FindControl(L"btn_sys_max");
    m_pbtnRestore = m_pm.FindControl(L"btn_sys_restore");
    m_pbtnMin = m_pm.FindControl(L"btn_sys_min");
    if (m_pbtnRestore != nullptr) {
        m_pbtnRestore->SetVisible(false);
    }
}

UILIB_RESOURCETYPE WindowImplBase::GetResourceType() const
{
    return UILIB_FROM_FOLDER;
}

CDuiString WindowImplBase::GetZIPFileName() const
{
    return CDuiString();
}

LPCTSTR WindowImplBase::GetResourceID() const
{
    return L"";
}

} // namespace DuiLib
