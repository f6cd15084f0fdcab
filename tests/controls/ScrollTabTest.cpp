// CScrollTabUI and CScrollOptionUI in a real window built from markup: the layout of the
// tabs and the add button as exact rectangles, the selection and removal rules through a
// recording callback, real clicks on tabs, close buttons and the add button (also when the
// callback removes tabs), the add button's state cells and the close image in pixels,
// hundreds of tabs, and a bar filled before it joins a window.

#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "duilib/control/ButtonUI.h"
#include "duilib/layout/HorizontalLayoutUI.h"

#include "tests/TestPrinters.h"
#include "tests/controls/SkinWindow.h"
#include "tests/duilib/core/render/RenderCanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr wchar_t kMarkup[] = L"<Window><VerticalLayout><HorizontalLayout height=\"30\">"
                              L"<ScrollTabUI name=\"tabbar\" width=\"625\" TabWidth=\"120\" MinTabWidth=\"30\" />"
                              L"</HorizontalLayout></VerticalLayout></Window>";
constexpr DWORD kSelected = 0xFFFFFFFF;
constexpr DWORD kNormal = 0xFFF0F0F0;
constexpr RECT kEmpty{0, 0, 0, 0};

class RecordingCallback final : public CScrollTabCallback {
public:
    void OnTabClosed(CScrollTabUI*, int index, int selected) override { Record("closed", index, selected, onClosed); }
    void OnTabSelected(CScrollTabUI*, int old, int selected) override { Record("selected", old, selected, onSelected); }
    void OnAddTabClicked(CScrollTabUI*) override { log += "add;"; }
    void OnTabCloseRequest(CScrollTabUI* bar, int index) override { bar->RemoveTab(index); }

    std::string log;
    std::function<void()> onClosed;   // runs once, inside the next report of its kind
    std::function<void()> onSelected; // the same

private:
    void Record(const char* what, int a, int b, std::function<void()>& then)
    {
        log += std::string(what) + " " + std::to_string(a) + " " + std::to_string(b) + ";";
        if (then) {
            const auto action = std::move(then);
            then = nullptr;
            action();
        }
    }
};

// Built as the main window builds it: images in the skin, the add button shown or hidden
// before the first layout. Each state cell of "tab_add.png" is a colour of its own.
class TabBar : public testing::Test {
protected:
    explicit TabBar(bool showAddButton = true)
        : m_skin(kMarkup, 700, 60,
                 [showAddButton](controls_test::SkinWindow& skin) {
                     const auto cells = [](int x, int) { return x < 25 ? 0xFFFF0000u : 0xFF00FF00u; };
                     const auto magenta = [](int, int) { return 0xFFFF00FFu; };
                     auto& manager = skin.Manager();
                     (void)manager.AddImage(L"tab_add.png", render_test::MakeBitmap(100, 34, cells), 100, 34, false);
                     (void)manager.AddImage(L"close_nor.png", render_test::MakeBitmap(15, 15, magenta), 15, 15, false);
                     skin.Find<CScrollTabUI>(L"tabbar")->ShowAddButton = showAddButton;
                 }),
          m_bar(m_skin.Find<CScrollTabUI>(L"tabbar"))
    {
        m_bar->SetCallback(&m_record);
    }

    // As the main window adds them: the first tab without a close button.
    void AddTabs(int count)
    {
        for (int i = 0; i < count; ++i) {
            m_tabs.push_back(m_bar->AddTab(m_bar->GetTabCount() > 0));
            ASSERT_NE(nullptr, m_tabs.back());
        }
    }

    void Click(int x, int y)
    {
        m_skin.SendMouse(WM_MOUSEMOVE, x, y);
        m_skin.SendMouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        m_skin.SendMouse(WM_LBUTTONUP, x, y);
        m_skin.Settle();
    }

    // The selected tab (one of m_tabs, or none) and the only one in the selected colour.
    void ExpectSelected(int tab)
    {
        const int index = tab < 0 ? -1 : m_bar->GetTabIndex(m_tabs[static_cast<size_t>(tab)]);
        EXPECT_EQ(index, m_bar->GetSelectedIndex());
        for (int i = 0; i < m_bar->GetTabCount(); ++i) {
            EXPECT_EQ(i == index ? kSelected : kNormal, m_bar->GetTabAt(i)->GetBkColor()) << "tab " << i;
        }
    }

