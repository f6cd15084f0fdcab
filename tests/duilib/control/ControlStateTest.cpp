// CControlUI's placement, visibility, focus, listeners and copies.

#include "duilib/control/ControlUI.h"
#include "duilib/core/PaintManager.h"

#include "tests/TestPrinters.h"
#include "tests/duilib/support/ProbeUI.h"

#include <gtest/gtest.h>

#include <ostream>

using DuiLib::CControlUI;
using DuiLib::CPaintManagerUI;

namespace {

struct PlaceCase {
    const char* label;
    bool floating;
    SIZE fixedXY;
    RECT parent;
    RECT pos;
    RECT expectedItem;
    SIZE expectedXY;
    SIZE expectedSize;
};

void PrintTo(const PlaceCase& c, std::ostream* os)
{
    *os << c.label;
}

class ControlPlacement : public testing::TestWithParam<PlaceCase> {};

TEST_P(ControlPlacement, SetPosStoresAndReanchorsFloatingControls)
{
    const PlaceCase& c = GetParam();
    CPaintManagerUI manager;
    CControlUI parent;
    CControlUI control;
    parent.SetManager(&manager, nullptr, false);
    parent.SetPos(c.parent);
    control.SetManager(&manager, &parent, false);
    control.SetFloat(c.floating);
    control.SetFixedXY(c.fixedXY);
    control.SetPos(c.pos);
    EXPECT_EQ(c.expectedItem, control.GetPos());
    EXPECT_EQ(c.expectedXY, control.GetFixedXY());
    EXPECT_EQ(c.expectedSize, (SIZE{control.GetFixedWidth(), control.GetFixedHeight()}));
    EXPECT_FALSE(control.IsUpdateNeeded());
}

const PlaceCase kPlaceCases[] = {
    {"reversed rectangle collapses at left and top", false, {0, 0}, {0, 0, 500, 300}, {50, 40, 10, 5},
     {50, 40, 50, 40}, {0, 0}, {0, 0}},
    {"a fixed control keeps its fixed values", false, {3, 4}, {0, 0, 500, 300}, {10, 10, 30, 40}, {10, 10, 30, 40},
     {3, 4}, {0, 0}},
    {"floating from the left and top", true, {5, 5}, {100, 100, 500, 300}, {120, 130, 150, 170},
     {120, 130, 150, 170}, {20, 30}, {30, 40}},
    {"floating anchored to the right and bottom", true, {-10, -1}, {100, 100, 500, 300}, {400, 200, 490, 260},
     {400, 200, 490, 260}, {-10, -40}, {90, 60}},
};

INSTANTIATE_TEST_SUITE_P(Table, ControlPlacement, testing::ValuesIn(kPlaceCases));

TEST(ControlVisibility, HidingTheFocusClearsTheManagersFocus)
{
    CPaintManagerUI manager;
    probe::Log log;
    probe::CProbeUI control(&log, L"c");
    control.SetManager(&manager, nullptr, false);
    control.SetFocus();
    ASSERT_EQ(&control, manager.GetFocus());
    EXPECT_TRUE(control.IsFocused());

    control.SetVisible(true); // unchanged: nothing happens
    EXPECT_TRUE(control.IsFocused());
    control.SetVisible(false);
    EXPECT_EQ(nullptr, manager.GetFocus());
    EXPECT_FALSE(control.IsFocused());
    EXPECT_EQ((probe::Log{"c:setfocus", "c:killfocus"}), log);

    control.SetVisible(true);
    control.SetFocus();
    control.SetInternVisible(false);
    EXPECT_FALSE(control.IsVisible());
    EXPECT_EQ(nullptr, manager.GetFocus());
}

bool Refuse(void*)
{
    return false;
}

TEST(ControlListeners, FireAtInitSizeEventAndDestruction)
{
    int inits = 0;
    int sizes = 0;
    int destroys = 0;
    struct Counter {
        int* n;
        bool Count(void*)
        {
            ++*n;
            return true;
        }
    } initCounter{&inits}, sizeCounter{&sizes}, destroyCounter{&destroys};
    CPaintManagerUI manager;
    CControlUI parent;
    probe::Log log;
    {
        probe::CProbeUI control(&log, L"c");
        control.InitListeners += DuiLib::MakeDelegate(&initCounter, &Counter::Count);
        control.SizeListeners += DuiLib::MakeDelegate(&sizeCounter, &Counter::Count);
        control.DestroyListeners += DuiLib::MakeDelegate(&destroyCounter, &Counter::Count);
        control.SetManager(&manager, nullptr, true); // no parent: no Init
        control.SetManager(&manager, &parent, true);
        control.SetPos({0, 0, 10, 10});
        DuiLib::TEventUI event;
        event.Type = DuiLib::kEventChar;
        control.Event(event);
        control.EventListeners += Refuse;
        control.Event(event);
    }
    EXPECT_EQ(1, inits);
    EXPECT_EQ(1, sizes);
    EXPECT_EQ(1, destroys);
    EXPECT_EQ(probe::Log{"c:char"}, log) << "a refusing event listener keeps DoEvent from running";
}

TEST(ControlVirtualWindow, ComesFromTheNearestAncestorThatNamesOne)
{
    CControlUI root;
    CControlUI middle;
    CControlUI leaf;
    middle.SetManager(nullptr, &root, false);
    leaf.SetManager(nullptr, &middle, false);
    root.SetVirtualWnd(L"page");
    EXPECT_STREQ(L"page", leaf.GetVirtualWnd());
    middle.SetVirtualWnd(L"inner");
    EXPECT_STREQ(L"inner", leaf.GetVirtualWnd());
}

TEST(ControlCopy, CopiesItsProperties)
{
    CControlUI original;
    original.SetName(L"orig");
    original.SetBkColor(0xFF112233);
    original.SetAttribute(L"pos", L"1,2,11,22");
    original.SetToolTip(L"tip");
    CControlUI copy(original);
    CControlUI assigned;
    assigned = original;
    for (const CControlUI* c : {&copy, &assigned}) {
        EXPECT_STREQ(L"orig", c->GetName());
        EXPECT_EQ(0xFF112233u, c->GetBkColor());
        EXPECT_EQ(10, c->GetFixedWidth());
        EXPECT_STREQ(L"tip", c->GetToolTip());
    }
}

} // namespace
