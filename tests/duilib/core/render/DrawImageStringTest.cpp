// The image attribute string drawn into real pixels, with images registered in a paint
// manager so that no file is loaded.

#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include "RenderCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

using DuiLib::CPaintManagerUI;
using DuiLib::CRenderEngine;
using render_test::Canvas;
using render_test::MakeBitmap;
using render_test::Near;
using render_test::Pack;
using render_test::Rgb;

namespace {

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kBlue{0, 0, 255};

// 10 × 10, every pixel telling its own coordinates.
constexpr Rgb Coded(int x, int y) { return {20 * x + 10, 20 * y + 10, 77}; }
// 100 × 50.
constexpr Rgb Big(int x, int y) { return {2 * x, 4 * y, 99}; }

class ImageStringFixture {
protected:
    ImageStringFixture()
    {
        (void)m_manager.AddImage(L"coded.png", MakeBitmap(10, 10, [](int x, int y) { return Pack(Coded(x, y)); }), 10,
                                 10, false);
        (void)m_manager.AddImage(L"big.png", MakeBitmap(100, 50, [](int x, int y) { return Pack(Big(x, y)); }), 100,
                                 50, false);
        (void)m_manager.AddImage(L"b.png", MakeBitmap(10, 10, [](int, int) { return Pack(kBlue); }), 10, 10, false);
    }

    CPaintManagerUI m_manager;
};

struct PixelCheck {
    int x;
    int y;
    Rgb expected;
};

struct StringCase {
    const char* name;
    RECT item;
    RECT paint;
    LPCTSTR image;
    LPCTSTR modify;
    bool result;
    int tolerance;
    std::vector<PixelCheck> pixels;
};

void PrintTo(const StringCase& c, std::ostream* os) { *os << c.name; }

class ImageStringPixels : public ImageStringFixture, public testing::TestWithParam<StringCase> {};

TEST_P(ImageStringPixels, DrawWhereAndWhatTheStringSays)
{
    const StringCase& c = GetParam();
    Canvas canvas(120, 60, kBackground);
    EXPECT_EQ(c.result, CRenderEngine::DrawImageString(canvas.Dc(), &m_manager, c.item, c.paint, c.image, c.modify));
    for (const PixelCheck& check : c.pixels) {
        const Rgb actual = canvas.PixelAt(check.x, check.y);
        EXPECT_TRUE(Near(check.expected, actual, c.tolerance))
            << "at " << check.x << "," << check.y << ": " << testing::PrintToString(actual) << " instead of "
            << testing::PrintToString(check.expected);
    }
}

constexpr RECT kAll{0, 0, 120, 60};

const StringCase kStringCases[] = {
    {"BareNameStretchesOverTheWholeControl", {10, 10, 30, 30}, kAll, L"coded.png", nullptr, true, 12,
     {{10, 10, Coded(0, 0)}, {29, 29, Coded(9, 9)}, {29, 10, Coded(9, 0)}, {9, 9, kBackground},
      {30, 30, kBackground}, {30, 20, kBackground}}},
    {"DestIsClampedToTheControl", {5, 5, 15, 15}, kAll, L"file='coded.png' dest='0,0,20,20'", nullptr, true, 0,
     {{5, 5, Coded(0, 0)}, {14, 14, Coded(9, 9)}, {15, 14, kBackground}, {14, 15, kBackground},
      {19, 19, kBackground}}},
    {"DestIsRelativeToTheControl", {5, 5, 30, 30}, kAll, L"file='coded.png' dest='2,3,12,13'", nullptr, true, 0,
     {{7, 8, Coded(0, 0)}, {16, 17, Coded(9, 9)}, {6, 8, kBackground}, {17, 17, kBackground}}},
    {"SourceIsClampedToTheImage", {0, 0, 100, 50}, kAll, L"file='big.png' source='0,0,500,500'", nullptr, true, 0,
     {{0, 0, Big(0, 0)}, {99, 49, Big(99, 49)}, {50, 25, Big(50, 25)}, {100, 49, kBackground}}},
    {"SourcePartIsDrawnOneToOne", {0, 0, 4, 5}, kAll, L"file='coded.png' source='2,3,6,8'", nullptr, true, 0,
     {{0, 0, Coded(2, 3)}, {3, 4, Coded(5, 7)}, {4, 4, kBackground}}},
    {"EmptyFadeIsIgnoredAndTheScanGoesOn", {0, 0, 10, 10}, kAll, L"file='b.png' fade='' dest='0,0,5,5'", nullptr,
     true, 0, {{0, 0, kBlue}, {4, 4, kBlue}, {5, 5, kBackground}, {5, 0, kBackground}}},
    {"TwoSpacesBetweenPairs", {0, 0, 10, 10}, kAll, L"file='b.png'  dest='0,0,5,5'", nullptr, true, 0,
     {{4, 4, kBlue}, {5, 5, kBackground}, {9, 9, kBackground}}},
    {"PairRightAfterTheQuoteEndsTheScan", {0, 0, 10, 10}, kAll, L"file='b.png'dest='0,0,5,5'", nullptr, true, 0,
     {{9, 9, kBlue}, {10, 10, kBackground}}},
    {"ModifyFileReplacesTheNameWithoutDrawingTheFirst", {0, 0, 10, 10}, kAll, L"file='coded.png'",
     L"file='b.png' dest='0,0,5,5'", true, 0, {{4, 4, kBlue}, {7, 7, kBackground}, {0, 9, kBackground}}},
    {"SecondFileDrawsTheFirstImageFirst", {0, 0, 20, 20}, kAll,
     L"file='coded.png' dest='0,0,10,10' file='b.png' dest='10,10,20,20'", nullptr, true, 0,
     {{0, 0, Coded(0, 0)}, {9, 9, Coded(9, 9)}, {10, 10, kBlue}, {19, 19, kBlue}, {0, 19, kBackground}}},
    // Blue at 128 over white once gives 127; drawn twice it would give 63.
    {"ResWithRestypeDrawsOnce", {0, 0, 10, 10}, kAll, L"res='b.png' restype='PNG' fade='128'", nullptr, true, 1,
     {{5, 5, {127, 127, 255}}, {10, 10, kBackground}}},
    {"HoleLeavesTheMiddle", {0, 0, 10, 10}, kAll, L"file='coded.png' corner='3,3,3,3' hole='true'", nullptr, true, 0,
     {{0, 0, Coded(0, 0)}, {9, 9, Coded(9, 9)}, {5, 5, kBackground}, {3, 3, kBackground}}},
    {"XTiledFromTheString", {0, 0, 25, 10}, kAll, L"file='coded.png' xtiled='true'", nullptr, true, 0,
     {{10, 0, Coded(0, 0)}, {20, 9, Coded(0, 9)}, {24, 0, Coded(4, 0)}, {25, 0, kBackground}}},
    {"NothingVisibleStillSucceeds", {0, 0, 10, 10}, {20, 20, 30, 30}, L"b.png", nullptr, true, 0,
     {{5, 5, kBackground}}},
    {"DestOutsideTheControlStillSucceeds", {0, 0, 10, 10}, kAll, L"file='b.png' dest='10,10,20,20'", nullptr, true, 0,
     {{10, 10, kBackground}, {5, 5, kBackground}}},
    {"UnknownImageFails", {0, 0, 10, 10}, kAll, L"file='no-such-image.png'", nullptr, false, 0,
     {{5, 5, kBackground}}},
    {"EmptyStringFails", {0, 0, 10, 10}, kAll, L"", nullptr, false, 0, {{5, 5, kBackground}}},
    {"EmptyModifyChangesNothing", {0, 0, 10, 10}, kAll, L"b.png", L"", true, 0, {{9, 9, kBlue}}},
};

INSTANTIATE_TEST_SUITE_P(Table, ImageStringPixels, testing::ValuesIn(kStringCases),
                         [](const testing::TestParamInfo<StringCase>& info) { return std::string(info.param.name); });

class ImageString : public ImageStringFixture, public testing::Test {};

TEST_F(ImageString, FailsWithoutManagerOrDc)
{
    Canvas canvas(10, 10, kBackground);
    EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.Dc(), nullptr, {0, 0, 10, 10}, {0, 0, 10, 10}, L"b.png"));
    EXPECT_FALSE(CRenderEngine::DrawImageString(nullptr, &m_manager, {0, 0, 10, 10}, {0, 0, 10, 10}, L"b.png"));
    EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.Dc(), &m_manager, {0, 0, 10, 10}, {0, 0, 10, 10}, nullptr));
    EXPECT_EQ(0, canvas.CountNot(kBackground));
}