    controls_test::SkinWindow m_skin;
    CScrollTabUI* m_bar;
    RecordingCallback m_record;
    std::vector<CScrollOptionUI*> m_tabs;
};

struct LayoutCase {
    const char* name;
    int barWidth;
    int tabs;
    int tabWidth;       // the current tab width afterwards
    int checked;        // the tab whose place is checked
    RECT checkedRect;
    RECT addButton;
    bool lastPlaced;    // whether the last tab was laid out
    bool showAddButton = true;
};

void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.name; }

class TabBarLayout : public TabBar, public testing::WithParamInterface<LayoutCase> {
protected:
    TabBarLayout() : TabBar(GetParam().showAddButton) {}
};

TEST_P(TabBarLayout, PlacesTabsAndTheAddButtonExactly)
{
    const LayoutCase& c = GetParam();
    m_bar->SetFixedWidth(c.barWidth);
    m_skin.Settle();
    AddTabs(c.tabs);
    m_skin.Settle(); // the bar's own layout pass must keep what AddTab placed
    EXPECT_EQ(c.tabWidth, m_bar->GetCurrentTabWidth());
    if (c.tabs > 0) {
        EXPECT_EQ(c.checkedRect, m_bar->GetTabAt(c.checked)->GetPos());
        const RECT last = m_bar->GetTabAt(c.tabs - 1)->GetPos();
        EXPECT_EQ(c.lastPlaced, ::IsRectEmpty(&last) == FALSE) << "last tab " << ::testing::PrintToString(last);
    }
    EXPECT_EQ(c.addButton, m_bar->GetAddButton()->GetPos());
}

INSTANTIATE_TEST_SUITE_P(Cases, TabBarLayout,
                         testing::Values(LayoutCase{"no tabs", 625, 0, 0, 0, {}, {0, 0, 25, 30}, false},
                                         LayoutCase{"five at 120", 625, 5, 120, 4, {480, 0, 600, 30},
                                                    {600, 0, 625, 30}, true},
                                         LayoutCase{"six at 100", 625, 6, 100, 5, {500, 0, 600, 30},
                                                    {600, 0, 625, 30}, true},
                                         LayoutCase{"twenty at 30", 625, 20, 30, 19, {570, 0, 600, 30},
                                                    {600, 0, 625, 30}, true},
                                         LayoutCase{"the 21st is not laid out", 625, 21, 30, 19, {570, 0, 600, 30},
                                                    {600, 0, 625, 30}, false},
                                         LayoutCase{"narrower than the add button", 20, 1, 0, 0, kEmpty,
                                                    {0, 0, 25, 30}, false},
                                         LayoutCase{"a hidden add button is never placed", 625, 2, 120, 1,
                                                    {120, 0, 240, 30}, kEmpty, true, false}));

struct SelectionCase {
    const char* name;
    int tabs;
    int select;   // a tab; -1 selects a tab that is not in the bar
    int remove;   // an index
    int selected; // the tab selected afterwards, or -1
    const char* log;
};

void PrintTo(const SelectionCase& c, std::ostream* os) { *os << c.name; }

class TabSelection : public TabBar, public testing::WithParamInterface<SelectionCase> {};

