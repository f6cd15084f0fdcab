// CScrollTextButtonUI in a real window built from markup: the rotation driven through the
// manager's timers (which timer runs, how many steps a change takes, the URL of the item
// showing, no "timer" notification), and the current and next texts clipped to their
// parts of the control in pixels.

#include "controls/ScrollTextButtonUI.h"

#include "tests/controls/SkinWindow.h"
#include "tests/duilib/control/TextInk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using render_test::Canvas;

namespace {

// Two buttons at (20, 10): one 36 high, one of height 0.
constexpr wchar_t kMarkup[] =
    L"<Window><VerticalLayout><HorizontalLayout height=\"50\">"
    L"<ScrollTextButton name=\"ad\" float=\"true\" pos=\"20,10,0,0\" width=\"140\" height=\"36\" "
    L"textcolor=\"#FFFF0000\" />"
    L"<ScrollTextButton name=\"flat\" float=\"true\" pos=\"20,10,0,0\" width=\"140\" height=\"0\" />"
    L"</HorizontalLayout></VerticalLayout></Window>";

class ScrollText : public testing::Test {
protected:
    ScrollText() : m_skin(kMarkup, 200, 60) {}

    CScrollTextButtonUI* Use(const wchar_t* name)
    {
        auto* button = m_skin.Find<CScrollTextButtonUI>(name);
        button->EventListeners += DuiLib::MakeDelegate(this, &ScrollText::OnButtonEvent);
        return button;
    }

    // WM_TIMER for every native id until one reaches the button: the control timer id of
    // the one timer running, or 0 when none is.
    UINT FireRunningTimer()
    {
        for (WPARAM id = 0; id < 256; ++id) {
            m_fired = 0;
            m_skin.Send(WM_TIMER, id);
            if (m_fired != 0) {
                return m_fired;
            }
        }
        return 0;
    }

    bool OnButtonEvent(void* param)
    {
        const auto* event = static_cast<const DuiLib::TEventUI*>(param);
        if (event->Type == DuiLib::kEventTimer) {
            m_fired = static_cast<UINT>(event->wParam);
        }
        return true;
    }

    // Starts the rotation as the window does, then runs `pauses` pause ends and the
    // scrolls after them.
    std::string Rotate(CScrollTextButtonUI* button, int pauses, std::string& urls)
    {
        urls = Url(button);
        EXPECT_TRUE(
            m_skin.Manager().SetTimer(button, CScrollTextButtonUI::kPauseTimerId, button->GetPauseInterval()));
        std::string trace;
        UINT id = FireRunningTimer();
        for (int i = 0; i < pauses && id == CScrollTextButtonUI::kPauseTimerId; ++i) {
            urls += " " + Url(button);
            int steps = 0;
            int offset = 0; // where the scroll stopped: the next pause end starts again at 0
            while ((id = FireRunningTimer()) == CScrollTextButtonUI::kScrollTimerId) {
                ++steps;
                offset = button->GetOffset();
            }
            trace += "29 28x" + std::to_string(steps) + " @" + std::to_string(offset) + " ";
        }
        return trace;
    }

    static std::string Url(const CScrollTextButtonUI* button)
    {
        const DuiLib::CDuiString url = button->GetCurrentUrl();
        return url.IsEmpty() ? "-" : std::string(url.GetData(), url.GetData() + url.GetLength());
    }

