// COptionUI: groups select exclusively under real clicks, every change of the selection
// is notified by the option that changed, options without group toggle; group
// membership follows SetGroup and the option's life; the selected look.

#include "duilib/control/CheckBoxUI.h"
#include "duilib/control/OptionUI.h"

#include "tests/duilib/core/manager/ManagerFixture.h"
#include "tests/duilib/core/render/RenderCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using DuiLib::COptionUI;
using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr int kOptions = 13;

// Thirteen options in a row, each 14 wide, in group "g" of a real window.
class OptionGroup : public testing::Test {
protected:
    OptionGroup() : m_notifier(&m_log), m_window(200, 40)
    {
        m_root = new probe::CProbePanelUI(nullptr, L"root", RECT{0, 0, 200, 40});
        for (int i = 0; i < kOptions; ++i) {
            auto* option = m_root->Add(new COptionUI);
            option->SetName(Name(i).c_str());
            option->SetAttribute(L"group", L"g");
            option->SetPos({i * 14, 0, i * 14 + 14, 20});
            m_options.push_back(option);
        }
        m_window.Manager().AddNotifier(&m_notifier);
        m_window.Manager().AttachDialog(m_root);
        m_window.Paint();
    }

    static std::wstring Name(int i) { return L"o" + std::to_wstring(i); }
    static std::string Entry(const char* type, int i)
    {
        return std::string("notify:") + type + ":o" + std::to_string(i);
    }

    void Click(int i)
    {
        m_log.clear();
        m_window.SendMouse(WM_MOUSEMOVE, i * 14 + 7, 10);
        m_window.SendMouse(WM_LBUTTONDOWN, i * 14 + 7, 10, MK_LBUTTON);
        m_window.SendMouse(WM_LBUTTONUP, i * 14 + 7, 10);
    }

    [[nodiscard]] std::vector<std::string> Notifications(const char* type) const
    {
        std::vector<std::string> found;
        std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(found), [type](const std::string& entry) {
            return entry.rfind(std::string("notify:") + type + ":", 0) == 0;
        });
        return found;
    }

    [[nodiscard]] int SelectedCount() const
    {
        return static_cast<int>(
            std::count_if(m_options.begin(), m_options.end(), [](const COptionUI* o) { return o->IsSelected(); }));
    }

    probe::Log m_log;
    probe::LogNotifier m_notifier;
    probe::TestWindow m_window;
    probe::CProbePanelUI* m_root = nullptr; // owned by the manager
    std::vector<COptionUI*> m_options;      // owned by the tree
};

TEST_F(OptionGroup, ExactlyOneSelectedAndBothEndsNotified)
{
    ASSERT_EQ(kOptions, m_window.Manager().GetOptionGroup(L"g")->GetSize());
    const int order[] = {4, 0, 12, 7, 3, 11, 1, 9, 2, 10, 5, 8, 6};
    int previous = -1;
    for (const int i : order) {
        Click(i);
        EXPECT_EQ(1, SelectedCount()) << "after clicking " << i;
        EXPECT_TRUE(m_options[static_cast<size_t>(i)]->IsSelected());
        std::vector<std::string> expected;
        if (previous >= 0) {
            expected.push_back(Entry("selectchanged", previous));
        }
        expected.push_back(Entry("selectchanged", i));
        EXPECT_EQ(expected, Notifications("selectchanged")) << "after clicking " << i;
        EXPECT_EQ(std::vector<std::string>{Entry("click", i)}, Notifications("click"));
        previous = i;
    }
    Click(previous);
    EXPECT_TRUE(m_options[static_cast<size_t>(previous)]->IsSelected()) << "a selected grouped option stays selected";
    EXPECT_TRUE(Notifications("selectchanged").empty());
    EXPECT_EQ(1u, Notifications("click").size());
}

TEST_F(OptionGroup, MembershipFollowsGroupAndLife)
{
    DuiLib::CPaintManagerUI& manager = m_window.Manager();
    m_options[0]->SetGroup(L"h");
    EXPECT_EQ(kOptions - 1, manager.GetOptionGroup(L"g")->GetSize());
    EXPECT_EQ(1, manager.GetOptionGroup(L"h")->GetSize());
    m_options[0]->SetGroup(nullptr);
    EXPECT_EQ(nullptr, manager.GetOptionGroup(L"h")) << "an emptied group goes";
    EXPECT_STREQ(L"", m_options[0]->GetGroup());
    Click(0);
    Click(0);
    EXPECT_FALSE(m_options[0]->IsSelected()) << "without a group each click toggles";
    EXPECT_EQ(std::vector<std::string>{Entry("selectchanged", 0)}, Notifications("selectchanged"));

    m_options[1]->Selected(true);
    m_options[1]->SetEnabled(false);
    EXPECT_EQ(DuiLib::UISTATE_SELECTED, m_options[1]->GetButtonState()) << "disabling keeps only the selected bit";
    m_root->Delete(m_options[2]);
    EXPECT_EQ(kOptions - 2, manager.GetOptionGroup(L"g")->GetSize());
    m_options.erase(m_options.begin() + 2);
}

// The selected look: a selected colour without a selected image is the whole look, the
// option's own fore image included; a selected image keeps the fore image on top.
TEST(OptionLook, SelectedColourHidesTheForeImage)
{
    DuiLib::CPaintManagerUI manager;
    const auto solid = [](Rgb c) {
        const std::uint32_t pixel = render_test::Pack(c);
        return render_test::MakeBitmap(10, 10, [pixel](int, int) { return pixel; });
    };
    manager.AddImage(L"normal", solid(Rgb{255, 0, 0}), 10, 10, false);
    manager.AddImage(L"selected", solid(Rgb{0, 255, 0}), 10, 10, false);
    manager.AddImage(L"fore", solid(Rgb{255, 255, 0}), 10, 10, false);
    DuiLib::CCheckBoxUI option;
    option.SetManager(&manager, nullptr, false);
    option.SetPos({0, 0, 30, 30});
    option.SetAttribute(L"normalimage", L"normal");
    option.SetAttribute(L"foreimage", L"file='fore' dest='0,0,10,10'");
    option.SetAttribute(L"selectedbkcolor", L"#FF0000FF");
    const auto paint = [&option] {
        Canvas canvas(30, 30);
        option.DoPaint(canvas.Dc(), {0, 0, 30, 30});
        return std::make_pair(canvas.PixelAt(20, 20), canvas.PixelAt(5, 5));
    };
    EXPECT_EQ(std::make_pair(Rgb{255, 0, 0}, Rgb{255, 255, 0}), paint());
    option.SetCheck(true);
    EXPECT_TRUE(option.GetCheck());
    EXPECT_EQ(std::make_pair(Rgb{0, 0, 255}, Rgb{0, 0, 255}), paint());
    option.SetAttribute(L"selectedimage", L"selected");
    EXPECT_EQ(std::make_pair(Rgb{0, 255, 0}, Rgb{255, 255, 0}), paint());
    EXPECT_STREQ(L"CheckBoxUI", option.GetClass());
    EXPECT_EQ(&option, option.GetInterface(L"Option"));
}

} // namespace
