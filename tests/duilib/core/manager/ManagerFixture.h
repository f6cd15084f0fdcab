#pragma once
// A real window with a manager, a probe tree attached and laid out by a first paint,
// and a notifier that writes the window's notifications into the same log as the
// controls' events ("notify:type:sender").

#include "tests/duilib/support/ProbeUI.h"
#include "tests/duilib/support/TestWindow.h"

#include <gtest/gtest.h>

namespace probe {

class LogNotifier final : public DuiLib::INotifyUI {
public:
    explicit LogNotifier(Log* log) : m_log(log) {}
    void Notify(DuiLib::TNotifyUI& msg) override
    {
        std::string entry = "notify:";
        for (const wchar_t* p = msg.sType.GetData(); *p != 0; ++p) {
            entry += static_cast<char>(*p);
        }
        entry += ":";
        for (const wchar_t* p = msg.pSender != nullptr ? msg.pSender->GetName().GetData() : L"null"; *p != 0; ++p) {
            entry += static_cast<char>(*p);
        }
        m_log->push_back(entry);
        last = msg;
    }
    DuiLib::TNotifyUI last;

private:
    Log* m_log;
};

class ManagerTest : public testing::Test {
protected:
    ManagerTest() : m_notifier(&m_log), m_window(200, 200)
    {
        m_root = new CProbePanelUI(&m_log, L"root", RECT{0, 0, 200, 200});
        m_window.Manager().AddNotifier(&m_notifier);
    }

    // Takes the tree as it stands, lays it out and forgets what that logged.
    void Attach()
    {
        m_window.Manager().AttachDialog(m_root);
        m_window.Paint();
        m_log.clear();
    }

    CProbeUI* Add(const wchar_t* name, RECT place, UINT flags = 0, CProbePanelUI* parent = nullptr)
    {
        return (parent != nullptr ? parent : m_root)->Add(new CProbeUI(&m_log, name, place, flags));
    }

    [[nodiscard]] DuiLib::CPaintManagerUI& Manager() { return m_window.Manager(); }

    Log m_log;
    LogNotifier m_notifier; // outlives the manager, which may notify while it goes
    TestWindow m_window;
    CProbePanelUI* m_root; // owned by the manager once attached
};

} // namespace probe
