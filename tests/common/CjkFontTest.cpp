// The client's skin names Chinese face names; the test prefix maps them to an
// installed CJK font. Without that mapping every glyph would render as a box.
#include "common/Handles.h"
#include "common/TopDownDib.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSize = 64;

struct Canvas {
    UniqueMemoryDc dc{::CreateCompatibleDC(nullptr)};
    UniqueBitmap bitmap;
    DWORD* bits = nullptr;

    Canvas()
    {
        void* pixels = nullptr;
        bitmap = CreateTopDownDib(dc.get(), kSize, kSize, &pixels);
        bits = static_cast<DWORD*>(pixels);
    }
};

UniqueFont MakeFont(const wchar_t* face)
{
    return UniqueFont(::CreateFontW(-40, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, face));
}

// Draws one character black on white and returns the pixels.
std::vector<DWORD> Render(const wchar_t* face, wchar_t ch)
{
    Canvas canvas;
    EXPECT_NE(canvas.bits, nullptr);
    const UniqueFont font = MakeFont(face);
    SelectObjectScope bitmapScope(canvas.dc.get(), canvas.bitmap.get());
    SelectObjectScope fontScope(canvas.dc.get(), font.get());
    const RECT all{0, 0, kSize, kSize};
    ::FillRect(canvas.dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(canvas.dc.get(), TRANSPARENT);
    ::SetTextColor(canvas.dc.get(), RGB(0, 0, 0));
    ::TextOutW(canvas.dc.get(), 4, 4, &ch, 1);
    ::GdiFlush();
    return std::vector<DWORD>(canvas.bits, canvas.bits + kSize * kSize);
}

int InkCount(const std::vector<DWORD>& pixels)
{
    int ink = 0;
    for (const DWORD p : pixels) {
        ink += (p & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    }
    return ink;
}

class CjkFaces : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(CjkFaces, HaveRealGlyphsForChineseText)
{
    Canvas canvas;
    const UniqueFont font = MakeFont(GetParam());
    SelectObjectScope scope(canvas.dc.get(), font.get());
    const wchar_t text[] = L"直播中心";
    WORD glyphs[4] = {};
    ASSERT_EQ(::GetGlyphIndicesW(canvas.dc.get(), text, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS), 4u);
    for (const WORD g : glyphs) {
        EXPECT_NE(g, 0xFFFF);
        EXPECT_NE(g, 0);
    }
}

TEST_P(CjkFaces, DrawsDistinctInkForDistinctCharacters)
{
    // A missing glyph draws the same box for every character.
    const auto zhong = Render(GetParam(), L'中');
    const auto wen = Render(GetParam(), L'文');
    EXPECT_GT(InkCount(zhong), 20);
    EXPECT_GT(InkCount(wen), 20);
    EXPECT_NE(zhong, wen);
}

INSTANTIATE_TEST_SUITE_P(SkinFaceNames, CjkFaces,
    ::testing::Values(L"微软雅黑", L"宋体", L"Microsoft YaHei", L"SimSun"));

} // namespace
