// Plain text of the render engine, drawn into DIB sections: DrawText, AlphaDrawText
// and GetTextSize.

#include "TextTestSupport.h"

#include "duilib/core/RenderEngine.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

using DuiLib::CRenderEngine;
using texttest::DibSurface;
using texttest::kFace;
using texttest::kWhite;
using texttest::Rgb;
using texttest::TextManager;

namespace {

constexpr RECT kRc{20, 10, 180, 50};
constexpr UINT kOneLine = DT_SINGLELINE | DT_VCENTER;

class DrawTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        plain = m_pm->AddFont(kFace, 16, false, false, false) != nullptr ? 0 : -1;
        bold = m_pm->AddFont(kFace, 28, true, false, false) != nullptr ? 1 : -1;
        ASSERT_EQ(0, plain);
        ASSERT_EQ(1, bold);
    }
    RECT Draw(const wchar_t* text, DWORD color = 0xFF000000u, int font = 0, UINT style = kOneLine)
    {
        RECT rc = kRc;
        CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), rc, text, color, font, style);
        return surface.InkBox();
    }

    TextManager m_pm;
    DibSurface surface{200, 60};
    int plain = -1;
    int bold = -1;
};

TEST_F(DrawTextTest, InkStaysInsideTheRectangle)
{
    const RECT ink = Draw(L"Hello, world", 0xFF000000u, 0, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ASSERT_FALSE(texttest::IsEmptyBox(ink));
    EXPECT_TRUE(texttest::OnlyInside(surface, kRc));
    EXPECT_EQ(kWhite, surface.PixelAt(kRc.left - 1, 30)) << "one pixel left of the rectangle";
    EXPECT_EQ(kWhite, surface.PixelAt(kRc.right, 30)) << "the exclusive right edge";
}

TEST_F(DrawTextTest, OverlongTextIsClippedToTheRectangle)
{
    RECT rc{20, 10, 60, 30};
    CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), rc, L"WWWWWWWWWWWWWWWWWWW", 0xFF000000u, bold, kOneLine);
    EXPECT_FALSE(texttest::IsEmptyBox(surface.InkBox()));
    EXPECT_TRUE(texttest::OnlyInside(surface, rc));
}

TEST_F(DrawTextTest, AmpersandIsDrawnLiterally)
{
    EXPECT_FALSE(texttest::IsEmptyBox(Draw(L"&"))) << "a lone prefix character would draw nothing";
    RECT calc = kRc;
    CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), calc, L"&&&&", 0xFF000000u, 0, DT_SINGLELINE | DT_CALCRECT);
    const SIZE four = CRenderEngine::GetTextSize(surface.dc(), &m_pm.pm(), L"&&&&", 0, 0);
    EXPECT_EQ(four.cx, calc.right - calc.left) << "four ampersands, not two";
}

TEST_F(DrawTextTest, KeysWithIdAreReplacedFromTheLanguageTable)
{
    using DuiLib::CPaintManagerUI;
    CPaintManagerUI::AddLanguageAttributeList(L"IDS_GREETING", L"WWWWWWWW");
    CPaintManagerUI::AddLanguageAttributeList(L"greeting", L"WWWWWWWW");
    CPaintManagerUI::AddLanguageAttributeList(L"ID_EMPTY", L"");
    const RECT replaced = Draw(L"IDS_GREETING");
    surface.Fill(kWhite);
    const RECT noId = Draw(L"greeting");
    surface.Fill(kWhite);
    const RECT emptyTranslation = Draw(L"ID_EMPTY");
    surface.Fill(kWhite);
    (void)CPaintManagerUI::RemoveLanguageAttributeList(L"IDS_GREETING");
    (void)CPaintManagerUI::RemoveLanguageAttributeList(L"greeting");
    (void)CPaintManagerUI::RemoveLanguageAttributeList(L"ID_EMPTY");
    const RECT direct = Draw(L"WWWWWWWW");
    surface.Fill(kWhite);
    const RECT keyOnly = Draw(L"greeting");
    surface.Fill(kWhite);
    const RECT emptyKey = Draw(L"ID_EMPTY");
    EXPECT_EQ(direct, replaced);
    EXPECT_EQ(keyOnly, noId) << "without \"ID\" the text is not looked up";
    EXPECT_NE(direct, noId);
    EXPECT_FALSE(texttest::IsEmptyBox(emptyTranslation));
    EXPECT_EQ(emptyKey, emptyTranslation) << "an empty translation keeps the key";
}