    controls_test::SkinWindow m_skin;
    UINT m_fired = 0;
};

struct RotationCase {
    const char* name;
    const wchar_t* button;
    int items;
    int pauses;
    const char* trace; // per pause: the pause end, the scroll steps and the final offset
    const char* urls;  // before the start, then after each pause end
};

void PrintTo(const RotationCase& c, std::ostream* os) { *os << c.name; }

class Rotation : public ScrollText, public testing::WithParamInterface<RotationCase> {};

TEST_P(Rotation, AlternatesPauseAndScrollShowingTheItemsInTurn)
{
    const RotationCase& c = GetParam();
    CScrollTextButtonUI* button = Use(c.button);
    for (int i = 0; i < c.items; ++i) {
        button->AddItem((L"T" + std::to_wstring(i)).c_str(), (L"u" + std::to_wstring(i)).c_str());
    }
    std::string urls;
    EXPECT_EQ(c.trace, Rotate(button, c.pauses, urls));
    EXPECT_EQ(c.urls, urls);
    EXPECT_EQ(0, std::count(m_skin.notifications.begin(), m_skin.notifications.end(), L"timer"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Rotation,
    testing::Values(RotationCase{"one item", L"ad", 1, 3, "29 28x18 @36 29 28x18 @36 29 28x18 @36 ", "u0 u0 u0 u0"},
                    RotationCase{"two items", L"ad", 2, 3, "29 28x18 @36 29 28x18 @36 29 28x18 @36 ", "u0 u1 u0 u1"},
                    RotationCase{"three items", L"ad", 3, 4, "29 28x18 @36 29 28x18 @36 29 28x18 @36 29 28x18 @36 ",
                                 "u0 u1 u2 u0 u1"},
                    RotationCase{"no items", L"ad", 0, 2, "29 28x18 @36 29 28x18 @36 ", "- - -"},
                    RotationCase{"height 0 pauses after one step", L"flat", 2, 2, "29 28x1 @0 29 28x1 @0 ",
                                 "u0 u1 u0"}));

struct ClipCase {
    const char* name;
    const wchar_t* texts[3];
    bool html;
    int pauses;
    int steps;     // scroll steps after the last pause end
    RECT inked;    // where the red text may show, all of it inside the control
};

void PrintTo(const ClipCase& c, std::ostream* os) { *os << c.name; }

class Clipping : public ScrollText, public testing::WithParamInterface<ClipCase> {};

TEST_P(Clipping, EachTextStaysInItsPart)
{
    const ClipCase& c = GetParam();
    CScrollTextButtonUI* button = Use(L"ad");
    button->SetShowHtml(c.html);
    for (const wchar_t* text : c.texts) {
        button->AddItem(text, nullptr);
    }
    if (c.pauses > 0) {
        ASSERT_TRUE(m_skin.Manager().SetTimer(button, CScrollTextButtonUI::kPauseTimerId, 3000));
    }
    for (int i = 0; i < c.pauses; ++i) {
        ASSERT_EQ(CScrollTextButtonUI::kPauseTimerId, FireRunningTimer());
        for (int step = 0; step < (i + 1 < c.pauses ? 18 : c.steps); ++step) {
            ASSERT_EQ(CScrollTextButtonUI::kScrollTimerId, FireRunningTimer());
        }
    }
    Canvas canvas(200, 60);
    button->DoPaint(canvas.Dc(), {0, 0, 200, 60});
    const text_ink::Ink ink = text_ink::Count(canvas, {255, 0, 0}, c.inked);
    EXPECT_GT(ink.inside, 0);
    EXPECT_EQ(0, ink.outside);
}

constexpr const wchar_t* kWide = L"MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM";

INSTANTIATE_TEST_SUITE_P(
    Cases, Clipping,
    testing::Values(ClipCase{"first text before the start, wider than the control", {kWide, L"", L""}, false, 0, 0,
                             {20, 10, 160, 46}},
                    ClipCase{"next text 4 px in", {L"", L"MMMM", L""}, false, 1, 2, {20, 42, 160, 46}},
                    ClipCase{"current text 6 px left", {L"MMMM", L"", L""}, false, 1, 15, {20, 10, 160, 16}},
                    ClipCase{"second change halfway", {L"", L"", kWide}, false, 2, 9, {20, 28, 160, 46}},
                    ClipCase{"formatted next text 4 px in", {L"", L"<b>MMMM</b>", L""}, true, 1, 2,
                             {20, 42, 160, 46}}));

} // namespace
