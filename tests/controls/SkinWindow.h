#pragma once
// A real skinned window built from markup text, as the main window is: the builder asks
// its CreateControl for the application's element names, InitWindow runs once the tree
// is attached and before the first layout, and its notifications are recorded.

#include "controls/AppControlFactory.h"
#include "duilib/control/ControlUI.h"
#include "duilib/core/WindowImplBase.h"

#include <functional>
#include <string>
#include <vector>

namespace controls_test {

class SkinWindow final : public DuiLib::WindowImplBase {
public:
    // A popup with a client area of width x height, shown without activation and painted.
    SkinWindow(const wchar_t* markup, int width, int height,
               std::function<void(SkinWindow&)> initWindow = nullptr)
        : m_markup(markup), m_initWindow(std::move(initWindow))
    {
        DuiLib::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        (void)Create(nullptr, L"controls", WS_POPUP, 0, 40, 40, width, height); // a failure fails Find
        ShowWindow(true, false);
        Paint();
    }
    ~SkinWindow() noexcept override { ::DestroyWindow(GetHWND()); }

    template <typename T>
    [[nodiscard]] T* Find(const wchar_t* name)
    {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }
    [[nodiscard]] DuiLib::CPaintManagerUI& Manager() noexcept { return m_pm; }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(GetHWND(), msg, wParam, lParam);
    }
    // Client coordinates.
    LRESULT SendMouse(UINT msg, int x, int y, WPARAM keys = 0) const { return Send(msg, keys, MAKELPARAM(x, y)); }
    // Lays out and paints what changed.
    void Paint() const { ::UpdateWindow(GetHWND()); }
    // Paints, then deletes the controls removed meanwhile.
    void Settle() const
    {
        Paint();
        MSG msg{};
        while (::PeekMessageW(&msg, GetHWND(), DuiLib::WM_DUI_DELAYED_CLEANUP, DuiLib::WM_DUI_DELAYED_CLEANUP,
                              PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
    }

    void Notify(DuiLib::TNotifyUI& msg) override
    {
        notifications.emplace_back(msg.sType.GetData());
        WindowImplBase::Notify(msg);
    }
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override
    {
        asked.emplace_back(pstrClass);
        return CAppControlFactory::CreateControl(pstrClass);
    }

    std::vector<std::wstring> asked;         // the names CreateControl was asked for, in order
    std::vector<std::wstring> notifications; // the types, in order

private:
    [[nodiscard]] LPCTSTR GetWindowClassName() const override { return L"ZvAppControlsWindow"; }
    [[nodiscard]] DuiLib::CDuiString GetSkinDirectory() override { return DuiLib::CDuiString(); }
    [[nodiscard]] DuiLib::CDuiString GetSkinMarkupFile() override { return m_markup; }
    void InitWindow() override
    {
        if (m_initWindow) {
            m_initWindow(*this);
        }
    }

    DuiLib::CDuiString m_markup;
    std::function<void(SkinWindow&)> m_initWindow;
};

} // namespace controls_test
