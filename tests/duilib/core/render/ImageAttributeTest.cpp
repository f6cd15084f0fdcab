// Scan rules and keys of the image attribute string, without drawing.

#include "duilib/core/ImageAttribute.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>
#include <cwchar>

using DuiLib::CDuiString;
using DuiLib::CImageAttribute;
using DuiLib::ImageDrawParams;

namespace {

// What a scan leaves: the images drawn on the way ("name|type") and the final parameters.
struct Scan {
    std::vector<std::wstring> drawn;
    ImageDrawParams params;
};

Scan ScanText(LPCTSTR image, LPCTSTR modify = nullptr)
{
    Scan scan;
    scan.params.name = image;
    const auto draw = [&scan](const ImageDrawParams& p) {
        scan.drawn.push_back(std::wstring(p.name.GetData()) + L"|" + p.type.GetData());
    };
    CImageAttribute::Apply(image, scan.params, draw);
    CImageAttribute::Apply(modify, scan.params, draw);
    return scan;
}

struct ScanCase {
    const char* name;
    LPCTSTR image;
    LPCTSTR modify;
    std::vector<std::wstring> drawn;
    std::wstring finalName;
    std::wstring finalType;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class ImageAttributeScan : public testing::TestWithParam<ScanCase> {};

TEST_P(ImageAttributeScan, DrawsEarlierImagesAndEndsWithTheLastOne)
{
    const ScanCase& c = GetParam();
    const Scan scan = ScanText(c.image, c.modify);
    EXPECT_EQ(c.drawn, scan.drawn);
    EXPECT_EQ(c.finalName, scan.params.name.GetData());
    EXPECT_EQ(c.finalType, scan.params.type.GetData());
}

const ScanCase kScanCases[] = {
    {"BareNameIsTheWholeString", L"skin/bg.png", nullptr, {}, L"skin/bg.png", L""},
    {"BareNameWithBlanksStaysWhole", L"my bg.png", nullptr, {}, L"my bg.png", L""},
    {"FileReplacesTheName", L"file='a.png'", nullptr, {}, L"a.png", L""},
    {"SecondFileDrawsTheFirst", L"file='a.png' file='b.png'", nullptr, {L"a.png|"}, L"b.png", L""},
    {"ResAfterFileDrawsTheFile", L"file='a.png' res='7'", nullptr, {L"a.png|"}, L"7", L""},
    {"ResDoesNotCountAsAnImage", L"res='7' res='8'", nullptr, {}, L"8", L""},
    {"ResThenRestypeDrawsOnce", L"res='101' restype='PNG'", nullptr, {}, L"101", L"PNG"},
    {"RestypeCountsAsAnImage", L"restype='PNG' res='9'", nullptr, {L"restype='PNG' res='9'|PNG"}, L"9", L"PNG"},
    {"ModifyFileDoesNotDrawTheFirst", L"file='a.png'", L"file='b.png'", {}, L"b.png", L""},
    {"ModifyCountRestartsEachString", L"file='a.png' file='b.png'", L"file='c.png'", {L"a.png|"}, L"c.png", L""},
    {"EmptyFileIsIgnored", L"file='a.png' file=''", nullptr, {}, L"a.png", L""},
    {"PairAfterQuoteWithoutSpaceEndsTheScan", L"file='a.png'file='b.png'", nullptr, {}, L"a.png", L""},
    {"MissingEqualsEndsTheScan", L"file='a.png' file 'b.png'", nullptr, {}, L"a.png", L""},
    {"MissingClosingQuoteDropsThePair", L"file='a.png' file='b.png", nullptr, {}, L"a.png", L""},
    {"MissingOpeningQuoteEndsTheScan", L"file='a.png' file=b.png'", nullptr, {}, L"a.png", L""},
    {"BlanksAroundEqualsAndBeforeKeys", L"\t file = \t'a.png'  \n file\t=  'b.png'", nullptr, {L"a.png|"}, L"b.png",
     L""},
    {"DoubleQuotesAreNotQuotes", L"file=\"a.png\"", nullptr, {}, L"file=\"a.png\"", L""},
    {"TrailingSpaceIsHarmless", L"file='a.png' ", nullptr, {}, L"a.png", L""},
    {"UnknownKeysAreSkipped", L"glow='3' file='a.png'", nullptr, {}, L"a.png", L""},
    {"ValueKeepsBlanksAndEquals", L"file='a b=c.png'", nullptr, {}, L"a b=c.png", L""},
};

INSTANTIATE_TEST_SUITE_P(Table, ImageAttributeScan, testing::ValuesIn(kScanCases),
                         [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST(ImageAttributeKeys, SetEveryParameter)
{
    const Scan scan = ScanText(L"file='a.png' dest='1,2,30,40' source='3,4,5,6' corner='7,8,9,10' mask='#FF00FF00' "
                          L"fade='128' hole='true' xtiled='true' ytiled='true'");
    const ImageDrawParams& p = scan.params;
    EXPECT_TRUE(p.hasDest);
    EXPECT_EQ((RECT{1, 2, 30, 40}), p.dest);
    EXPECT_EQ((RECT{3, 4, 5, 6}), p.source);
    EXPECT_EQ((RECT{7, 8, 9, 10}), p.corners);
    EXPECT_EQ(0xFF00FF00u, p.mask);
    EXPECT_EQ(128, p.fade);
    EXPECT_TRUE(p.hole);
    EXPECT_TRUE(p.xtiled);
    EXPECT_TRUE(p.ytiled);
}

TEST(ImageAttributeKeys, KeepDefaultsAndIgnoreEmptyValues)
{
    const Scan scan = ScanText(L"file='a.png' fade='' dest='' hole='' mask='00FF00'");
    const ImageDrawParams& p = scan.params;
    EXPECT_FALSE(p.hasDest);
    EXPECT_EQ(255, p.fade);
    EXPECT_FALSE(p.hole);
    EXPECT_EQ(0x00FF00u, p.mask) << "the hash is optional";
}

TEST(ImageAttributeKeys, ModifyPairsOverrideTheFirstString)
{
    const Scan scan = ScanText(L"file='a.png' fade='10' hole='true' corner='1,1,1,1'", L"fade='200' hole='false'");
    EXPECT_EQ(200, scan.params.fade);
    EXPECT_FALSE(scan.params.hole) << "anything but \"true\" is false";
    EXPECT_EQ((RECT{1, 1, 1, 1}), scan.params.corners);
}

struct NumbersCase {
    LPCTSTR value;
    RECT expected;
};

void PrintTo(const NumbersCase& c, std::ostream* os)
{
    *os << '"' << std::string(c.value, c.value + std::wcslen(c.value)) << '"';
}

class ImageAttributeNumbers : public testing::TestWithParam<NumbersCase> {};

// Each number is followed by exactly one separator, whatever it is, as a skin expects.
TEST_P(ImageAttributeNumbers, ReadUpToFourIntegersAndNeverPastTheValue)
{
    const std::wstring text = std::wstring(L"file='a' source='") + GetParam().value + L"'";
    EXPECT_EQ(GetParam().expected, ScanText(text.c_str()).params.source);
}

INSTANTIATE_TEST_SUITE_P(Table, ImageAttributeNumbers,
                         testing::Values(NumbersCase{L"1,2,3,4", {1, 2, 3, 4}}, NumbersCase{L"5", {5, 0, 0, 0}},
                                         NumbersCase{L"5,", {5, 0, 0, 0}}, NumbersCase{L"1,2,3", {1, 2, 3, 0}},
                                         NumbersCase{L"-1, -2, 3,4", {-1, -2, 3, 4}},
                                         NumbersCase{L"1,2,3 ,4", {1, 2, 3, 0}},
                                         NumbersCase{L"1,2,3,4,5,6", {1, 2, 3, 4}},
                                         NumbersCase{L"x,2,y,4", {0, 0, 2, 0}},
                                         NumbersCase{L"99999999999,-99999999999,0,0", {1 << 20, -(1 << 20), 0, 0}}));

TEST(ImageAttributeFade, IsClampedToOpaque)
{
    EXPECT_EQ(255, ScanText(L"file='a' fade='300'").params.fade);
    EXPECT_EQ(0, ScanText(L"file='a' fade='0'").params.fade);
}

TEST(ImageAttributeDestination, IsRelativeToTheItemAndClampedAtItsRightAndBottom)
{
    const RECT item{100, 50, 110, 60};
    ImageDrawParams params;
    EXPECT_EQ(item, CImageAttribute::Destination(params, item));
    params.hasDest = true;
    params.dest = {0, 0, 20, 20};
    EXPECT_EQ((RECT{100, 50, 110, 60}), CImageAttribute::Destination(params, item));
    params.dest = {2, 3, 5, 7};
    EXPECT_EQ((RECT{102, 53, 105, 57}), CImageAttribute::Destination(params, item));
}

// Random strings built from the characters that matter to the scan and from any UTF-16
// unit. Each sits in a buffer whose bytes after the terminator hold a pair that would
// name "EVIL" if the scan ever read past the end; every name seen must come from the text.
TEST(ImageAttributeFuzz, RandomMalformedStringsStayInsideTheirText)
{
    static const wchar_t kAlphabet[] = L"=' \t,#-0123456789filedstourcmaskhxyt";
    std::mt19937 random(5150u);
    for (int i = 0; i < 5000; ++i) {
        std::wstring text = i % 3 == 0 ? L"file='x' " : L"";
        const int length = static_cast<int>(random() % 40);
        for (int j = 0; j < length; ++j) {
            const bool anyUnit = random() % 8 == 0;
            text += anyUnit ? static_cast<wchar_t>(1 + random() % 0xFFFE)
                            : kAlphabet[random() % (sizeof(kAlphabet) / sizeof(kAlphabet[0]) - 1)];
        }
        std::wstring buffer = text;
        buffer += L'\0';
        buffer += L" file='EVIL' file='EVIL'";
        const Scan scan = ScanText(buffer.c_str(), buffer.c_str());
        ASSERT_NE(std::wstring::npos, text.find(scan.params.name.GetData())) << "case " << i;
        for (const std::wstring& drawn : scan.drawn) {
            ASSERT_EQ(std::wstring::npos, drawn.find(L"EVIL")) << "case " << i;
        }
    }
}

} // namespace