// Whatever a damaged string holds, drawing it stays inside the control. (Negative "dest"
// offsets may reach out to the left and top by design, so the strings hold no minus.)
TEST_F(ImageString, RandomMalformedStringsDrawOnlyInsideTheControl)
{
    static const wchar_t kAlphabet[] = L"=' ,#0123456789filedstourcmaskhxytbcodepng.";
    static const wchar_t* const kPrefixes[] = {L"", L"file='b.png' ", L"file='coded.png' ", L"res='big.png' "};
    std::mt19937 random(424242u);
    Canvas canvas(40, 40, kBackground);
    const RECT item{10, 10, 30, 30};
    for (int i = 0; i < 2000; ++i) {
        std::wstring text = kPrefixes[random() % 4];
        const int length = static_cast<int>(random() % 48);
        for (int j = 0; j < length; ++j) {
            text += kAlphabet[random() % (sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1)];
        }
        const LPCTSTR modify = text.c_str() + text.size() / 2;
        (void)CRenderEngine::DrawImageString(canvas.Dc(), &m_manager, item, item, text.c_str(), modify);
    }
    int outside = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 10 && y < 30;
            outside += !inside && canvas.PixelAt(x, y) != kBackground ? 1 : 0;
        }
    }
    EXPECT_EQ(0, outside);
    EXPECT_GT(canvas.CountNot(kBackground), 0) << "some of the strings name a known image";
}

} // namespace