TEST_P(TabSelection, FollowsTheRules)
{
    const SelectionCase& c = GetParam();
    AddTabs(c.tabs);
    EXPECT_EQ(0, m_bar->GetSelectedIndex()) << "the first tab starts selected";
    CScrollOptionUI stray;
    m_bar->SelectTab(c.select < 0 ? &stray : m_tabs[static_cast<size_t>(c.select)]);
    m_bar->RemoveTab(c.remove);
    EXPECT_EQ(c.log, m_record.log);
    ExpectSelected(c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TabSelection,
    testing::Values(SelectionCase{"closing the selected tab selects the last", 5, 1, 1, 4, "selected 0 1;closed 1 3;"},
                    SelectionCase{"closing a tab left of it keeps the tab", 5, 3, 1, 3, "selected 0 3;closed 1 2;"},
                    SelectionCase{"closing a tab right of it keeps it", 5, 1, 3, 1, "selected 0 1;closed 3 1;"},
                    SelectionCase{"closing the only tab selects none", 1, 0, 0, -1, "selected 0 0;closed 0 -1;"},
                    SelectionCase{"an index out of range is ignored", 3, 2, 3, 2, "selected 0 2;"},
                    SelectionCase{"a tab not in the bar selects none", 3, -1, -1, -1, "selected 0 -1;"}));

TEST_F(TabBar, HundredsOfTabsClosedFromTheFront)
{
    AddTabs(300);
    EXPECT_TRUE(::IsRectEmpty(&m_tabs[20]->GetPos()));
    m_bar->SelectTab(m_tabs[250]);
    while (m_bar->GetTabCount() > 10) {
        m_bar->RemoveTab(0);
        m_skin.Settle();
    }
    ExpectSelected(299); // #250 went on the way, and the last tab took over
    EXPECT_EQ(60, m_bar->GetCurrentTabWidth());
    EXPECT_EQ((RECT{540, 0, 600, 30}), m_tabs[299]->GetPos());
}

TEST_F(TabBar, RealClicksSelectCloseAndAdd)
{
    AddTabs(4);
    Click(150, 20); // tab 1, below its close button
    Click(105, 5);  // where tab 0 would have its close button: tab 0 has none
    Click(472, 8);  // the close button of tab 3, at 465..479
    Click(472, 8);  // nothing there now
    Click(372, 15); // the add button, now after tab 2
    EXPECT_EQ("selected 0 1;selected 1 0;closed 3 0;add;", m_record.log);
    EXPECT_EQ(3, m_bar->GetTabCount());
    ExpectSelected(0);
}

TEST_F(TabBar, CallbacksMayRemoveTabs)
{
    AddTabs(4);
    m_record.onSelected = [this] { m_bar->RemoveTab(m_bar->GetSelectedIndex()); }; // the tab being pressed
    Click(150, 20);
    m_record.onClosed = [this] { m_bar->RemoveTab(0); };
    Click(232, 8); // tab 2's close button, which moved left to 225..239
    EXPECT_EQ("selected 0 1;closed 1 2;closed 1 1;closed 0 0;", m_record.log);
    ASSERT_EQ(1, m_bar->GetTabCount());
    ExpectSelected(3);
    EXPECT_EQ((RECT{0, 0, 120, 30}), m_tabs[3]->GetPos());
}

TEST_F(TabBar, StateCellsOfTheAddButtonAndTheCloseImageInPixels)
{
    AddTabs(2);
    constexpr Rgb kBlack{0, 0, 0};
    Canvas normal(300, 40, kBlack);
    m_bar->DoPaint(normal.Dc(), {0, 0, 300, 40});
    m_skin.SendMouse(WM_MOUSEMOVE, 252, 15); // over the add button at 240..265
    Canvas hot(300, 40, kBlack);
    m_bar->DoPaint(hot.Dc(), {0, 0, 300, 40});

    EXPECT_EQ((Rgb{255, 0, 0}), normal.PixelAt(240, 0));
    EXPECT_EQ((Rgb{255, 0, 0}), normal.PixelAt(264, 29));
    EXPECT_EQ(kBlack, normal.PixelAt(265, 29));
    EXPECT_EQ((Rgb{0, 255, 0}), hot.PixelAt(252, 15));
    EXPECT_EQ((Rgb{255, 0, 255}), normal.PixelAt(225, 1)) << "close button of tab 1";
    EXPECT_EQ((Rgb{255, 0, 255}), normal.PixelAt(238, 14));
    EXPECT_EQ((Rgb{240, 240, 240}), normal.PixelAt(238, 15));
}

// A tab bar filled before it joins a window initialises its tabs when it joins.
TEST(TabBarOutsideWindow, TabsGetTheirCloseButtonsWhenAttached)
{
    controls_test::SkinWindow skin(L"<Window><HorizontalLayout name=\"row\" /></Window>", 700, 30);
    auto* bar = new CScrollTabUI;
    CScrollOptionUI* first = bar->AddTab(false);
    CScrollOptionUI* second = bar->AddTab(true);
    EXPECT_EQ(nullptr, first->GetCloseButton());
    ASSERT_TRUE(skin.Find<DuiLib::CHorizontalLayoutUI>(L"row")->Add(bar));
    skin.Paint();
    ASSERT_NE(nullptr, second->GetCloseButton());
    EXPECT_FALSE(first->GetCloseButton()->IsVisible());
    EXPECT_TRUE(second->GetCloseButton()->IsVisible());
    EXPECT_EQ((RECT{185, 1, 199, 15}), second->GetCloseButton()->GetPos()) << "second of two 100-pixel tabs";
    EXPECT_NE(nullptr, bar->GetAddButton());
}

} // namespace
