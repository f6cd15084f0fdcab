// CButtonUI driven by real mouse and key messages: "click" only for a release inside,
// Space and Return, the hand cursor; the state image and text colour each state shows.

#include "duilib/control/ButtonUI.h"

#include "tests/duilib/core/manager/ManagerFixture.h"
#include "tests/duilib/control/TextInk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using DuiLib::CButtonUI;
using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kCyan{0, 255, 255};

// A button at (20, 20, 80, 50) in a real window, its notifications logged.
class ButtonInput : public testing::Test {
protected:
    ButtonInput() : m_notifier(&m_log), m_window(200, 100)
    {
        auto* root = new probe::CProbePanelUI(nullptr, L"root", RECT{0, 0, 200, 100});
        m_button = root->Add(new CButtonUI);
        m_button->SetName(L"btn");
        m_button->SetPos({20, 20, 80, 50});
        m_window.Manager().AddNotifier(&m_notifier);
        m_window.Manager().AttachDialog(root);
        m_window.Paint();
    }

    [[nodiscard]] int Count(const std::string& entry) const
    {
        return static_cast<int>(std::count(m_log.begin(), m_log.end(), entry));
    }

    // Moves to the first point, presses, moves along, releases at the last point.
    void Drag(const std::vector<POINT>& path)
    {
        m_window.SendMouse(WM_MOUSEMOVE, path.front().x, path.front().y);
        m_window.SendMouse(WM_LBUTTONDOWN, path.front().x, path.front().y, MK_LBUTTON);
        for (size_t i = 1; i < path.size(); ++i) {
            m_window.SendMouse(WM_MOUSEMOVE, path[i].x, path[i].y, MK_LBUTTON);
        }
        m_window.SendMouse(WM_LBUTTONUP, path.back().x, path.back().y);
    }

    probe::Log m_log;
    probe::LogNotifier m_notifier;
    probe::TestWindow m_window;
    CButtonUI* m_button = nullptr; // owned by the tree
};

TEST_F(ButtonInput, ClicksOnlyWhenReleasedInside)
{
    struct {
        const char* label;
        std::vector<POINT> path;
        int clicks;
    } const cases[] = {
        {"pressed and released inside", {{30, 30}, {70, 45}}, 1},
        {"released outside", {{30, 30}, {150, 80}}, 0},
        {"pressed outside", {{150, 80}, {30, 30}}, 0},
        {"out and back in", {{30, 30}, {150, 80}, {40, 40}}, 1},
        {"released on the exclusive right edge", {{30, 30}, {80, 30}}, 0},
    };
    for (const auto& c : cases) {
        m_log.clear();
        Drag(c.path);
        EXPECT_EQ(c.clicks, Count("notify:click:btn")) << c.label;
        EXPECT_EQ(0u, m_button->GetButtonState() & (DuiLib::UISTATE_PUSHED | DuiLib::UISTATE_CAPTURED)) << c.label;
    }
}

TEST_F(ButtonInput, SpaceAndReturnClickTheFocusedButton)
{
    Drag({{30, 30}, {30, 30}});
    ASSERT_TRUE(m_button->IsFocused());
    m_log.clear();
    const struct {
        WPARAM key;
        bool keyboard;
        int clicks;
    } cases[] = {{VK_SPACE, true, 1}, {VK_RETURN, true, 1}, {'A', true, 0}, {VK_SPACE, false, 0}};
    for (const auto& c : cases) {
        m_log.clear();
        m_button->SetKeyboardEnabled(c.keyboard);
        m_window.Send(WM_KEYDOWN, c.key);
        m_window.Send(WM_KEYUP, c.key);
        EXPECT_EQ(c.clicks, Count("notify:click:btn")) << c.key << " keyboard " << c.keyboard;
    }
}

TEST(ButtonCursor, HandOnlyWhenShowHandWasTurnedOn)
{
    CButtonUI button;
    button.SetAttribute(L"showhand", L"true");
    button.SetAttribute(L"showhand", L"false");
    EXPECT_TRUE(button.IsShowHand()) << "only \"true\" has an effect";
    DuiLib::TEventUI event;
    event.Type = DuiLib::kEventSetCursor;
    button.Event(event);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_HAND), ::GetCursor());
    CButtonUI plain;
    plain.Event(event);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

// Solid 10x10 images; each state image shows as its colour in the middle of the button.
class ButtonImages : public testing::Test {
protected:
    ButtonImages() : m_canvas(40, 40, kWhite)
    {
        const struct {
            const wchar_t* name;
            Rgb colour;
        } images[] = {{L"normal", kRed}, {L"hot", kGreen}, {L"pushed", kBlue}, {L"focused", kYellow},
                      {L"disabled", kGrey}, {L"fore", kCyan}};
        for (const auto& image : images) {
            const std::uint32_t pixel = render_test::Pack(image.colour);
            m_manager.AddImage(image.name, render_test::MakeBitmap(10, 10, [pixel](int, int) { return pixel; }), 10,
                               10, false);
        }
        m_button.SetManager(&m_manager, nullptr, false);
        m_button.SetPos({0, 0, 40, 40});
    }

