// Keyboard focus: tab order forwards and backwards with wrapping over hidden and
// disabled controls, the Tab key through the message loop's pre-translation, focus
// events and notifications, shortcuts and keyboard events.

#include "ManagerFixture.h"

using probe::Log;
using DuiLib::UIFLAG_TABSTOP;

namespace {

class ManagerFocus : public probe::ManagerTest {
protected:
    void SetUp() override
    {
        m_t1 = Add(L"t1", {0, 0, 10, 10}, UIFLAG_TABSTOP);
        Add(L"hidden", {0, 10, 10, 20}, UIFLAG_TABSTOP)->SetVisible(false);
        Add(L"disabled", {0, 20, 10, 30}, UIFLAG_TABSTOP)->SetEnabled(false);
        Add(L"plain", {0, 30, 10, 40});
        auto* panel = m_root->Add(new probe::CProbePanelUI(&m_log, L"panel", {20, 0, 100, 100}));
        m_t4 = Add(L"t4", {20, 0, 30, 10}, UIFLAG_TABSTOP, panel);
        m_t5 = Add(L"t5", {20, 10, 30, 20}, UIFLAG_TABSTOP, panel);
        Attach();
    }

    [[nodiscard]] std::string FocusName() const
    {
        const auto* focus = m_window.Manager().GetFocus();
        if (focus == nullptr) {
            return "none";
        }
        std::string name;
        for (const wchar_t* p = focus->GetName().GetData(); *p != 0; ++p) {
            name += static_cast<char>(*p);
        }
        return name;
    }

    // Tab through the message loop's pre-translation, with or without Shift held.
    bool PressTab(bool shift)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{m_window.Hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        const bool consumed = DuiLib::CPaintManagerUI::TranslateMessage(&msg);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return consumed;
    }

    probe::CProbeUI* m_t1 = nullptr;
    probe::CProbeUI* m_t4 = nullptr;
    probe::CProbeUI* m_t5 = nullptr;
};

TEST_F(ManagerFocus, TheFirstPaintFocusesTheFirstTabStop)
{
    EXPECT_EQ("t1", FocusName());
}

TEST_F(ManagerFocus, TabWalksForwardAndShiftTabBackwardWrappingAround)
{
    const struct {
        bool shift;
        const char* expected;
    } steps[] = {{false, "t4"}, {false, "t5"}, {false, "t1"}, {true, "t5"}, {true, "t4"}, {true, "t1"}, {true, "t5"}};
    for (const auto& step : steps) {
        EXPECT_TRUE(PressTab(step.shift));
        EXPECT_EQ(step.expected, FocusName()) << (step.shift ? "shift+tab" : "tab");
    }
}

TEST_F(ManagerFocus, FocusChangesTellBothControlsAndTheWindow)
{
    Manager().SetFocus(m_t4);
    EXPECT_EQ((Log{"t1:killfocus", "notify:killfocus:t1", "t4:setfocus", "notify:setfocus:t4"}), m_log);
    EXPECT_EQ(m_t4, m_t1->LastEvent().pSender) << "kill focus names the control that takes it";
    EXPECT_FALSE(m_t1->IsFocused());
    EXPECT_TRUE(m_t4->IsFocused());
    m_log.clear();
    Manager().SetFocus(m_t4);
    m_t5->SetEnabled(false);
    Manager().SetFocus(m_t5);
    EXPECT_EQ((Log{"t4:killfocus", "notify:killfocus:t4"}), m_log) << "a disabled control gets nothing";
    EXPECT_EQ("none", FocusName());
}

TEST_F(ManagerFocus, FocusNeededLandsOnTheControlAtTheNextPaint)
{
    Manager().SetFocusNeeded(m_t5);
    EXPECT_EQ("t4", FocusName()) << "the tab stop before it waits without events";
    m_window.Paint();
    EXPECT_EQ("t5", FocusName());
}

TEST_F(ManagerFocus, KeysGoToTheFocusAndKeyUpToTheControlThatGotTheKeyDown)
{
    m_window.Send(WM_KEYDOWN, 'A');
    Manager().SetFocus(m_t4);
    m_log.clear();
    m_window.Send(WM_CHAR, 'a');
    m_window.Send(WM_KEYUP, 'A');
    m_window.Send(WM_KEYUP, 'A');
    EXPECT_EQ((Log{"t4:char", "t1:keyup"}), m_log);
    EXPECT_EQ(L'a', m_t4->LastEvent().chKey);
}

TEST_F(ManagerFocus, AltShortcutsFocusAndActivateSkippingLabels)
{
    auto* label = Add(L"label", {0, 50, 10, 60});
    label->SetClass(L"LabelUI");
    label->SetShortcut(L'n');
    auto* field = Add(L"field", {0, 60, 10, 70});
    Add(L"other", {0, 70, 10, 80})->SetShortcut(L'O');
    MSG msg{m_window.Hwnd(), WM_SYSCHAR, 'N', 0, 0, {0, 0}};
    EXPECT_TRUE(DuiLib::CPaintManagerUI::TranslateMessage(&msg));
    EXPECT_EQ(field, Manager().GetFocus()) << "a label's shortcut reaches the control after it";
    EXPECT_EQ("field:activate", m_log.back());
    msg.wParam = 'o';
    EXPECT_TRUE(DuiLib::CPaintManagerUI::TranslateMessage(&msg));
    EXPECT_EQ("other:activate", m_log.back());
    msg.wParam = 'z';
    EXPECT_FALSE(DuiLib::CPaintManagerUI::TranslateMessage(&msg));
}

} // namespace
