// Damaged formatted text: random strings over the tag alphabet never crash, never
// draw outside the rectangle and never write past the link arrays.

#include "TextTestSupport.h"

#include "duilib/core/RenderEngine.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

using DuiLib::CDuiString;
using DuiLib::CRenderEngine;
using texttest::DibSurface;
using texttest::kWhite;
using texttest::TextManager;

namespace {

constexpr wchar_t kAlphabet[] = L"<<>>{{}}//  abcfinprsuxyzAB#09-\n";
constexpr UINT kStyles[] = {0,
                            DT_WORDBREAK,
                            DT_SINGLELINE | DT_END_ELLIPSIS,
                            DT_CENTER | DT_VCENTER | DT_WORDBREAK,
                            DT_SINGLELINE | DT_RIGHT | DT_BOTTOM,
                            DT_CALCRECT | DT_WORDBREAK};
constexpr int kCapacity = 2;

std::wstring RandomText(std::mt19937& rng)
{
    std::uniform_int_distribution<int> length(0, 60);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kAlphabet)) - 2);
    std::wstring text(static_cast<size_t>(length(rng)), L' ');
    for (wchar_t& ch : text) {
        ch = kAlphabet[pick(rng)];
    }
    return text;
}

TEST(HtmlTextFuzz, RandomTagSoupStaysInsideTheRectangleAndTheLinkArrays)
{
    TextManager pm;
    DibSurface surface(160, 90);
    const RECT inside{30, 20, 130, 70};
    const RECT sentinel{-3, -3, -3, -3};
    std::mt19937 rng(20240611u);
    int inked = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::wstring text = RandomText(rng);
        const UINT style = kStyles[static_cast<size_t>(i) % std::size(kStyles)];
        RECT rects[kCapacity + 1] = {sentinel, sentinel, sentinel};
        CDuiString texts[kCapacity + 1] = {L"-", L"-", L"-"};
        int count = kCapacity;
        RECT rc = inside;
        const int height = CRenderEngine::DrawHtmlText(surface.dc(), &pm.pm(), rc, text.c_str(), 0xFF000000u, rects,
                                                       texts, count, style);
        SCOPED_TRACE(testing::Message() << "case " << i << " style " << style);
        ASSERT_GE(height, 0);
        ASSERT_GE(count, 0);
        ASSERT_LE(count, kCapacity);
        ASSERT_EQ(sentinel, rects[kCapacity]);
        ASSERT_STREQ(L"-", texts[kCapacity].GetData());
        ASSERT_TRUE(texttest::OnlyInside(surface, inside));
        if ((style & DT_CALCRECT) != 0) {
            ASSERT_LE(rc.right, inside.right);
            ASSERT_GE(rc.bottom, inside.top);
            ASSERT_TRUE(texttest::IsEmptyBox(surface.InkBox())) << "calculating draws nothing";
        } else {
            ASSERT_EQ(inside, rc);
            inked += texttest::IsEmptyBox(surface.InkBox()) ? 0 : 1;
        }
        surface.Fill(kWhite);
    }
    EXPECT_GT(inked, 1500) << "most drawn cases leave ink, so the checks above saw real drawing";
}

} // namespace
