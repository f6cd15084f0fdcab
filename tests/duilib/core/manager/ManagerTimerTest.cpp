// Control timers: native ids from the window's counter, a running timer refused, a
// killed one restarted on its native id, and no delivery to a control that went away.

#include "ManagerFixture.h"

using probe::Log;

namespace {

class ManagerTimer : public probe::ManagerTest {
protected:
    void SetUp() override
    {
        m_a = Add(L"a", {10, 10, 60, 60});
        m_b = Add(L"b", {100, 10, 150, 60});
        Attach();
    }

    void Tick(UINT nativeId) { m_window.Send(WM_TIMER, nativeId); }

    probe::CProbeUI* m_a = nullptr;
    probe::CProbeUI* m_b = nullptr;
};

TEST_F(ManagerTimer, NativeIdsKillAndReuse)
{
    // Step by step: what SetTimer/KillTimer answer, then which control a tick of each
    // native id reaches.
    EXPECT_TRUE(Manager().SetTimer(m_a, 5, 60000));
    EXPECT_FALSE(Manager().SetTimer(m_a, 5, 60000)) << "already running";
    EXPECT_TRUE(Manager().SetTimer(m_b, 5, 60000));
    Tick(17);
    Tick(18);
    EXPECT_EQ((Log{"a:timer5", "b:timer5"}), m_log) << "the first native id of a window is 17";

    m_log.clear();
    EXPECT_TRUE(Manager().KillTimer(m_a, 5));
    EXPECT_FALSE(Manager().KillTimer(m_a, 5));
    Tick(17);
    EXPECT_TRUE(m_log.empty());
    EXPECT_TRUE(Manager().SetTimer(m_a, 5, 60000));
    Tick(17);
    EXPECT_EQ((Log{"a:timer5"}), m_log) << "a restarted timer keeps its native id";

    m_log.clear();
    Manager().KillTimer(m_b);
    EXPECT_FALSE(Manager().KillTimer(m_b, 5));
    Tick(18);
    EXPECT_TRUE(m_log.empty());
}

TEST_F(ManagerTimer, ADeletedControlsTimersAreDropped)
{
    EXPECT_TRUE(Manager().SetTimer(m_a, 1, 60000));
    m_root->Delete(m_a);
    Tick(17);
    EXPECT_TRUE(m_log.empty());
    EXPECT_TRUE(Manager().SetTimer(m_b, 1, 60000));
    Tick(18);
    EXPECT_EQ((Log{"b:timer1"}), m_log);
}

TEST_F(ManagerTimer, NativeIdsStayDistinctAcrossTheWholeCycle)
{
    for (UINT id = 0; id < 255; ++id) {
        ASSERT_TRUE(Manager().SetTimer(m_a, 1000 + id, 60000)) << id;
    }
    EXPECT_FALSE(Manager().SetTimer(m_b, 1, 60000)) << "every native id of the window is taken";
    for (UINT nativeId = 0; nativeId < 255; ++nativeId) {
        Tick(nativeId);
    }
    ASSERT_EQ(255u, m_log.size());
    std::vector<bool> seen(255, false);
    for (const std::string& entry : m_log) {
        const int id = std::stoi(entry.substr(std::string("a:timer").size())) - 1000;
        ASSERT_TRUE(id >= 0 && id < 255 && !seen[static_cast<size_t>(id)]) << entry;
        seen[static_cast<size_t>(id)] = true;
    }
    Manager().RemoveAllTimers();
}

TEST_F(ManagerTimer, APlatformTimerReachesTheControl)
{
    ASSERT_TRUE(Manager().SetTimer(m_a, 9, 10));
    // Waits for real WM_TIMER messages; the bound only catches a hang.
    const DWORD start = ::GetTickCount();
    while (m_log.empty() && ::GetTickCount() - start < 10000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_TIMER);
        m_window.Pump(WM_TIMER, WM_TIMER);
    }
    ASSERT_FALSE(m_log.empty());
    EXPECT_EQ("a:timer9", m_log.front());
    EXPECT_TRUE(Manager().KillTimer(m_a, 9));
}

} // namespace
