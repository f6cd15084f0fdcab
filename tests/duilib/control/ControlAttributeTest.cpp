// The common skin attributes and attribute lists of CControlUI, read back through the
// getters.

#include "duilib/control/ControlUI.h"
#include "duilib/core/PaintManager.h"

#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cctype>
#include <cstdio>
#include <functional>
#include <string>

using DuiLib::CControlUI;

namespace {

struct AttributeCase {
    const char* label;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes;
    std::function<std::string(const CControlUI&)> read;
    std::string expected;
};

void PrintTo(const AttributeCase& c, std::ostream* os)
{
    *os << c.label;
}

std::string Str(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

std::string Str(SIZE sz)
{
    return std::to_string(sz.cx) + "," + std::to_string(sz.cy);
}

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (const wchar_t* p = text; *p != 0; ++p) {
        out += static_cast<char>(*p);
    }
    return out;
}

std::string Fixed(const CControlUI& c)
{
    return Str(c.GetFixedXY()) + " " + std::to_string(c.GetFixedWidth()) + "x" + std::to_string(c.GetFixedHeight());
}

std::string Borders(const CControlUI& c)
{
    return std::to_string(c.GetBorderSize()) + " " + std::to_string(c.GetLeftBorderSize()) + "," +
           std::to_string(c.GetTopBorderSize()) + "," + std::to_string(c.GetRightBorderSize()) + "," +
           std::to_string(c.GetBottomBorderSize());
}

std::string Flags(const CControlUI& c)
{
    std::string out;
    out += c.IsEnabled() ? 'E' : 'e';
    out += c.IsMouseEnabled() ? 'M' : 'm';
    out += c.IsKeyboardEnabled() ? 'K' : 'k';
    out += c.IsVisible() ? 'V' : 'v';
    out += c.IsFloat() ? 'F' : 'f';
    out += c.IsContextMenuUsed() ? 'U' : 'u';
    out += c.IsRandom() ? 'R' : 'r';
    out += c.IsColorHSL() ? 'H' : 'h';
    return out;
}

class ControlAttributes : public testing::TestWithParam<AttributeCase> {};

TEST_P(ControlAttributes, ReadBack)
{
    CControlUI control;
    for (const auto& [name, value] : GetParam().attributes) {
        control.SetAttribute(name, value);
    }
    EXPECT_EQ(GetParam().expected, GetParam().read(control));
}

const AttributeCase kAttributeCases[] = {
    {"pos from the left", {{L"pos", L"10,20,110,50"}}, Fixed, "10,20 100x30"},
    {"pos anchored right", {{L"pos", L"-100,0,-10,30"}}, Fixed, "-10,0 90x30"},
    {"pos with a negative size keeps the size", {{L"width", L"7"}, {L"pos", L"50,0,10,5"}}, Fixed, "50,0 7x5"},
    {"pos cut short reads zeros", {{L"pos", L"10"}}, Fixed, "10,0 0x0"},
    {"single bordersize clears the sides",
     {{L"bordersize", L"1,0,1,0"}, {L"bordersize", L"2"}},
     Borders,
     "2 0,0,0,0"},
    {"four bordersizes keep the uniform one",
     {{L"bordersize", L"3"}, {L"bordersize", L"1,0,1,0"}},
     Borders,
     "3 1,0,1,0"},
    {"side border attributes",
     {{L"leftbordersize", L"4"}, {L"bottombordersize", L"5"}},
     Borders,
     "0 4,0,0,5"},
    {"bkcolor skips blanks before #", {{L"bkcolor", L"  #FF102030"}}, [](const CControlUI& c) { return Hex(c.GetBkColor()); },
     "FF102030"},
    {"six digits give alpha 0", {{L"bkcolor1", L"#FF0000"}}, [](const CControlUI& c) { return Hex(c.GetBkColor()); },
     "00FF0000"},
    {"gradient colours",
     {{L"bkcolor2", L"#11223344"}, {L"bkcolor3", L"#55667788"}},
     [](const CControlUI& c) { return Hex(c.GetBkColor2()) + Hex(c.GetBkColor3()); },
     "1122334455667788"},
    {"bordercolor skips only the #", {{L"bordercolor", L" #FF00FF00"}, {L"focusbordercolor", L"#FF0000FF"}},
     [](const CControlUI& c) { return Hex(c.GetBorderColor()) + Hex(c.GetFocusBorderColor()); }, "00000000FF0000FF"},
    {"size limits",
     {{L"minwidth", L"10"}, {L"minheight", L"11"}, {L"maxwidth", L"100"}, {L"maxheight", L"-5"}},
     [](const CControlUI& c) {
         return std::to_string(c.GetMinWidth()) + "," + std::to_string(c.GetMinHeight()) + "," +
                std::to_string(c.GetMaxWidth()) + "," + std::to_string(c.GetMaxHeight());
     },
     "10,11,100,9999"},
    {"huge numbers are bounded", {{L"width", L"99999999999"}},
     [](const CControlUI& c) { return std::to_string(c.GetFixedWidth()); }, "16777216"},
    {"flags", {{L"enabled", L"false"}, {L"mouse", L"False"}, {L"keyboard", L"false"}, {L"visible", L"false"},
               {L"float", L"true"}, {L"menu", L"true"}, {L"random", L"true"}, {L"colorhsl", L"true"}},
     Flags, "emkvFURH"},
    {"texts", {{L"name", L"n"}, {L"text", L"t"}, {L"tooltip", L"a<n>b"}, {L"userdata", L"u"}, {L"shortcut", L"xy"}},
     [](const CControlUI& c) {
         return Narrow(c.GetName()) + Narrow(c.GetText()) + Narrow(c.GetToolTip()) + Narrow(c.GetUserData()) +
                static_cast<char>(c.GetShortcut());
     },
     "nta\r\nbux"},
    {"padding, border round and style", {{L"padding", L"1,2,3,4"}, {L"borderround", L"5,6"}, {L"borderstyle", L"2"}},
     [](const CControlUI& c) { return Str(c.GetPadding()) + " " + Str(c.GetBorderRound()) + " " +
                                      std::to_string(c.GetBorderStyle()); },
     "1,2,3,4 5,6 2"},
    {"relativepos", {{L"relativepos", L"10,20,30,40"}},
     [](const CControlUI& c) {
         const auto r = c.GetRelativePos();
         return std::to_string(r.bRelative) + ":" + std::to_string(r.nMoveXPercent) + "," +
                std::to_string(r.nMoveYPercent) + "," + std::to_string(r.nZoomXPercent) + "," +
                std::to_string(r.nZoomYPercent);
     },
     "1:10,20,30,40"},
    {"names are case-sensitive", {{L"Width", L"5"}, {L"WIDTH", L"6"}},
     [](const CControlUI& c) { return std::to_string(c.GetFixedWidth()); }, "0"},
};

INSTANTIATE_TEST_SUITE_P(Table, ControlAttributes, testing::ValuesIn(kAttributeCases),
                         [](const testing::TestParamInfo<AttributeCase>& info) {
                             std::string name;
                             for (const char* p = info.param.label; *p != 0; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

TEST(ControlAttributeList, AppliesPairsSeparatedByExactlyOneSpace)
{
    struct Case {
        const wchar_t* list;
        const char* expected; // name, text
    } cases[] = {
        {L"name=\"a\" text=\"b\"", "a|b"},
        {L"name=\"a\"  text=\"b\"", "a|"},       // the second name starts with a space
        {L"name=\"a\"text=\"b\"", "a|"},         // no space after the first value
        {L"name=\"a\" text=\"", "a|"},           // unterminated value
        {L"name=a text=\"b\"", "|"},             // no quote after '='
        {L"name", "|"},
        {L"name=\"x=y\" text=\"\"", "x=y|"},
    };
    for (const Case& c : cases) {
        CControlUI control;
        EXPECT_EQ(&control, control.ApplyAttributeList(c.list));
        EXPECT_EQ(c.expected, Narrow(control.GetName()) + "|" + Narrow(control.GetText())) << Narrow(c.list);
    }
}

TEST(ControlAttributeList, DefaultListsComeFromTheManagerAndCannotRecurseForEver)
{
    DuiLib::CPaintManagerUI manager;
    manager.AddDefaultAttributeList(L"Button", L"width=\"12\" height=\"34\"");
    manager.AddDefaultAttributeList(L"Loop", L"default=\"Loop\" name=\"looped\"");
    CControlUI control;
    control.SetManager(&manager, nullptr, false);
    control.SetAttribute(L"default", L"Button");
    EXPECT_EQ("12,34", Str(SIZE{control.GetFixedWidth(), control.GetFixedHeight()}));
    control.SetAttribute(L"default", L"Loop");
    EXPECT_EQ("looped", Narrow(control.GetName()));
}

TEST(ControlSizeSetters, IgnoreNegativeAndUnchangedValues)
{
    CControlUI control;
    control.SetFixedWidth(40);
    control.SetFixedWidth(-1);
    control.SetFixedHeight(-3);
    control.SetMinWidth(-2);
    control.SetMaxHeight(-2);
    EXPECT_EQ(40, control.GetFixedWidth());
    EXPECT_EQ(0, control.GetFixedHeight());
    EXPECT_EQ(0, control.GetMinWidth());
    EXPECT_EQ(9999, control.GetMaxHeight());
}

} // namespace
