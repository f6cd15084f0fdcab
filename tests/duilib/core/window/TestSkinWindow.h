#pragma once
// A skinned window built from the window test skins, which records what reaches its
// overridable parts, and the helpers its tests drive it with.

#include "duilib/core/WindowImplBase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace windowtest {

class CTestSkinWindow final : public DuiLib::WindowImplBase {
public:
    explicit CTestSkinWindow(const wchar_t* markup, DuiLib::UILIB_RESOURCETYPE type = DuiLib::UILIB_FROM_FOLDER,
                             LPCTSTR resourceId = MAKEINTRESOURCEW(102));

    // Creates the window as the application does (an overlapped window whose frame the
    // skin replaces) at x, y; shows it without activation and paints it.
    HWND Open(int x = 100, int y = 80);
    // The named control's text and visibility; "<none>" and false without such a control.
    [[nodiscard]] std::wstring ControlText(const wchar_t* name);
    [[nodiscard]] bool IsControlVisible(const wchar_t* name);

    // "click:name" for each click notification, in order.
    std::vector<std::string> clicks;
    // Messages that reached HandleCustomMessage.
    std::vector<UINT> custom;
    // WM_CLOSE requests, which the window keeps from closing it.
    int closeRequests = 0;
    // HandleCustomMessage answers this message itself with 77.
    UINT takenMessage = 0;

protected:
    [[nodiscard]] LPCTSTR GetWindowClassName() const override { return L"ZvTestSkinWindow"; }
    [[nodiscard]] DuiLib::CDuiString GetSkinDirectory() override { return L"window_skin"; }
    [[nodiscard]] DuiLib::CDuiString GetSkinMarkupFile() override { return m_markup; }
    [[nodiscard]] DuiLib::UILIB_RESOURCETYPE GetResourceType() const override { return m_type; }
    [[nodiscard]] DuiLib::CDuiString GetZIPFileName() const override { return L"skin.zip"; }
    [[nodiscard]] LPCTSTR GetResourceID() const override { return m_resourceId; }
    void OnClick(DuiLib::TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

private:
    DuiLib::CDuiString m_markup;
    DuiLib::UILIB_RESOURCETYPE m_type;
    LPCTSTR m_resourceId;
};

// Loads the module into the framework and registers the shadow class, once.
void SetUpFramework();
// Each test starts from a process-wide state without a skin zip, as a process that
// has not opened any window yet.
void ForgetSkinZip();

class SkinWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() { SetUpFramework(); }
    void SetUp() override { ForgetSkinZip(); }
};
// A real left click (or double click) at a point in the window's client area,
// through the system's input queue.
void ClickAt(HWND hWnd, POINT client, int clicks = 1);
// Dispatches pending messages the way the framework's message loop does: the paint
// managers see each one first.
void PumpThroughFramework();
// The shadow window that the window owns; null without one.
[[nodiscard]] HWND ShadowOf(HWND hWnd);

} // namespace windowtest
