#include "duilib/core/DuiString.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CDuiString;

namespace {

// True when the text lives in the string object itself rather than in a heap block.
bool IsInline(const CDuiString& s)
{
    const auto* const text = reinterpret_cast<const char*>(s.GetData());
    const auto* const self = reinterpret_cast<const char*>(&s);
    return text >= self && text < self + sizeof(s);
}

} // namespace

TEST(DuiStringStorage, MovesBetweenInlineBufferAndHeapAtSixtyThreeCharacters)
{
    CDuiString s(std::wstring(62, L'a').c_str());
    EXPECT_TRUE(IsInline(s));
    s += L'b';
    EXPECT_FALSE(IsInline(s));
    EXPECT_EQ(s.GetLength(), 63);
    EXPECT_EQ(s.GetAt(62), L'b');
    s = L"0123456789";
    EXPECT_TRUE(IsInline(s));
    EXPECT_STREQ(s.GetData(), L"0123456789");
    s = std::wstring(63, L'c').c_str();
    EXPECT_FALSE(IsInline(s));
    s.Empty();
    EXPECT_TRUE(IsInline(s) && s.IsEmpty());
}

TEST(DuiStringStorage, CopiesOwnTheirCharacters)
{
    CDuiString original(std::wstring(100, L'x').c_str());
    CDuiString copy(original);
    original.SetAt(0, L'y');
    EXPECT_EQ(copy.GetAt(0), L'x');
    CDuiString moved(std::move(copy));
    EXPECT_EQ(moved.GetLength(), 100);
    EXPECT_TRUE(copy.IsEmpty()); // NOLINT(bugprone-use-after-move): moved-from strings are empty
}

TEST(DuiStringConstruct, TakesCharactersLengthsNarrowTextAndNull)
{
    EXPECT_STREQ(CDuiString(L'q').GetData(), L"q");
    EXPECT_STREQ(CDuiString(L"abcdef", 3).GetData(), L"abc");
    EXPECT_STREQ(CDuiString(L"abc", 50).GetData(), L"abc"); // a length past the NUL stops there
    CDuiString s(L"abc");
    s = static_cast<LPCTSTR>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = "narrow";
    s += " text";
    s += static_cast<LPCSTR>(nullptr);
    EXPECT_STREQ(s.GetData(), L"narrow text");
    s = static_cast<LPCSTR>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
    s = L'z';
    EXPECT_STREQ(s.GetData(), L"z");
}

struct AliasCase {
    size_t length;
    int offset;
};

void PrintTo(const AliasCase& c, std::ostream* os) { *os << "length " << c.length << " offset " << c.offset; }

class DuiStringAlias : public ::testing::TestWithParam<AliasCase> {};

// Assigning or appending a string's own text must not read from a block it just freed or moved.
TEST_P(DuiStringAlias, AssignsAndAppendsItsOwnText)
{
    std::wstring text;
    for (size_t i = 0; i < GetParam().length; ++i) {
        text += static_cast<wchar_t>(L'a' + i % 26);
    }
    CDuiString s(text.c_str());
    s = s.GetData() + GetParam().offset;
    EXPECT_EQ(std::wstring(s.GetData()), text.substr(GetParam().offset));
    s = s;
    EXPECT_EQ(std::wstring(s.GetData()), text.substr(GetParam().offset));
    s += s;
    const std::wstring tail = text.substr(GetParam().offset);
    EXPECT_EQ(std::wstring(s.GetData()), tail + tail);
    s.Append(s.GetData() + 1);
    EXPECT_EQ(std::wstring(s.GetData()), tail + tail + (tail + tail).substr(1));
}

INSTANTIATE_TEST_SUITE_P(LocalAndHeap, DuiStringAlias,
    ::testing::Values(AliasCase{10, 2}, AliasCase{62, 1}, AliasCase{100, 2}, AliasCase{100, 90}, AliasCase{300, 250}));

TEST(DuiStringOperators, ConcatenateAndCompareOrdinally)
{
    const CDuiString ab(L"ab");
    EXPECT_STREQ((ab + L"cd").GetData(), L"abcd");
    EXPECT_STREQ((ab + CDuiString(L"x")).GetData(), L"abx");
    EXPECT_STREQ((ab + static_cast<LPCTSTR>(nullptr)).GetData(), L"ab");
    EXPECT_STREQ((ab + L'!').GetData(), L"ab!");
    EXPECT_STREQ((L"<" + ab).GetData(), L"<ab");
    EXPECT_TRUE(ab == L"ab");
    EXPECT_TRUE(L"ab" == ab);
    EXPECT_TRUE(ab != L"Ab");
    EXPECT_TRUE(ab < L"b");
    EXPECT_TRUE(L"b" > ab);
    EXPECT_TRUE(ab <= L"ab" && ab >= L"aa");
    EXPECT_TRUE(ab > static_cast<LPCTSTR>(nullptr));
    EXPECT_EQ(ab.Compare(L"B"), 1); // ordinal: 'a' sorts after 'B'
    EXPECT_EQ(ab.CompareNoCase(L"AB"), 0);
    EXPECT_EQ(CDuiString().Compare(nullptr), 0);
}

TEST(DuiStringOperators, ChangesCaseInPlace)
{
    CDuiString s(L"MiXeD 42");
    s.MakeUpper();
    EXPECT_STREQ(s.GetData(), L"MIXED 42");
    s.MakeLower();
    EXPECT_STREQ(s.GetData(), L"mixed 42");
}

struct FindCase {
    const wchar_t* haystack;
    const wchar_t* needle; // a single character when charSearch is set
    bool charSearch;
    int start;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.needle) << '@' << c.start; }

class DuiStringFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(DuiStringFind, HonoursStartBounds)
{
    const FindCase& c = GetParam();
    const CDuiString s(c.haystack);
    const int found = c.charSearch ? s.Find(c.needle[0], c.start) : s.Find(c.needle, c.start);
    EXPECT_EQ(found, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DuiStringFind,
    ::testing::Values(FindCase{L"abcabc", L"c", true, 0, 2}, FindCase{L"abcabc", L"c", true, 3, 5},
        FindCase{L"abcabc", L"a", true, 5, -1}, FindCase{L"abcabc", L"a", true, 6, -1},
        FindCase{L"abcabc", L"a", true, -1, -1}, FindCase{L"", L"a", true, 0, -1},
        FindCase{L"abc", L"\0", true, 0, -1}, FindCase{L"abcabc", L"bc", false, 2, 4},
        FindCase{L"abcabc", L"x", false, 6, -1}, FindCase{L"abcabc", L"", false, 6, 6},
        FindCase{L"abcabc", L"", false, 7, -1}, FindCase{L"abcabc", L"a", false, -1, -1}));

TEST(DuiStringFind, ReverseFindAndNullPattern)
{
    const CDuiString s(L"a.b.c");
    EXPECT_EQ(s.ReverseFind(L'.'), 3);
    EXPECT_EQ(s.ReverseFind(L'x'), -1);
    EXPECT_EQ(s.Find(static_cast<LPCTSTR>(nullptr)), -1);
}

struct SliceCase {
    const wchar_t* text;
    char op; // 'L', 'M' or 'R'
    int a;
    int b;
    const wchar_t* expected;
};

void PrintTo(const SliceCase& c, std::ostream* os) { *os << c.op << '(' << c.a << ',' << c.b << ')'; }

class DuiStringSlice : public ::testing::TestWithParam<SliceCase> {};

TEST_P(DuiStringSlice, ClampsToTheString)
{
    const SliceCase& c = GetParam();
    const CDuiString s(c.text);
    const CDuiString result = c.op == 'L' ? s.Left(c.a) : c.op == 'R' ? s.Right(c.a) : s.Mid(c.a, c.b);
    EXPECT_STREQ(result.GetData(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DuiStringSlice,
    ::testing::Values(SliceCase{L"abcdef", 'M', 2, -1, L"cdef"}, SliceCase{L"abcdef", 'M', 4, 10, L"ef"},
        SliceCase{L"abcdef", 'M', 6, 1, L""}, SliceCase{L"abcdef", 'M', 9, -1, L""},
        SliceCase{L"abcdef", 'M', 1, 0, L""}, SliceCase{L"abcdef", 'M', -3, 2, L"ab"},
        SliceCase{L"abc", 'R', 10, 0, L"abc"}, SliceCase{L"abcdef", 'R', 2, 0, L"ef"},
        SliceCase{L"abcdef", 'R', -2, 0, L""}, SliceCase{L"abcdef", 'L', 3, 0, L"abc"},
        SliceCase{L"abcdef", 'L', 10, 0, L"abcdef"}, SliceCase{L"abcdef", 'L', -1, 0, L""}));

struct ReplaceCase {
    std::wstring text;
    const wchar_t* from;
    const wchar_t* to;
    std::wstring expected;
    int count;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.from); }

class DuiStringReplace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(DuiStringReplace, NeverSearchesInsertedText)
{
    const ReplaceCase& c = GetParam();
    CDuiString s(c.text.c_str());
    EXPECT_EQ(s.Replace(c.from, c.to), c.count);
    EXPECT_EQ(std::wstring(s.GetData()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, DuiStringReplace,
    ::testing::Values(ReplaceCase{L"aba", L"a", L"aa", L"aabaa", 2}, ReplaceCase{L"xyz", L"q", L"r", L"xyz", 0},
        ReplaceCase{L"aaaa", L"aa", L"a", L"aa", 2}, ReplaceCase{L"a-b-c", L"-", nullptr, L"abc", 2},
        ReplaceCase{L"abc", L"", L"x", L"abc", 0}, ReplaceCase{L"abc", nullptr, L"x", L"abc", 0},
        ReplaceCase{std::wstring(40, L'a'), L"a", L"bb", std::wstring(80, L'b'), 40},
        ReplaceCase{std::wstring(70, L'a'), L"aa", L"", L"", 35}));

TEST(DuiStringReplace, AcceptsReplacementTakenFromItself)
{
    CDuiString s(L"ab");
    EXPECT_EQ(s.Replace(L"b", s.GetData()), 1);
    EXPECT_STREQ(s.GetData(), L"aab");
}

TEST(DuiStringFormat, FormatsAndReturnsTheFormatterResult)
{
    CDuiString s;
    EXPECT_EQ(s.Format(L"%d-%s", 42, L"x"), 4);
    EXPECT_STREQ(s.GetData(), L"42-x");
    EXPECT_EQ(s.SmallFormat(L"%02x", 10), 2);
    EXPECT_STREQ(s.GetData(), L"0a");
    s.Format(L"<%s>", s.GetData());
    EXPECT_STREQ(s.GetData(), L"<0a>");
}

TEST(DuiStringFormat, CutsResultsAtTheLimitsWithoutOverflow)
{
    const std::wstring longText = std::wstring(3000, L'z');
    CDuiString s;
    (void)s.Format(L"%s", longText.c_str()); // the count depends on the platform's truncation
    EXPECT_GT(s.GetLength(), 1000);
    EXPECT_LE(s.GetLength(), 1024);
    EXPECT_EQ(std::wstring(s.GetData()), longText.substr(0, static_cast<size_t>(s.GetLength())));
    (void)s.SmallFormat(L"%s!", longText.c_str());
    EXPECT_EQ(std::wstring(s.GetData()), longText.substr(0, 63));
}
