// Containers: the item list and what removal does to a child, hit tests limited to the
// content area, painting clipped to the container, and separators dragged with real
// messages, live and on release.

#include "duilib/control/ScrollBarUI.h"
#include "duilib/layout/HorizontalLayoutUI.h"
#include "duilib/layout/VerticalLayoutUI.h"

#include "tests/TestPrinters.h"
#include "tests/duilib/core/manager/ManagerFixture.h"
#include "tests/duilib/core/render/RenderCanvas.h"

#include <gtest/gtest.h>

using DuiLib::CContainerUI;
using DuiLib::CControlUI;
using DuiLib::CVerticalLayoutUI;

namespace {

struct DestroyCounter {
    int count = 0;
    bool Count(void*)
    {
        ++count;
        return true;
    }
};

TEST(ContainerItems, ListOperationsAndRemoval)
{
    probe::TestWindow window(100, 100, false);
    auto* root = new CVerticalLayoutUI;
    window.Manager().AttachDialog(root);
    DestroyCounter destroyed;
    CControlUI* a = new CControlUI;
    CControlUI* b = new CControlUI;
    CControlUI* c = new CControlUI;
    a->SetName(L"a");
    b->DestroyListeners += DuiLib::MakeDelegate(&destroyed, &DestroyCounter::Count);
    EXPECT_FALSE(root->Add(nullptr));
    EXPECT_TRUE(root->Add(a));
    EXPECT_TRUE(root->AddAt(b, 0));
    EXPECT_FALSE(root->AddAt(c, 5));
    EXPECT_TRUE(root->AddAt(c, 1));
    EXPECT_EQ(b, root->GetItemAt(0));
    EXPECT_EQ(nullptr, root->GetItemAt(3));
    EXPECT_TRUE(root->SetItemIndex(a, 0));
    EXPECT_EQ(2, root->GetItemIndex(c));
    EXPECT_EQ(root, a->GetParent());
    EXPECT_EQ(a, window.Manager().FindControl(L"a"));
    EXPECT_TRUE(root->SetSubControlText(L"A", L"text"));
    EXPECT_STREQ(L"text", root->GetSubControlText(L"a"));
    EXPECT_EQ(-1, root->GetSubControlFixedHeight(L"nobody"));

    root->SetAutoDestroy(false);
    EXPECT_TRUE(root->Remove(a));
    EXPECT_EQ(nullptr, a->GetParent()) << "kept alive and detached";
    EXPECT_EQ(nullptr, a->GetManager());
    EXPECT_EQ(nullptr, window.Manager().FindControl(L"a"));
    delete a;
    EXPECT_FALSE(root->RemoveAt(7));

    root->SetAutoDestroy(true);
    EXPECT_TRUE(root->Remove(b));
    EXPECT_EQ(0, destroyed.count) << "deleted after the current message";
    window.Pump(DuiLib::WM_DUI_DELAYED_CLEANUP, DuiLib::WM_DUI_DELAYED_CLEANUP);
    EXPECT_EQ(1, destroyed.count);
    EXPECT_EQ(1, root->GetCount());
}

TEST(ContainerAttributes, ReachTheContainerItsBarsAndTheSeparator)
{
    DuiLib::CPaintManagerUI manager;
    manager.AddDefaultAttributeList(L"HScrollBar", L"linesize=\"3\"");
    DuiLib::CHorizontalLayoutUI layout;
    layout.SetManager(&manager, nullptr, false);
    layout.ApplyAttributeList(L"mousechild=\"false\" childpadding=\"7\" inset=\"1,2,3,4\" hscrollbar=\"true\" "
                              L"sepwidth=\"-6\" sepimm=\"true\"");
    layout.SetAttribute(L"vscrollbarstyle", L"linesize=\"4\"");
    EXPECT_FALSE(layout.IsMouseChildEnabled());
    EXPECT_EQ(7, layout.GetChildPadding());
    EXPECT_EQ((RECT{1, 2, 3, 4}), layout.GetInset());
    ASSERT_NE(nullptr, layout.GetHorizontalScrollBar());
    EXPECT_TRUE(layout.GetHorizontalScrollBar()->IsHorizontal());
    EXPECT_EQ(3, layout.GetHorizontalScrollBar()->GetLineSize()) << "the window's defaults for the bar";
    ASSERT_NE(nullptr, layout.GetVerticalScrollBar()) << "a style makes the bar";
    EXPECT_EQ(4, layout.GetVerticalScrollBar()->GetLineSize());
    EXPECT_EQ(&layout, layout.GetVerticalScrollBar()->GetOwner());
    EXPECT_EQ(-6, layout.GetSepWidth());
    EXPECT_TRUE(layout.IsSepImmMode());
    layout.SetAttribute(L"hscrollbar", L"false");
    EXPECT_EQ(nullptr, layout.GetHorizontalScrollBar());
}

TEST(ContainerFloat, RelativePositionsFollowTheContainersGrowth)
{
    CVerticalLayoutUI layout;
    auto* badge = new CControlUI;
    badge->ApplyAttributeList(L"float=\"true\" pos=\"10,10,30,20\" relativepos=\"50,0,100,0\"");
    layout.Add(badge);
    layout.SetPos({0, 0, 100, 100});
    EXPECT_EQ((RECT{10, 10, 30, 20}), badge->GetPos()) << "the first placement only records the size";
    layout.SetPos({0, 0, 200, 100});
    EXPECT_EQ((RECT{60, 10, 180, 20}), badge->GetPos()) << "moved by half and widened by all of 100 more";
}

CControlUI* CALLBACK Itself(CControlUI* control, LPVOID)
{
    return control;
}

TEST(ContainerHitTest, OnlyFloatingChildrenAreHitOutsideTheContentArea)
{
    CVerticalLayoutUI layout;
    layout.SetInset({10, 10, 10, 10});
    auto* tall = new CControlUI;
    tall->SetAttribute(L"height", L"200");
    auto* floating = new CControlUI;
    floating->SetAttribute(L"float", L"true");
    floating->SetAttribute(L"pos", L"0,0,10,10");
    layout.Add(tall);
    layout.Add(floating);
    layout.SetPos({0, 0, 100, 100});
    auto hit = [&layout](int x, int y) {
        POINT pt{x, y};
        return layout.FindControl(Itself, &pt, DuiLib::UIFIND_HITTEST | DuiLib::UIFIND_TOP_FIRST);
    };
    EXPECT_EQ(tall, hit(50, 50));
    EXPECT_EQ(&layout, hit(50, 95)) << "the tall child reaches into the inset but is not hit there";
    EXPECT_EQ(floating, hit(5, 5));
    layout.SetMouseChildEnabled(false);
    EXPECT_EQ(&layout, hit(50, 50));
}

TEST(ContainerPaint, ChildrenAreClippedToTheContentAreaAndFloatingOnesToTheContainer)
{
    CVerticalLayoutUI layout;
    layout.SetInset({5, 5, 5, 5});
    auto* wide = new CControlUI;
    wide->SetBkColor(0xFFFF0000);
    wide->SetFixedWidth(200);
    auto* floating = new CControlUI;
    floating->SetBkColor(0xFF0000FF);
    floating->SetAttribute(L"float", L"true");
    floating->SetAttribute(L"pos", L"-20,0,-1,20");
    layout.Add(wide);
    layout.Add(floating);
    layout.SetPos({0, 0, 30, 30});
    render_test::Canvas canvas(40, 40, {255, 255, 255});
    layout.DoPaint(canvas.Dc(), {0, 0, 40, 40});
    const render_test::Rgb white{255, 255, 255};
    EXPECT_EQ((render_test::Rgb{255, 0, 0}), canvas.PixelAt(5, 22));
    EXPECT_EQ(white, canvas.PixelAt(27, 22)) << "the inset stays clear";
    EXPECT_EQ(white, canvas.PixelAt(32, 22)) << "nothing outside the container";
    EXPECT_EQ((render_test::Rgb{0, 0, 255}), canvas.PixelAt(28, 2)) << "a floating child covers the inset";
    EXPECT_EQ(white, canvas.PixelAt(31, 2));
}

// A layout 100 high with a separator strip of 4 at its bottom edge, above a filler.
class SeparatorDrag : public testing::TestWithParam<bool> {
protected:
    SeparatorDrag() : m_window(100, 200)
    {
        auto* root = new CVerticalLayoutUI;
        m_panel->SetAttribute(L"height", L"100");
        m_panel->SetAttribute(L"sepheight", L"4");
        m_panel->SetAttribute(L"maxheight", L"130");
        m_panel->SetSepImmMode(GetParam());
        root->Add(m_panel);
        root->Add(new CControlUI);
        m_window.Manager().AttachDialog(root);
        m_window.Paint();
    }