TEST_F(DrawTextTest, NothingWithoutManagerOrText)
{
    RECT rc = kRc;
    CRenderEngine::DrawText(surface.dc(), nullptr, rc, L"Text", 0xFF000000u, 0, kOneLine);
    CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), rc, nullptr, 0xFF000000u, 0, kOneLine);
    CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), rc, L"", 0xFF000000u, 0, kOneLine);
    CRenderEngine::AlphaDrawText(surface.dc(), nullptr, rc, L"Text", 0xFF000000u, 0, kOneLine);
    CRenderEngine::AlphaDrawText(surface.dc(), &m_pm.pm(), rc, nullptr, 0xFF000000u, 0, kOneLine);
    EXPECT_TRUE(texttest::IsEmptyBox(surface.InkBox()));
    EXPECT_EQ(rc, kRc);
}

TEST_F(DrawTextTest, PureBlackIsDrawnAsBlueOne)
{
    (void)Draw(L"IIII", 0xFF000000u, bold);
    EXPECT_GT(surface.CountPixels(Rgb{0, 0, 1}, surface.Bounds()), 0);
    EXPECT_EQ(0, surface.CountPixels(Rgb{0, 0, 0}, surface.Bounds()));
    surface.Fill(kWhite);
    (void)Draw(L"IIII", 0xFF000002u, bold);
    EXPECT_GT(surface.CountPixels(Rgb{0, 0, 2}, surface.Bounds()), 0) << "other colours are drawn as they are";
    EXPECT_EQ(0, surface.CountPixels(Rgb{0, 0, 1}, surface.Bounds()));
}

TEST_F(DrawTextTest, AlphaTextInkIsOpaqueInTheRequestedColourAndTheRestUntouched)
{
    const Rgb grey{128, 128, 128};
    surface.Fill(grey, 0);
    RECT rc = kRc;
    CRenderEngine::AlphaDrawText(surface.dc(), &m_pm.pm(), rc, L"IIII Alpha", 0xFFFF0000u, bold, kOneLine);
    ::GdiFlush();
    int full = 0;
    int untouched = 0;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const bool inside = x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
            const Rgb c = surface.RgbAt(x, y);
            const BYTE a = BYTE(surface.RawAt(x, y) >> 24);
            if (!inside || c == grey) {
                ASSERT_EQ(grey, c) << x << "," << y;
                ASSERT_EQ(0, a) << "untouched pixels keep the background and its alpha at " << x << "," << y;
                ++untouched;
                continue;
            }
            ASSERT_EQ(255, a) << "ink is opaque at " << x << "," << y;
            full += c == Rgb{255, 0, 0} ? 1 : 0;
        }
    }
    EXPECT_GT(full, 0) << "fully covered pixels take the requested colour";
    EXPECT_GT(untouched, (rc.right - rc.left) * (rc.bottom - rc.top) / 4);
    EXPECT_EQ(0, surface.CountPixels(Rgb{254, 2, 3}, surface.Bounds())) << "no key colour is left behind";
}

TEST_F(DrawTextTest, AlphaTextCalculatesLikeDrawText)
{
    RECT alpha{0, 0, 0, 0};
    RECT plainRc{0, 0, 0, 0};
    CRenderEngine::AlphaDrawText(surface.dc(), &m_pm.pm(), alpha, L"Measure", 0xFF000000u, 0, DT_CALCRECT);
    CRenderEngine::DrawText(surface.dc(), &m_pm.pm(), plainRc, L"Measure", 0xFF000000u, 0, DT_CALCRECT);
    EXPECT_EQ(plainRc, alpha);
    EXPECT_GT(alpha.right, 0);
    EXPECT_TRUE(texttest::IsEmptyBox(surface.InkBox()));
}

TEST_F(DrawTextTest, TextSizeGrowsWithTheTextAndWithBold)
{
    ASSERT_NE(nullptr, m_pm->AddFont(kFace, 16, true, false, false));
    const SIZE shortText = CRenderEngine::GetTextSize(surface.dc(), &m_pm.pm(), L"abc", plain, 0);
    const SIZE longText = CRenderEngine::GetTextSize(surface.dc(), &m_pm.pm(), L"abcdef", plain, 0);
    const SIZE boldText = CRenderEngine::GetTextSize(surface.dc(), &m_pm.pm(), L"abcdef", 2, 0);
    EXPECT_GT(shortText.cx, 0);
    EXPECT_GT(shortText.cy, 0);
    EXPECT_GT(longText.cx, shortText.cx);
    EXPECT_GT(boldText.cx, longText.cx);
    EXPECT_EQ(longText.cy, shortText.cy);
    EXPECT_EQ((SIZE{0, 0}), CRenderEngine::GetTextSize(surface.dc(), nullptr, L"abc", plain, 0));
    EXPECT_EQ((SIZE{0, 0}), CRenderEngine::GetTextSize(surface.dc(), &m_pm.pm(), nullptr, plain, 0));
}

} // namespace
