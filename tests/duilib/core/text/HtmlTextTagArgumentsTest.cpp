// Tag arguments: colours, integers, font and image requests.

#include "duilib/core/HtmlTextTagArguments.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>

using DuiLib::HtmlFontRequest;
using DuiLib::HtmlImageRequest;
using DuiLib::HtmlTextTagArguments;

namespace {

int Len(const wchar_t* text) { return static_cast<int>(std::wcslen(text)); }

struct ColorCase {
    const wchar_t* arg;
    DWORD expected;
};

class HtmlTagColor : public ::testing::TestWithParam<ColorCase> {};

TEST_P(HtmlTagColor, ReadsHexadecimal)
{
    EXPECT_EQ(GetParam().expected, HtmlTextTagArguments::Color(GetParam().arg, Len(GetParam().arg)));
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTagColor,
    ::testing::Values(ColorCase{L"#FFFF0000", 0xFFFF0000u}, ColorCase{L"ff00ff00", 0xFF00FF00u},
                      ColorCase{L"#0000FF", 0x000000FFu}, ColorCase{L"#12ab", 0x12ABu},
                      ColorCase{L"#", 0u}, ColorCase{L"", 0u}, ColorCase{L"xyz", 0u},
                      ColorCase{L"#FFg0", 0xFFu}, ColorCase{L"#123456789", 0x23456789u}));

TEST(HtmlTagColor, StopsAtTheArgumentLength)
{
    EXPECT_EQ(0xABu, HtmlTextTagArguments::Color(L"#ABCDEF", 3));
}

struct IntegerCase {
    const wchar_t* arg;
    int fallback;
    int expected;
};

class HtmlTagInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(HtmlTagInteger, ReadsDecimalOrFallsBack)
{
    const IntegerCase& c = GetParam();
    EXPECT_EQ(c.expected, HtmlTextTagArguments::Integer(c.arg, Len(c.arg), c.fallback));
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTagInteger,
    ::testing::Values(IntegerCase{L"12", 0, 12}, IntegerCase{L"-7", 0, -7}, IntegerCase{L"+3", 0, 3},
                      IntegerCase{L"", 5, 5}, IntegerCase{L"x", 5, 5}, IntegerCase{L"-", 5, 5},
                      IntegerCase{L"42px", 0, 42}, IntegerCase{L"99999999999999", 0, INT_MAX},
                      IntegerCase{L"-99999999999999", 0, -INT_MAX}));

struct FontCase {
    const char* name;
    const wchar_t* arg;
    HtmlFontRequest expected;
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

HtmlFontRequest Request(bool byIndex, int index, const wchar_t* face, int size, bool b, bool u, bool i)
{
    HtmlFontRequest request;
    request.byIndex = byIndex;
    request.index = index;
    request.face = face;
    request.size = size;
    request.bold = b;
    request.underline = u;
    request.italic = i;
    return request;
}

class HtmlTagFont : public ::testing::TestWithParam<FontCase> {};

TEST_P(HtmlTagFont, ReadsIndexOrFaceSizeAndStyles)
{
    const HtmlFontRequest actual = HtmlTextTagArguments::Font(GetParam().arg, Len(GetParam().arg));
    const HtmlFontRequest& expected = GetParam().expected;
    EXPECT_EQ(expected.byIndex, actual.byIndex);
    if (expected.byIndex) {
        EXPECT_EQ(expected.index, actual.index);
        return;
    }
    EXPECT_STREQ(expected.face.GetData(), actual.face.GetData());
    EXPECT_EQ(expected.size, actual.size);
    EXPECT_EQ(expected.bold, actual.bold);
    EXPECT_EQ(expected.underline, actual.underline);
    EXPECT_EQ(expected.italic, actual.italic);
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTagFont,
    ::testing::Values(
        FontCase{"Index", L"3", Request(true, 3, L"", 10, false, false, false)},
        FontCase{"FaceOnlyDefaultsToSize10", L"Arial", Request(false, 0, L"Arial", 10, false, false, false)},
        FontCase{"FaceAndSize", L"Arial 14", Request(false, 0, L"Arial", 14, false, false, false)},
        FontCase{"StylesAnywhereAnyCase", L"Arial 12 Italic BOLD underline",
                 Request(false, 0, L"Arial", 12, true, true, true)},
        FontCase{"StylesWithoutSize", L"Tahoma bold", Request(false, 0, L"Tahoma", 10, true, false, false)},
        FontCase{"Empty", L"", Request(false, 0, L"", 10, false, false, false)}),
    [](const ::testing::TestParamInfo<FontCase>& info) { return std::string(info.param.name); });

struct ImageCase {
    const char* name;
    const wchar_t* arg;
    bool named;
    const wchar_t* image;
    const wchar_t* type;
    int frames;
    int frame;
};

void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

class HtmlTagImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(HtmlTagImage, ReadsNameFramesAndIndexOrAttributePairs)
{
    const ImageCase& c = GetParam();
    HtmlImageRequest request;
    EXPECT_EQ(c.named, HtmlTextTagArguments::Image(c.arg, Len(c.arg), request));
    EXPECT_STREQ(c.image, request.name.GetData());
    EXPECT_STREQ(c.type, request.type.GetData());
    EXPECT_EQ(c.frames, request.frames);
    EXPECT_EQ(c.frame, request.frame);
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTagImage,
    ::testing::Values(
        ImageCase{"NameOnly", L"smile.png", true, L"smile.png", L"", 1, 0},
        ImageCase{"FramesAndIndex", L"icons.png 4 2", true, L"icons.png", L"", 4, 2},
        ImageCase{"IndexOutOfRangeIsZero", L"icons.png 4 9", true, L"icons.png", L"", 4, 0},
        ImageCase{"NoFramesMeansOne", L"icons.png 0 0", true, L"icons.png", L"", 1, 0},
        ImageCase{"FilePair", L"file='a.png'", true, L"a.png", L"", 1, 0},
        ImageCase{"ResAndType", L"res='101' restype='PNG'", true, L"101", L"PNG", 1, 0},
        ImageCase{"TypeAloneNamesNothing", L"restype='PNG'", false, L"", L"PNG", 1, 0}),
    [](const ::testing::TestParamInfo<ImageCase>& info) { return std::string(info.param.name); });

struct PartCase {
    const char* name;
    const wchar_t* arg;
    RECT part;
};

void PrintTo(const PartCase& c, std::ostream* os) { *os << c.name; }

class HtmlTagImagePart : public ::testing::TestWithParam<PartCase> {};

TEST_P(HtmlTagImagePart, SelectsTheColumnOrSource)
{
    HtmlImageRequest request;
    ASSERT_TRUE(HtmlTextTagArguments::Image(GetParam().arg, Len(GetParam().arg), request));
    const RECT part = HtmlTextTagArguments::ImagePart(request, SIZE{100, 20});
    EXPECT_EQ(GetParam().part.left, part.left);
    EXPECT_EQ(GetParam().part.top, part.top);
    EXPECT_EQ(GetParam().part.right, part.right);
    EXPECT_EQ(GetParam().part.bottom, part.bottom);
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTagImagePart,
    ::testing::Values(PartCase{"Whole", L"a.png", {0, 0, 100, 20}},
                      PartCase{"SecondOfFour", L"a.png 4 1", {25, 0, 50, 20}},
                      PartCase{"LastOfThreeDropsRemainder", L"a.png 3 2", {66, 0, 99, 20}},
                      PartCase{"SourcePair", L"file='a.png' source='10,2,30,12'", {10, 2, 30, 12}},
                      PartCase{"SourceClampedToImage", L"file='a.png' source='50,0,500,50'", {50, 0, 100, 20}},
                      PartCase{"MaskAndFadeAreRead", L"file='a.png' mask='#FF00FF' fade='100'", {0, 0, 100, 20}}),
    [](const ::testing::TestParamInfo<PartCase>& info) { return std::string(info.param.name); });

TEST(HtmlTagImage, AttributeFormCarriesMaskAndFade)
{
    HtmlImageRequest request;
    const wchar_t* arg = L"file='a.png' mask='#FF00FF' fade='100'";
    ASSERT_TRUE(HtmlTextTagArguments::Image(arg, Len(arg), request));
    EXPECT_EQ(0xFF00FFu, request.mask);
    EXPECT_EQ(100, request.fade);
}

} // namespace
