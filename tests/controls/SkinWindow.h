#pragma once
// A real test window whose tree the dialog builder makes from markup, with the
// application's controls created through the builder callback as a skinned window's
// CreateControl does, and a notifier that logs the window's notifications.

#include "controls/AppControlFactory.h"
#include "duilib/core/DialogBuilder.h"

#include "tests/duilib/core/manager/ManagerFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace controls_test {

class AppControlCallback final : public DuiLib::IDialogBuilderCallback {
public:
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override
    {
        asked.emplace_back(pstrClass);
        return CAppControlFactory::CreateControl(pstrClass);
    }
    std::vector<std::wstring> asked;
};

class SkinWindow {
public:
    // initWindow runs where a skinned window's InitWindow does: once the tree has joined
    // the window, before its first layout.
    SkinWindow(const wchar_t* markup, int width, int height,
               const std::function<void(SkinWindow&)>& initWindow = nullptr)
        : notifier(&log), window(width, height)
    {
        window.Manager().AddNotifier(&notifier);
        DuiLib::CDialogBuilder builder;
        root = builder.Create(markup, nullptr, &callback, &window.Manager());
        window.Manager().AttachDialog(root);
        if (initWindow) {
            initWindow(*this);
        }
        window.Paint();
    }

    template <typename T>
    [[nodiscard]] T* Find(const wchar_t* name) const
    {
        return dynamic_cast<T*>(window.Manager().FindControl(name));
    }

    // Lays out and paints what changed, then deletes the controls removed meanwhile.
    void Settle()
    {
        window.Paint();
        (void)window.Pump(DuiLib::WM_DUI_DELAYED_CLEANUP, DuiLib::WM_DUI_DELAYED_CLEANUP);
    }

    AppControlCallback callback;
    probe::Log log;
    probe::LogNotifier notifier; // outlives the manager, which may notify while it goes
    probe::TestWindow window;
    DuiLib::CControlUI* root = nullptr; // owned by the manager
};

} // namespace controls_test
