// The tag grammar of formatted text: which characters form tags, their arguments,
// plain runs, and the raw mode.

#include "duilib/core/HtmlTextScanner.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::HtmlTextScanner;
using DuiLib::HtmlToken;
using DuiLib::HtmlTokenKind;

namespace {

std::string Narrow(const wchar_t* text, int length)
{
    std::string out;
    for (int i = 0; i < length; ++i) {
        out += static_cast<char>(text[i]);
    }
    return out;
}

// The whole text as a token list: T(run) for text, _ for a space, NL, <x:arg> and </x>.
// Raw mode follows the "r" tags as the layout does.
std::string Tokenize(const wchar_t* text)
{
    const HtmlTextScanner scanner(text);
    std::string out;
    bool raw = false;
    for (int pos = 0;;) {
        const HtmlToken token = scanner.Next(pos, raw);
        if (token.kind == HtmlTokenKind::End) {
            return out;
        }
        EXPECT_GT(token.next, pos) << "every token consumes text";
        if (token.next <= pos) {
            return out + "STUCK";
        }
        const std::string arg = Narrow(text + token.start, token.length);
        switch (token.kind) {
        case HtmlTokenKind::Text:
            out += "T(" + arg + ")";
            break;
        case HtmlTokenKind::Space:
            out += "_";
            break;
        case HtmlTokenKind::LineFeed:
            out += "NL";
            break;
        case HtmlTokenKind::OpenTag:
            out += std::string("<") + static_cast<char>(token.tag) + ":" + arg + ">";
            raw = raw || token.tag == L'r';
            break;
        case HtmlTokenKind::CloseTag:
            out += std::string("</") + static_cast<char>(token.tag) + ">";
            raw = raw && token.tag != L'r';
            break;
        case HtmlTokenKind::End:
            break;
        }
        pos = token.next;
    }
}

struct GrammarCase {
    const char* name;
    const wchar_t* text;
    const char* tokens;
};

void PrintTo(const GrammarCase& c, std::ostream* os) { *os << c.name; }

class HtmlTextGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(HtmlTextGrammar, SplitsTextIntoTokens)
{
    EXPECT_EQ(GetParam().tokens, Tokenize(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Table, HtmlTextGrammar,
    ::testing::Values(
        GrammarCase{"PlainWordsAndSingleSpaces", L"ab  cd", "T(ab)__T(cd)"},
        GrammarCase{"LineFeedEndsRun", L"ab\ncd", "T(ab)NLT(cd)"},
        GrammarCase{"AngleTagAndClose", L"<b>x</b>", "<b:>T(x)</b>"},
        GrammarCase{"BraceTagAndClose", L"{b}x{/b}", "<b:>T(x)</b>"},
        GrammarCase{"ArgumentAfterSpace", L"<c #FF0000>x", "<c:#FF0000>T(x)"},
        GrammarCase{"BlanksBeforeArgumentSkipped", L"<x   12>", "<x:12>"},
        GrammarCase{"LinkTextUpToCloser", L"<a http://h/?q=1>go</a>", "<a:http://h/?q=1>T(go)</a>"},
        GrammarCase{"BraceTagMayHoldAngles", L"{a x>y}go{/a}", "<a:x>y>T(go)</a>"},
        GrammarCase{"UnknownLetterIsStillATag", L"<z whatever>k", "<z:whatever>T(k)"},
        GrammarCase{"TwoLettersAreText", L"<ab>", "T(<ab>)"},
        GrammarCase{"UpperCaseIsText", L"<B>", "T(<B>)"},
        GrammarCase{"BracketBeforeSpaceIsText", L"a < b", "T(a)_T(<)_T(b)"},
        GrammarCase{"NeverClosedTagIsText", L"<b never", "T(<b)_T(never)"},
        GrammarCase{"MismatchedCloserIsNotATag", L"<b}x", "T(<b}x)"},
        GrammarCase{"BraceInAnglesDrawsBrace", L"<{>a<}>", "T({)T(a)T(})"},
        GrammarCase{"AngleInBracesDrawsAngle", L"{<}a{>}", "T(<)T(a)T(>)"},
        GrammarCase{"RunStopsAtNextOpener", L"x<y{z", "T(x)T(<y)T({z)"},
        GrammarCase{"CloseNeedsItsCloser", L"</b x", "T(</b)_T(x)"},
        GrammarCase{"CloseOfUnknownLetter", L"</q>", "</q>"},
        GrammarCase{"RawShowsTags", L"<r><b>x</r><b>", "<r:>T(<b>x)</r><b:>"},
        GrammarCase{"RawKeepsSpacesAndLines", L"<r>a b\n</r>", "<r:>T(a)_T(b)NL</r>"},
        GrammarCase{"RawEndsAtBraceClose", L"{r}<i>{/r}", "<r:>T(<i>)</r>"},
        GrammarCase{"RawIgnoresOtherCloses", L"<r></b></r>", "<r:>T(</b>)</r>"},
        GrammarCase{"TrailingOpener", L"ab<", "T(ab)T(<)"},
        GrammarCase{"LoneOpeners", L"<{", "T(<)T({)"},
        GrammarCase{"EmptyText", L"", ""}),
    [](const ::testing::TestParamInfo<GrammarCase>& info) { return std::string(info.param.name); });

TEST(HtmlTextScanner, BracketDrawnThroughOtherPairPointsAtTheBracketAndSkipsAllThree)
{
    const HtmlTextScanner scanner(L"<{>z");
    const HtmlToken token = scanner.Next(0, false);
    EXPECT_EQ(HtmlTokenKind::Text, token.kind);
    EXPECT_EQ(1, token.start);
    EXPECT_EQ(1, token.length);
    EXPECT_EQ(3, token.next);
}

} // namespace
