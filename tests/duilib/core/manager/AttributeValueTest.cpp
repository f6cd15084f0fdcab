// Skin attribute values: numbers never read past the text, colours and flags. A
// number that is missing reads as 0 and the next character is its separator.

#include "duilib/core/AttributeValue.h"
#include "duilib/core/DebugTrace.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

using DuiLib::CAttributeValue;

namespace {

TEST(AttributeValue, NumbersListsColoursAndFlags)
{
    const struct {
        const wchar_t* text;
        RECT rect;
    } rects[] = {
        {L"1,2,3,4", {1, 2, 3, 4}}, {L"-1,-2", {-1, -2, 0, 0}}, {L"7", {7, 0, 0, 0}},   {L"", {0, 0, 0, 0}},
        {L"1,,3", {1, 0, 3, 0}},    {L"x,5", {0, 0, 5, 0}},     {L"5 6 7 8", {5, 6, 7, 8}},
        {L"-99999999999,99999999999", {-16777216, 16777216, 0, 0}},
    };
    for (const auto& c : rects) {
        EXPECT_EQ(c.rect, CAttributeValue::ParseRect(c.text));
    }
    EXPECT_EQ((SIZE{3, 0}), CAttributeValue::ParseSize(L"3"));
    EXPECT_EQ(0, CAttributeValue::ParseInt(nullptr));

    const struct {
        const wchar_t* text;
        DWORD colour;
        DWORD hashColour;
    } colours[] = {
        {L"#FF102030", 0xFF102030, 0xFF102030}, {L" \t#FF102030", 0xFF102030, 0},
        {L"#102030", 0x00102030, 0x00102030},   {L"FF0000FF", 0xFF0000FF, 0xFF0000FF},
        {L"#", 0, 0},                           {L"#zz", 0, 0},
        {L"#FFFFFFFFFF", 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (const auto& c : colours) {
        EXPECT_EQ(c.colour, CAttributeValue::ParseColor(c.text));
        EXPECT_EQ(c.hashColour, CAttributeValue::ParseHashColor(c.text));
    }
    EXPECT_TRUE(CAttributeValue::ParseBool(L"true"));
    EXPECT_FALSE(CAttributeValue::ParseBool(L"TRUE"));
    EXPECT_FALSE(CAttributeValue::ParseBool(L"1"));
    EXPECT_FALSE(CAttributeValue::ParseBool(nullptr));
}

TEST(DebugTrace, NamesCommonMessagesAndNumbersTheRest)
{
    EXPECT_STREQ(L"WM_PAINT", DuiLib::DUI__TraceMsg(WM_PAINT));
    EXPECT_STREQ(L"WM_GETTEXTLENGTH", DuiLib::DUI__TraceMsg(WM_GETTEXTLENGTH));
    EXPECT_STREQ(L"0x0401", DuiLib::DUI__TraceMsg(WM_USER + 1));
}

} // namespace
