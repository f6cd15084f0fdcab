// The tab layout in a real window: exactly one page shows, selection by index, by page
// and from markup, "tabselect" with the new and old index, and the selection kept
// right while pages come and go.

#include "duilib/core/DialogBuilder.h"
#include "duilib/layout/TabLayoutUI.h"

#include "tests/TestPrinters.h"
#include "tests/duilib/core/manager/ManagerFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using DuiLib::CControlUI;
using DuiLib::CTabLayoutUI;

namespace {

class TabLayout : public testing::Test {
protected:
    TabLayout() : m_notifier(&m_log), m_window(200, 100)
    {
        m_tab = new CTabLayoutUI;
        m_tab->SetName(L"tab");
        m_tab->SetAttribute(L"inset", L"10,10,10,10");
        for (int i = 0; i < 3; ++i) {
            AddPage(L"p" + std::to_wstring(i));
        }
        m_window.Manager().AddNotifier(&m_notifier);
        m_window.Manager().AttachDialog(m_tab);
        m_window.Paint();
        m_log.clear();
    }

    CControlUI* AddPage(const std::wstring& name, int index = -1)
    {
        auto* page = new CControlUI;
        page->SetName(name.c_str());
        EXPECT_TRUE(index < 0 ? m_tab->Add(page) : m_tab->AddAt(page, index));
        m_pages.insert(index < 0 ? m_pages.end() : m_pages.begin() + index, page);
        return page;
    }

    // The names of the visible pages.
    [[nodiscard]] std::vector<std::string> Shown() const
    {
        std::vector<std::string> shown;
        for (int i = 0; i < m_tab->GetCount(); ++i) {
            const CControlUI* page = m_tab->GetItemAt(i);
            if (page->IsVisible()) {
                shown.emplace_back(page->GetName().GetData(), page->GetName().GetData() + page->GetName().GetLength());
            }
        }
        return shown;
    }

    [[nodiscard]] int TabSelects() const
    {
        return static_cast<int>(std::count(m_log.begin(), m_log.end(), "notify:tabselect:tab"));
    }

    probe::Log m_log;
    probe::LogNotifier m_notifier;
    probe::TestWindow m_window;
    CTabLayoutUI* m_tab = nullptr; // owned by the manager
    std::vector<CControlUI*> m_pages;
};

TEST_F(TabLayout, SelectingNotifiesNewAndOldIndex)
{
    EXPECT_EQ(std::vector<std::string>{"p0"}, Shown()) << "the first visible page";
    EXPECT_EQ((RECT{10, 10, 190, 90}), m_pages[0]->GetPos());
    m_tab->SetAttribute(L"selectedid", L"2");
    EXPECT_EQ(std::vector<std::string>{"p2"}, Shown());
    EXPECT_EQ(1, TabSelects());
    EXPECT_EQ(2u, m_notifier.last.wParam);
    EXPECT_EQ(0, m_notifier.last.lParam);
    m_window.Paint();
    EXPECT_EQ((RECT{10, 10, 190, 90}), m_pages[2]->GetPos()) << "the new page is laid out";

    const struct {
        int index;
        bool result;
    } cases[] = {{2, true}, {-1, false}, {3, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, m_tab->SelectItem(c.index)) << c.index;
    }
    EXPECT_EQ(1, TabSelects()) << "the selected index and indices outside send nothing";
    EXPECT_TRUE(m_tab->SelectItem(m_pages[1]));
    EXPECT_EQ(std::vector<std::string>{"p1"}, Shown());
    EXPECT_EQ(1u, m_notifier.last.wParam);
    EXPECT_EQ(2, m_notifier.last.lParam);
    CControlUI stranger;
    EXPECT_FALSE(m_tab->SelectItem(&stranger));
}

TEST_F(TabLayout, SelectionFollowsInsertionsAndRemovals)
{
    ASSERT_TRUE(m_tab->SelectItem(1));
    m_log.clear();
    AddPage(L"new", 0);
    EXPECT_EQ(2, m_tab->GetCurSel()) << "the same page stays selected";
    EXPECT_EQ(std::vector<std::string>{"p1"}, Shown()) << "the new page is hidden";
    EXPECT_TRUE(m_tab->Remove(m_pages[0]));
    EXPECT_EQ(1, m_tab->GetCurSel()) << "a page before the selection went";
    EXPECT_TRUE(m_tab->Remove(m_tab->GetItemAt(1)));
    EXPECT_EQ(0, m_tab->GetCurSel()) << "the selected page went: the first one is selected";
    EXPECT_EQ(std::vector<std::string>{"p0"}, Shown());
    EXPECT_EQ(0, TabSelects());
    EXPECT_FALSE(m_tab->Remove(nullptr));
    m_tab->RemoveAll();
    EXPECT_EQ(-1, m_tab->GetCurSel());
    AddPage(L"again");
    EXPECT_EQ(0, m_tab->GetCurSel());
}

TEST(TabLayoutMarkup, BuiltPagesSelectByAttribute)
{
    DuiLib::CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create(L"<W><TabLayout selectedid=\"1\"><Label name=\"a\" />"
                                                    L"<Label name=\"b\" /><Label name=\"c\" /></TabLayout></W>"));
    auto* tab = static_cast<CTabLayoutUI*>(root->GetInterface(L"TabLayout"));
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(1, tab->GetCurSel()) << "the pages exist before the layout's own attributes";
    EXPECT_TRUE(tab->GetItemAt(1)->IsVisible());
    EXPECT_FALSE(tab->GetItemAt(0)->IsVisible());
}

} // namespace