    CVerticalLayoutUI* m_panel = new CVerticalLayoutUI;
    probe::TestWindow m_window;
};

TEST_P(SeparatorDrag, ResizesTheLayoutWithinItsLimits)
{
    const bool immediate = GetParam();
    ASSERT_EQ((RECT{0, 96, 100, 100}), m_panel->GetThumbRect());
    m_window.SendMouse(WM_LBUTTONDOWN, 50, 98, MK_LBUTTON);
    EXPECT_EQ(immediate ? 0 : 1, m_window.Manager().GetPostPaintCount()) << "the strip is drawn over the tree";
    m_window.SendMouse(WM_MOUSEMOVE, 50, 120, MK_LBUTTON);
    m_window.Paint();
    EXPECT_EQ(immediate ? 122 : 100, m_panel->GetPos().bottom);
    EXPECT_EQ((RECT{0, 118, 100, 122}), m_panel->GetThumbRect(true));
    m_window.SendMouse(WM_MOUSEMOVE, 50, 190, MK_LBUTTON);
    EXPECT_EQ(130, m_panel->GetFixedHeight()) << "no taller than the maximum";
    m_window.SendMouse(WM_LBUTTONUP, 50, 190);
    m_window.Paint();
    EXPECT_EQ((RECT{0, 0, 100, 130}), m_panel->GetPos());
    EXPECT_EQ(0, m_window.Manager().GetPostPaintCount());
}

INSTANTIATE_TEST_SUITE_P(ImmediateOrOnRelease, SeparatorDrag, testing::Bool());

} // namespace
