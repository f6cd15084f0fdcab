// Notifications: synchronous ones reach the sender's listeners and then the window
// before SendNotify returns; queued ones arrive in order after the current message,
// never for a control that went away. Message filters and accelerators.

#include "ManagerFixture.h"

using probe::Log;

namespace {

class ManagerNotify : public probe::ManagerTest {
protected:
    void SetUp() override
    {
        m_a = Add(L"a", {10, 10, 60, 60});
        m_b = Add(L"b", {100, 10, 150, 60});
        Attach();
    }

    probe::CProbeUI* m_a = nullptr;
    probe::CProbeUI* m_b = nullptr;
};

TEST_F(ManagerNotify, SynchronousAtOnceQueuedAfterTheNextMessageInOrder)
{
    struct SenderListener {
        Log* log;
        bool OnNotify(void* param)
        {
            log->push_back("listener:" + std::to_string(static_cast<DuiLib::TNotifyUI*>(param)->wParam));
            return true;
        }
    } listener{&m_log};
    m_a->NotifyListeners += DuiLib::MakeDelegate(&listener, &SenderListener::OnNotify);
    Manager().SendNotify(m_a, L"q1", 1, 0, true);
    Manager().SendNotify(m_b, L"q2", 2, 0, true);
    Manager().SendNotify(m_a, L"now", 3, 0, false);
    EXPECT_EQ((Log{"listener:3", "notify:now:a"}), m_log);
    m_log.clear();
    EXPECT_EQ(1, m_window.Pump(DuiLib::WM_DUI_DELAYED_CLEANUP, DuiLib::WM_DUI_DELAYED_CLEANUP))
        << "queuing posts one message that delivers the queue";
    EXPECT_EQ((Log{"listener:1", "notify:q1:a", "notify:q2:b"}), m_log);
}

TEST_F(ManagerNotify, QueuedFromANotifierArrivesAfterTheCurrentMessage)
{
    struct Requeue final : DuiLib::INotifyUI {
        DuiLib::CPaintManagerUI* manager;
        void Notify(DuiLib::TNotifyUI& msg) override
        {
            if (msg.sType == L"click") {
                manager->SendNotify(msg.pSender, L"later", 0, 0, true);
            }
        }
    } requeue;
    requeue.manager = &Manager();
    Manager().AddNotifier(&requeue);
    m_a->SetClicks(true);
    m_window.SendMouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_log.clear();
    m_window.SendMouse(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ((Log{"a:up", "notify:click:a", "notify:later:a"}), m_log);
    Manager().RemoveNotifier(&requeue);
}

TEST_F(ManagerNotify, QueuedNotificationsOfADeletedControlAreDropped)
{
    Manager().SendNotify(m_a, L"gone", 0, 0, true);
    Manager().SendNotify(m_b, L"kept", 0, 0, true);
    m_root->Delete(m_a);
    m_window.Send(WM_NULL);
    EXPECT_EQ((Log{"notify:kept:b"}), m_log);
}

TEST_F(ManagerNotify, FiltersSeeMessagesFirstAndAcceleratorsConsumeThem)
{
    struct Filter final : DuiLib::IMessageFilterUI {
        UINT wanted = 0;
        int seen = 0;
        LRESULT MessageHandler(UINT msg, WPARAM, LPARAM, bool& handled) override
        {
            ++seen;
            handled = msg == wanted;
            return 42;
        }
    } filter, preFilter;
    filter.wanted = WM_USER + 5;
    preFilter.wanted = WM_KEYDOWN;
    Manager().AddMessageFilter(&filter);
    EXPECT_FALSE(Manager().AddMessageFilter(&filter)) << "registered once";
    Manager().AddPreMessageFilter(&preFilter);
    EXPECT_EQ(42, m_window.Send(WM_USER + 5));
    EXPECT_EQ(0, m_window.Send(WM_USER + 6));
    EXPECT_EQ(2, filter.seen);

    MSG msg{m_window.Hwnd(), WM_KEYDOWN, 'Q', 0, 0, {0, 0}};
    EXPECT_TRUE(DuiLib::CPaintManagerUI::TranslateMessage(&msg));
    EXPECT_EQ(1, preFilter.seen);

    struct Accelerator final : DuiLib::ITranslateAccelerator {
        LRESULT TranslateAccelerator(MSG* m) override { return m->message == WM_CHAR ? 0 : 1; }
    } accelerator;
    Manager().AddTranslateAccelerator(&accelerator);
    msg.message = WM_CHAR;
    EXPECT_TRUE(DuiLib::CPaintManagerUI::TranslateMessage(&msg));
    EXPECT_EQ(1, preFilter.seen) << "an accelerator that translated ends the pre-translation";
    MSG foreign{::GetDesktopWindow(), WM_KEYDOWN, 'Q', 0, 0, {0, 0}};
    EXPECT_FALSE(DuiLib::CPaintManagerUI::TranslateMessage(&foreign));
    Manager().RemoveMessageFilter(&filter);
    Manager().RemovePreMessageFilter(&preFilter);
    Manager().RemoveTranslateAccelerator(&accelerator);
}

} // namespace