    void Send(int type, POINT pt = {20, 20})
    {
        DuiLib::TEventUI event;
        event.Type = type;
        event.ptMouse = pt;
        m_button.Event(event);
    }

    [[nodiscard]] Rgb Middle()
    {
        m_canvas.Fill(kWhite);
        m_button.DoPaint(m_canvas.Dc(), {0, 0, 40, 40});
        return m_canvas.PixelAt(20, 20);
    }

    DuiLib::CPaintManagerUI m_manager;
    CButtonUI m_button;
    Canvas m_canvas;
};

TEST_F(ButtonImages, EachStateShowsItsImage)
{
    m_button.SetAttribute(L"normalimage", L"normal");
    m_button.SetAttribute(L"hotimage", L"hot");
    m_button.SetAttribute(L"pushedimage", L"pushed");
    m_button.SetAttribute(L"focusedimage", L"focused");
    m_button.SetAttribute(L"disabledimage", L"disabled");
    EXPECT_EQ(kRed, Middle());
    Send(DuiLib::kEventSetFocus);
    EXPECT_EQ(kYellow, Middle());
    Send(DuiLib::kEventMouseEnter);
    EXPECT_EQ(kGreen, Middle()) << "hot wins over focused";
    Send(DuiLib::kEventButtonDown);
    EXPECT_EQ(kBlue, Middle()) << "pushed wins over hot";
    Send(DuiLib::kEventButtonUp);
    m_button.SetEnabled(false);
    EXPECT_EQ(0u, m_button.GetButtonState()) << "disabling clears every state";
    EXPECT_FALSE(m_button.Activate());
    EXPECT_EQ(kGrey, Middle());
}

TEST_F(ButtonImages, FallbacksAndForeImages)
{
    m_button.SetAttribute(L"normalimage", L"normal");
    m_button.SetAttribute(L"disabledimage", L"missing.png");
    m_button.SetEnabled(false);
    EXPECT_EQ(kRed, Middle()) << "a disabled image that fails falls back to the normal one";
    EXPECT_STREQ(L"", m_button.GetDisabledImage()) << "and is not tried again";

    m_button.SetEnabled(true);
    m_button.SetAttribute(L"hotbkcolor", L"#FF0000FF");
    m_button.SetAttribute(L"foreimage", L"file='fore' dest='0,0,10,10'");
    Send(DuiLib::kEventMouseEnter);
    EXPECT_EQ(kBlue, Middle()) << "hot without a hot image fills the hot colour";
    EXPECT_EQ(kBlue, m_canvas.PixelAt(5, 5)) << "and stops there";
    m_button.SetAttribute(L"hotimage", L"hot");
    m_button.SetAttribute(L"hotforeimage", L"file='focused' dest='0,0,10,10'");
    EXPECT_EQ(kGreen, Middle());
    EXPECT_EQ(kYellow, m_canvas.PixelAt(5, 5)) << "the hot fore image replaces the fore image";
    Send(DuiLib::kEventMouseLeave);
    EXPECT_EQ(kRed, Middle());
    EXPECT_EQ(kCyan, m_canvas.PixelAt(5, 5));
}

// Text colour by state.
TEST_F(ButtonImages, TextTakesTheStatesColour)
{
    constexpr Rgb kMagenta{255, 0, 255};
    m_button.SetText(L"MMMM");
    m_button.SetAttribute(L"textcolor", L"#FFFF00FF");
    m_button.SetAttribute(L"hottextcolor", L"#FFFF0000");
    m_button.SetAttribute(L"pushedtextcolor", L"#FF00FF00");
    m_button.SetAttribute(L"focusedtextcolor", L"#FFFFFF00");
    m_button.SetAttribute(L"disabledtextcolor", L"#FF0000FF");
    const auto inks = [this](Rgb c) {
        (void)Middle();
        return text_ink::Count(m_canvas, c, {0, 0, 40, 40}).inside;
    };
    EXPECT_GT(inks(kMagenta), 0);
    Send(DuiLib::kEventSetFocus);
    EXPECT_GT(inks(kYellow), 0);
    Send(DuiLib::kEventMouseEnter);
    EXPECT_GT(inks(kRed), 0);
    Send(DuiLib::kEventButtonDown);
    EXPECT_GT(inks(kGreen), 0);
    EXPECT_EQ(0, inks(kRed));
    Send(DuiLib::kEventButtonUp, {100, 100});
    m_button.SetEnabled(false);
    EXPECT_GT(inks(kBlue), 0) << "a disabled button shows the disabled colour even while focused";
    EXPECT_EQ(0, inks(kYellow));
}

} // namespace
