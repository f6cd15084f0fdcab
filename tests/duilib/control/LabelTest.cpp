// CLabelUI: the style its attributes build, the shadow arithmetic, text drawn in its
// colours inside the text rectangle only, the end ellipsis and the GDI+ gradient.

#include "duilib/control/LabelUI.h"
#include "duilib/control/TextUI.h"
#include "duilib/core/PaintManager.h"

#include "tests/duilib/core/manager/ManagerFixture.h"

#include "tests/duilib/control/TextInk.h"

#include <objidl.h>

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

using DuiLib::CLabelUI;
using DuiLib::CPaintManagerUI;
using render_test::Canvas;
using render_test::Rgb;

namespace {

constexpr Rgb kWhite{255, 255, 255};

struct AttributeCase {
    const char* label;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes;
    UINT style;
};

void PrintTo(const AttributeCase& c, std::ostream* os)
{
    *os << c.label;
}

class LabelStyle : public testing::TestWithParam<AttributeCase> {};

TEST_P(LabelStyle, FollowsTheAttributesInOrder)
{
    CLabelUI label;
    for (const auto& attribute : GetParam().attributes) {
        label.SetAttribute(attribute.first, attribute.second);
    }
    EXPECT_EQ(GetParam().style, label.GetTextStyle());
}

const AttributeCase kStyleCases[] = {
    {"default", {}, 0x24},
    {"left+vcenter", {{L"align", L"left+vcenter"}}, 0x24},
    {"multiline, then left+top", {{L"multiline", L"true"}, {L"align", L"left+top"}}, 0x2010},
    {"multiline after align changes nothing", {{L"align", L"left+top"}, {L"multiline", L"true"}}, 0x20},
    {"right+bottom adds to the default", {{L"align", L"right+bottom"}}, 0x2E},
    {"center+bottom adds to the default", {{L"align", L"center+bottom"}}, 0x2D},
    {"right+vcenter", {{L"align", L"right+vcenter"}}, 0x26},
    {"center+top ignores multiline", {{L"multiline", L"true"}, {L"align", L"center+top"}}, 0x21},
    {"left+bottom multiline", {{L"multiline", L"true"}, {L"align", L"left+bottom"}}, 0x2018},
    {"a later word wins", {{L"align", L"left+top center+vcenter"}}, 0x25},
    {"endellipsis true", {{L"endellipsis", L"true"}}, 0x8024},
    {"endellipsis false", {{L"endellipsis", L"true"}, {L"endellipsis", L"false"}}, 0x24},
    {"unknown word keeps the style", {{L"align", L"middle"}}, 0x24},
};

INSTANTIATE_TEST_SUITE_P(Table, LabelStyle, testing::ValuesIn(kStyleCases));

TEST(LabelEffects, AttributesAndShadowArithmetic)
{
    CLabelUI label;
    label.SetAttribute(L"rhaa", L"7");
    EXPECT_EQ(0, label.GetTextRenderingHintAntiAlias());
    label.SetAttribute(L"rhaa", L"4");
    EXPECT_EQ(4, label.GetTextRenderingHintAntiAlias());
    label.SetAttribute(L"effectalign", L"right");
    label.SetAttribute(L"effectvalign", L"bottom");
    EXPECT_EQ(2, label.GetEffectAlign());
    EXPECT_EQ(2, label.GetEffectLineAlign());
    label.SetAttribute(L"effectalign", L"center or left");
    EXPECT_EQ(0, label.GetEffectAlign()) << "left is looked for first";
    label.SetAttribute(L"textcolor1", L"#FF102030");
    EXPECT_EQ(0xFF102030u, label.GetTextColor1());

    struct {
        int offset;
        int angle;
        float x;
        float y;
    } const shadows[] = {{2, 45, -2, -2}, {2, -90, 2, 0}, {3, 180, -3, 3}, {3, -135, 3, 3}, {4, 0, -4, -4}};
    for (const auto& s : shadows) {
        label.SetShadowOffset(s.offset, s.angle);
        const Gdiplus::RectF displacement = label.GetShadowOffset();
        EXPECT_EQ(s.x, displacement.X) << s.offset << "," << s.angle;
        EXPECT_EQ(s.y, displacement.Y) << s.offset << "," << s.angle;
        EXPECT_EQ(s.angle, label.GetShadowOffset1().cy);
    }
    label.SetPos({100, 50, 200, 80});
    label.SetAttribute(L"shadowoffset", L"2,45");
    EXPECT_EQ(-2.0F, label.GetShadowOffset().X) << "the displacement does not depend on the position";
    label.SetShadowOffset(5, 181);
    EXPECT_EQ(45, label.GetShadowOffset1().cy) << "angles beyond 180 are ignored";
}

TEST(LabelEffects, GdiplusRunsWhileLabelsLive)
{
    const int before = CLabelUI::GetLiveCount();
    {
        auto first = std::make_unique<CLabelUI>();
        const CLabelUI copy(*first);
        EXPECT_EQ(before + 2, CLabelUI::GetLiveCount());
        first.reset();
        EXPECT_EQ(before + 1, CLabelUI::GetLiveCount()) << "the copy keeps GDI+ running";
    }
    EXPECT_EQ(before, CLabelUI::GetLiveCount());
}

// A label attached to a window-less manager, painted over a white canvas.
class LabelPaint : public testing::Test {
protected:
    LabelPaint() : m_canvas(120, 40, kWhite)
    {
        m_label.SetManager(&m_manager, nullptr, false);
        m_label.SetPos({10, 5, 110, 35});
        m_label.SetAttribute(L"textpadding", L"4,2,4,2");
    }

