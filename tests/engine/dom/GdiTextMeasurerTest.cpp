#include "engine/render/GdiTextMeasurer.h"

#include <gtest/gtest.h>

#include <string>

#include "DibCanvas.h"

namespace engine {
namespace {

struct MeasureCase {
    FontKey font;
    std::wstring text;
};

class GdiTextMeasurerTest : public testing::TestWithParam<MeasureCase> {
protected:
    int DirectExtent(const FontKey& font, const std::wstring& text)
    {
        const SelectObjectScope select(m_canvas.Dc(), m_fonts.Get(font));
        SIZE size{};
        EXPECT_TRUE(::GetTextExtentPoint32W(m_canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &size));
        return size.cx;
    }

    test::DibCanvas m_canvas{8, 8};
    FontCache m_fonts;
};

// Widths come from cached per-character advances; they must match what GDI itself
// reports for the whole run, or lines would wrap where the painted text does not.
TEST_P(GdiTextMeasurerTest, MatchesTheExtentGdiReportsForTheWholeRun)
{
    GdiTextMeasurer measurer(m_canvas.Dc(), m_fonts);
    const auto& [font, text] = GetParam();
    const int expected = DirectExtent(font, text);
    EXPECT_GT(expected, 0);
    EXPECT_EQ(measurer.TextWidth(font, text), expected);
    EXPECT_EQ(measurer.TextWidth(font, text), expected) << "second measurement, from the cache";
}

INSTANTIATE_TEST_SUITE_P(Runs, GdiTextMeasurerTest,
    testing::Values(MeasureCase{FontKey{}, L"Watch live tonight"},
        MeasureCase{FontKey{32, true, false, false}, L"Headline, bold & wide"},
        MeasureCase{FontKey{16, false, true, true}, L"underlined italic link"},
        MeasureCase{FontKey{}, L"直播中心 第二项"},
        MeasureCase{FontKey{}, L"emoji \U0001F3C6 cup"}));

TEST(GdiTextMeasurer, EmptyTextHasNoWidth)
{
    test::DibCanvas canvas(8, 8);
    FontCache fonts;
    GdiTextMeasurer measurer(canvas.Dc(), fonts);
    EXPECT_EQ(measurer.TextWidth(FontKey{}, L""), 0);
}

// Code and plain-text tables line up only if every character has the same advance.
TEST(GdiTextMeasurer, MonospaceCharactersShareOneAdvanceInEveryStyle)
{
    test::DibCanvas canvas(8, 8);
    FontCache fonts;
    GdiTextMeasurer measurer(canvas.Dc(), fonts);
    for (const FontKey font : {FontKey{13, false, false, false, FontFamily::Monospace},
                               FontKey{20, true, true, false, FontFamily::Monospace}}) {
        const int advance = measurer.TextWidth(font, L"i");
        EXPECT_GT(advance, 0);
        EXPECT_EQ(measurer.TextWidth(font, L"iiiiiiii"), 8 * advance);
        EXPECT_EQ(measurer.TextWidth(font, L"MMMMWWWW"), 8 * advance);
        EXPECT_EQ(measurer.TextWidth(font, L"  ..{}  "), 8 * advance);
    }
    EXPECT_NE(measurer.TextWidth(FontKey{}, L"iiii"), measurer.TextWidth(FontKey{}, L"MMMM"));
}

} // namespace
} // namespace engine
