// The application's controls come out of skin markup through a window's builder callback,
// with their own attributes and those of their framework bases applied.

#include "controls/ScrollOptionUI.h"
#include "controls/ScrollTabUI.h"
#include "controls/ScrollTextButtonUI.h"
#include "duilib/control/ButtonUI.h"

#include "tests/TestPrinters.h"
#include "tests/controls/SkinWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kMarkup[] =
    L"<Window><VerticalLayout>"
    L"<HorizontalLayout height=\"30\"><ScrollTabUI name=\"tabbar\" TabWidth=\"90\" MinTabWidth=\"45\" "
    L"TabSelColor=\"#FF102030\" TabNorColor=\"FF405060\" bkcolor=\"#FF010203\" /></HorizontalLayout>"
    L"<HorizontalLayout height=\"36\"><ScrollTextButton name=\"ad\" float=\"true\" pos=\"20,0,0,0\" width=\"140\" "
    L"height=\"36\" hottextcolor=\"#FFFF0090\" /><ScrollOptionUI name=\"loose\" /><scrolltabui name=\"case\" />"
    L"<CefWebkit name=\"view\" /></HorizontalLayout>"
    L"</VerticalLayout></Window>";

TEST(AppControlMarkup, BuiltThroughTheWindowsCreateControl)
{
    controls_test::SkinWindow skin(kMarkup, 400, 66);
    const std::vector<std::wstring> asked{L"ScrollTabUI", L"ScrollTextButton", L"ScrollOptionUI", L"scrolltabui",
                                          L"CefWebkit"};
    EXPECT_EQ(asked, skin.asked);
    EXPECT_EQ(nullptr, skin.Manager().FindControl(L"case"));
    EXPECT_EQ(nullptr, skin.Manager().FindControl(L"view"));

    auto* bar = skin.Find<CScrollTabUI>(L"tabbar");
    ASSERT_NE(nullptr, bar);
    EXPECT_STREQ(L"ContainerUI", bar->GetClass());
    EXPECT_EQ(90, bar->GetTabWidth());
    EXPECT_EQ(45, bar->GetMinTabWidth());
    EXPECT_EQ(0xFF102030u, bar->GetSelectedColor());
    EXPECT_EQ(0xFF405060u, bar->GetNormalColor()) << "the same colour without \"#\"";
    EXPECT_EQ(0xFF010203u, bar->GetBkColor());
    ASSERT_NE(nullptr, bar->GetAddButton()) << "initialised when the tree joined the window";
    EXPECT_EQ((RECT{0, 0, 25, 30}), bar->GetAddButton()->GetPos());
    EXPECT_STREQ(L"新建", bar->GetAddButton()->GetToolTip());

    auto* ad = skin.Find<CScrollTextButtonUI>(L"ad");
    ASSERT_NE(nullptr, ad);
    EXPECT_STREQ(L"ButtonUI", ad->GetClass());
    EXPECT_EQ(ad, ad->GetInterface(L"Button"));
    EXPECT_EQ((RECT{20, 30, 160, 66}), ad->GetPos());
    EXPECT_EQ(0xFFFF0090u, ad->GetHotTextColor());

    auto* loose = skin.Find<CScrollOptionUI>(L"loose");
    ASSERT_NE(nullptr, loose);
    EXPECT_NE(nullptr, loose->GetCloseButton());
    EXPECT_EQ(nullptr, loose->GetOwner());
}

} // namespace
