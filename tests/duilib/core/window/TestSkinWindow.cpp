#include "TestSkinWindow.h"

#include "WindowTestSupport.h"

#include "duilib/control/ControlUI.h"
#include "duilib/core/WndShadow.h"

namespace windowtest {

CTestSkinWindow::CTestSkinWindow(const wchar_t* markup, DuiLib::UILIB_RESOURCETYPE type, LPCTSTR resourceId)
    : m_markup(markup), m_type(type), m_resourceId(resourceId)
{
}

HWND CTestSkinWindow::Open(int x, int y)
{
    const HWND hWnd = Create(nullptr, L"skin test", WS_OVERLAPPEDWINDOW, 0, x, y, 200, 150);
    if (hWnd != nullptr) {
        ShowWindow(true, false);
        PumpPending();
    }
    return hWnd;
}

std::wstring CTestSkinWindow::ControlText(const wchar_t* name)
{
    DuiLib::CControlUI* control = m_pm.FindControl(name);
    return control != nullptr ? std::wstring(control->GetText().GetData()) : L"<none>";
}

bool CTestSkinWindow::IsControlVisible(const wchar_t* name)
{
    DuiLib::CControlUI* control = m_pm.FindControl(name);
    return control != nullptr && control->IsVisible();
}

void CTestSkinWindow::OnClick(DuiLib::TNotifyUI& msg)
{
    const DuiLib::CDuiString& name = msg.pSender->GetName();
    clicks.push_back("click:" + std::string(name.GetData(), name.GetData() + name.GetLength()));
    WindowImplBase::OnClick(msg);
}

LRESULT CTestSkinWindow::HandleCustomMessage(UINT uMsg, WPARAM /*wParam*/, LPARAM /*lParam*/, BOOL& bHandled)
{
    custom.push_back(uMsg);
    if (uMsg == WM_CLOSE) {
        ++closeRequests;
        bHandled = TRUE;
    } else if (uMsg == takenMessage) {
        bHandled = TRUE;
        return 77;
    }
    return 0;
}

void SetUpFramework()
{
    DuiLib::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    if (!DuiLib::CWndShadow::IsInitialized()) {
        (void)DuiLib::CWndShadow::Initialize(::GetModuleHandleW(nullptr)); // true: the first call of the process
    }
}

void ForgetSkinZip()
{
    DuiLib::CPaintManagerUI::SetResourceZip(L"", false);
}

void ClickAt(HWND hWnd, POINT client, int clicks)
{
    ::ClientToScreen(hWnd, &client);
    ::SetCursorPos(client.x, client.y);
    for (int i = 0; i < clicks; ++i) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, input, sizeof(INPUT));
    }
}

void PumpThroughFramework()
{
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

namespace {

struct ShadowSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchShadow(HWND candidate, LPARAM lParam)
{
    auto* search = reinterpret_cast<ShadowSearch*>(lParam);
    wchar_t name[32] = {};
    ::GetClassNameW(candidate, name, 32);
    if (::GetWindow(candidate, GW_OWNER) == search->owner && std::wstring(name) == L"TarvoShadowWnd") {
        search->found = candidate;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND ShadowOf(HWND hWnd)
{
    ShadowSearch search{hWnd, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchShadow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace windowtest