    void Paint() { m_label.DoPaint(m_canvas.Dc(), {0, 0, 120, 40}); }

    // Ink of colour c inside and outside the text rectangle (10+4, 5+2, 110-4, 35-2).
    [[nodiscard]] text_ink::Ink InkOf(Rgb c) const { return text_ink::Count(m_canvas, c, {14, 7, 106, 33}); }

    CPaintManagerUI m_manager;
    CLabelUI m_label;
    Canvas m_canvas;
};

TEST_F(LabelPaint, TextTakesItsColourByStateInsideTheTextRectangleOnly)
{
    m_manager.SetDefaultFontColor(0xFF00FF00);
    m_label.SetText(L"MMMM");
    Paint();
    EXPECT_EQ(0xFF00FF00u, m_label.GetTextColor()) << "the manager's colour, kept";
    EXPECT_EQ(m_manager.GetDefaultDisabledColor(), m_label.GetDisabledTextColor());

    struct {
        bool enabled;
        Rgb expected;
        Rgb other;
    } const cases[] = {{true, Rgb{255, 0, 0}, Rgb{0, 0, 255}}, {false, Rgb{0, 0, 255}, Rgb{255, 0, 0}}};
    m_label.SetText(L"MMMMMMMMMMMMMMMMMMMM");
    m_label.SetAttribute(L"textcolor", L"#FFFF0000");
    m_label.SetAttribute(L"disabledtextcolor", L"#FF0000FF");
    for (const auto& c : cases) {
        m_canvas.Fill(kWhite);
        m_label.SetEnabled(c.enabled);
        Paint();
        const text_ink::Ink ink = InkOf(c.expected);
        EXPECT_GT(ink.inside, 50) << "enabled " << c.enabled;
        EXPECT_EQ(0, ink.outside) << "enabled " << c.enabled;
        EXPECT_EQ(0, InkOf(c.other).inside) << "enabled " << c.enabled;
    }
}

// Without room, the end of a line of capitals is dots on the base line: the upper half
// of the last glyphs stays white.
TEST_F(LabelPaint, EndEllipsisReplacesWhatDoesNotFit)
{
    m_label.SetText(L"HHHHHHHHHHHHHHHHHHHHHHHHHHHH");
    m_label.SetAttribute(L"textcolor", L"#FF000000");
    const auto inkInUpperRightCorner = [this] {
        int rightmost = -1;
        for (int x = 105; x >= 14 && rightmost < 0; --x) {
            for (int y = 7; y < 33; ++y) {
                rightmost = m_canvas.PixelAt(x, y) != kWhite ? x : rightmost;
            }
        }
        int upper = 0;
        for (int x = rightmost - 6; x <= rightmost; ++x) {
            for (int y = 7; y < 17; ++y) {
                upper += m_canvas.PixelAt(x, y) != kWhite ? 1 : 0;
            }
        }
        return upper;
    };
    Paint();
    EXPECT_GT(inkInUpperRightCorner(), 0) << "clipped capitals reach the top";
    m_canvas.Fill(kWhite);
    m_label.SetAttribute(L"endellipsis", L"true");
    Paint();
    EXPECT_EQ(0, inkInUpperRightCorner()) << "an ellipsis stays low";
}

TEST_F(LabelPaint, MarkupShowsItsTagsEffect)
{
    m_label.SetAttribute(L"showhtml", L"true");
    m_label.SetText(L"<c #00FF00>MMMM</c>");
    m_label.SetAttribute(L"textcolor", L"#FFFF0000");
    Paint();
    EXPECT_GT(InkOf(Rgb{0, 255, 0}).inside, 10);
    EXPECT_EQ(0, InkOf(Rgb{255, 0, 0}).inside) << "the tags are not drawn as text";
}

// The effect path draws a vertical gradient down the text rectangle: reddish at the top,
// greyish at the bottom, both at alpha 168 over white.
TEST_F(LabelPaint, EffectTextIsAGradientFromTheTextColourToBlack)
{
    m_manager.AddFont(L"DejaVu Sans", 24, true, false, false);
    m_label.SetAttribute(L"font", L"0");
    m_label.SetAttribute(L"textcolor", L"#FFFF0000");
    m_label.SetAttribute(L"enabledeffect", L"true");
    m_label.SetText(L"\x2588\x2588\x2588");
    Paint();
    const auto reddest = [this](int y0, int y1) {
        int best = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = 0; x < m_canvas.Width(); ++x) {
                const Rgb p = m_canvas.PixelAt(x, y);
                best = std::max(best, p.r - p.g);
            }
        }
        return best;
    };
    const int top = reddest(7, 14);
    const int bottom = reddest(26, 33);
    EXPECT_GT(top, 100) << "near the start: mostly the text colour";
    EXPECT_LT(bottom, top / 2) << "near the end: mostly black";
    EXPECT_EQ(kWhite, m_canvas.PixelAt(5, 20)) << "nothing left of the label";
}

