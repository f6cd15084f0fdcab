// The tree a manager holds: finding controls by point, name and class, the first
// layout's "windowinit", replacing the tree, delayed cleanup, reaping and groups.

#include "ManagerFixture.h"

#include "tests/TestPrinters.h"

#include "duilib/core/StdPtrArray.h"

using probe::Log;

namespace {

class ManagerTree : public probe::ManagerTest {};

TEST_F(ManagerTree, FindControlAtAPointTakesTheTopmostVisibleMouseControl)
{
    auto* below = Add(L"below", {10, 10, 100, 100});
    auto* above = Add(L"above", {50, 50, 150, 150});
    auto* hidden = Add(L"hidden", {0, 0, 200, 200});
    hidden->SetVisible(false);
    auto* deaf = Add(L"deaf", {0, 0, 20, 20});
    deaf->SetMouseEnabled(false);
    Attach();
    const struct {
        POINT pt;
        DuiLib::CControlUI* expected;
    } cases[] = {{{60, 60}, above}, {{20, 20}, below}, {{10, 10}, below}, {{5, 5}, m_root},
                 {{149, 149}, above}, {{150, 150}, m_root}, {{250, 20}, nullptr}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, Manager().FindControl(c.pt)) << c.pt.x << "," << c.pt.y;
    }
}

TEST_F(ManagerTree, NameAndClassFinders)
{
    auto* first = Add(L"twin", {0, 0, 10, 10});
    auto* panel = m_root->Add(new probe::CProbePanelUI(&m_log, L"panel", {20, 0, 100, 100}));
    auto* second = Add(L"Twin", {20, 0, 30, 10}, 0, panel);
    auto* third = Add(L"twin", {30, 0, 40, 10}, 0, panel);
    third->SetClass(L"OtherUI");
    Attach();
    EXPECT_EQ(third, Manager().FindControl(L"twin")) << "the last registration of a name wins";
    EXPECT_EQ(second, Manager().FindControl(L"Twin"));
    EXPECT_EQ(nullptr, Manager().FindControl(L"TWIN"));
    EXPECT_EQ(first, Manager().FindSubControlByName(nullptr, L"TWIN")) << "ignoring case, in tree order";
    EXPECT_EQ(second, Manager().FindSubControlByName(panel, L"twin"));

    // Visiting order: children before their container.
    EXPECT_EQ(first, Manager().FindSubControlByClass(nullptr, L"*", 0));
    EXPECT_EQ(panel, Manager().FindSubControlByClass(nullptr, L"ProbeUI", 2));
    EXPECT_EQ(nullptr, Manager().FindSubControlByClass(nullptr, L"ProbeUI", 4));
    EXPECT_EQ(third, Manager().FindSubControlByClass(panel, L"OtherUI", 0));
    const DuiLib::CStdPtrArray* all = Manager().FindSubControlsByClass(nullptr, L"ProbeUI");
    ASSERT_EQ(4, all->GetSize());
    EXPECT_EQ(second, all->GetAt(1));
    EXPECT_EQ(m_root, all->GetAt(3));
    EXPECT_EQ(all, Manager().GetSubControlsByClass());
}

TEST_F(ManagerTree, WindowInitComesOnceAfterTheFirstLayout)
{
    Add(L"a", {0, 0, 10, 10});
    Manager().AttachDialog(m_root);
    EXPECT_TRUE(m_log.empty()) << "nothing before the first paint";
    m_window.Paint();
    EXPECT_EQ((Log{"notify:windowinit:root"}), m_log);
    EXPECT_EQ((RECT{0, 0, 200, 200}), m_root->GetPos());
    ::SetWindowPos(m_window.Hwnd(), nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_window.Paint();
    EXPECT_EQ((RECT{0, 0, 300, 250}), m_root->GetPos()) << "WM_SIZE lays the root out again";
    EXPECT_EQ(1u, m_log.size());
}

TEST_F(ManagerTree, AReplacedTreeIsDeletedAfterTheCurrentMessage)
{
    int destroyed = 0;
    struct Counter {
        int* n;
        bool Count(void*)
        {
            ++*n;
            return true;
        }
    } counter{&destroyed};
    Add(L"old", {0, 0, 10, 10})->DestroyListeners += DuiLib::MakeDelegate(&counter, &Counter::Count);
    Attach();
    auto* fresh = new probe::CProbePanelUI(&m_log, L"fresh", {0, 0, 200, 200});
    Manager().AttachDialog(fresh);
    EXPECT_EQ(0, destroyed);
    m_window.Pump(DuiLib::WM_DUI_DELAYED_CLEANUP, DuiLib::WM_DUI_DELAYED_CLEANUP);
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(fresh, Manager().GetRoot());
    m_root = fresh;
}

TEST_F(ManagerTree, AControlThatGoesAwayIsForgottenEverywhere)
{
    auto* a = Add(L"a", {10, 10, 60, 60}, DuiLib::UIFLAG_TABSTOP);
    auto* b = Add(L"b", {100, 10, 150, 60});
    Attach();
    EXPECT_TRUE(Manager().AddOptionGroup(L"g", a));
    EXPECT_FALSE(Manager().AddOptionGroup(L"g", a));
    EXPECT_TRUE(Manager().AddOptionGroup(L"g", b));
    EXPECT_TRUE(Manager().AddPostPaint(a));
    m_window.SendMouse(WM_MOUSEMOVE, 20, 20);
    m_window.SendMouse(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    m_window.Send(WM_KEYDOWN, 'A');
    ASSERT_EQ(a, Manager().GetFocus());
    m_root->Delete(a);
    EXPECT_EQ(nullptr, Manager().GetFocus());
    EXPECT_EQ(nullptr, Manager().FindControl(L"a"));
    EXPECT_EQ(0, Manager().GetPostPaintCount());
    ASSERT_NE(nullptr, Manager().GetOptionGroup(L"g"));
    EXPECT_EQ(1, Manager().GetOptionGroup(L"g")->GetSize());
    m_log.clear();
    m_window.SendMouse(WM_MOUSEMOVE, 120, 20);
    m_window.SendMouse(WM_LBUTTONUP, 120, 20);
    m_window.Send(WM_KEYUP, 'A');
    EXPECT_EQ((Log{"b:enter", "b:move"}), m_log) << "no leave, up or key up for a deleted control";
    Manager().RemoveOptionGroup(L"g", b);
    EXPECT_EQ(nullptr, Manager().GetOptionGroup(L"g")) << "an emptied group goes";
}

} // namespace