// A text control's links, recorded by painting, take clicks and the hand cursor.
TEST(TextLinks, ReleaseOnALinkSendsItsIndex)
{
    probe::Log log;
    probe::LogNotifier notifier(&log);
    probe::TestWindow window(200, 60);
    auto* root = new probe::CProbePanelUI(nullptr, L"root", RECT{0, 0, 200, 60});
    auto* text = root->Add(new DuiLib::CTextUI);
    text->SetName(L"text");
    text->SetAttribute(L"showhtml", L"true");
    text->SetText(L"<a first>One</a> <a second>Two</a>");
    text->SetPos({10, 10, 190, 50});
    window.Manager().AddNotifier(&notifier);
    window.Manager().AttachDialog(root);
    EXPECT_EQ(0u, text->GetControlFlags()) << "no links before the first paint";
    window.Paint();
    ASSERT_NE(nullptr, text->GetLinkContent(1));
    EXPECT_STREQ(L"second", text->GetLinkContent(1)->GetData());
    EXPECT_EQ(nullptr, text->GetLinkContent(2));
    EXPECT_EQ(DuiLib::UIFLAG_SETCURSOR, text->GetControlFlags());
    log.clear();
    window.SendMouse(WM_MOUSEMOVE, 14, 14);
    window.SendMouse(WM_LBUTTONDOWN, 14, 14, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, 14, 14);
    EXPECT_STREQ(L"link", notifier.last.sType.GetData());
    EXPECT_EQ(0u, notifier.last.wParam);
    window.SendMouse(WM_LBUTTONDOWN, 150, 40, MK_LBUTTON);
    window.SendMouse(WM_LBUTTONUP, 150, 40);
    EXPECT_EQ(1, std::count(log.begin(), log.end(), "notify:link:text")) << "only the release on a link";
}

} // namespace
