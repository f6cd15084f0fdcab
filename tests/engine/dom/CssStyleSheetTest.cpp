#include "engine/render/CssStyleSheet.h"

#include <gtest/gtest.h>

#include "engine/dom/HtmlParser.h"
#include "engine/render/CssValues.h"
#include "engine/render/StyleResolver.h"

namespace engine {
namespace {

// The first element below the body with this id.
const DomNode* ById(const DomNode& node, std::wstring_view id)
{
    for (const auto& child : node.children) {
        if (child->kind != DomNodeKind::Element) {
            continue;
        }
        for (const auto& [name, value] : child->attributes) {
            if (name == L"id" && value == id) {
                return child.get();
            }
        }
        if (const DomNode* found = ById(*child, id)) {
            return found;
        }
    }
    return nullptr;
}

TEST(CssStyleSheet, KeepsScreenRulesAndSkipsWhatItCannotRead)
{
    const CssStyleSheet sheet = ParseStyleSheet(
        L"@charset \"utf-8\"; @import url(x.css);\n"
        L"/* a comment { with braces } */ p, .note { color: red; margin : 0 !IMPORTANT }\n"
        L"@media print { p { color: black } }  @media screen and (min-width: 10px) { h1 { font-size: 2em } }\n"
        L"@font-face { font-family: x; src: url('a;b.woff') }\n"
        L"a + b { color: blue } div ~ p { color: blue } p, ::selection { color: blue }\n"
        L"li { } em { content: \"};\"; font-style: normal }");
    std::vector<std::wstring> blocks;
    for (const auto& rule : sheet.rules) {
        std::wstring text;
        for (const auto& d : sheet.blocks[rule.block]) {
            text += d.property + L"=" + d.value + (d.important ? L"!" : L"") + L";";
        }
        blocks.push_back(text);
    }
    const std::wstring margins = L"color=red;margin-top=0!;margin-right=0!;margin-bottom=0!;margin-left=0!;";
    EXPECT_EQ(blocks, (std::vector<std::wstring>{margins, margins, L"font-size=2em;",
                                                 L"color=blue;", L"color=blue;", L"content=\"};\";font-style=normal;"}));
}

struct SelectorCase {
    const wchar_t* selector;
    const wchar_t* element;  // id of the element in kPage
    bool matches;
    int specificity;  // -1: not a selector of the subset
};

constexpr wchar_t kPage[] =
    L"<div id=nav class='menu top'><ul><li id=first><a id=home href=/>Home</a></li><li id=second>"
    L"<a id=plain>x</a></li></ul></div><p id=para lang=en title='a b'>text</p>";

class CssSelectorMatch : public testing::TestWithParam<SelectorCase> {};

TEST_P(CssSelectorMatch, MatchesAndWeighsLikeABrowser)
{
    const SelectorCase& c = GetParam();
    const auto selector = CssSelector::Parse(c.selector);
    ASSERT_EQ(selector.has_value(), c.specificity >= 0);
    if (!selector.has_value()) {
        return;
    }
    const DomNodePtr doc = ParseHtml(kPage);
    const DomNode* element = ById(*doc, c.element);
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(selector->Matches(*element), c.matches);
    EXPECT_EQ(selector->Specificity(), c.specificity);
}

constexpr int kId = 256 * 256;
constexpr int kClass = 256;

INSTANTIATE_TEST_SUITE_P(Selectors, CssSelectorMatch, testing::Values(
    SelectorCase{L"li", L"first", true, 1},
    SelectorCase{L"*", L"para", true, 0},
    SelectorCase{L"#nav", L"nav", true, kId},
    SelectorCase{L"div.menu.top", L"nav", true, 2 * kClass + 1},
    SelectorCase{L".menu.bottom", L"nav", false, 2 * kClass},
    SelectorCase{L"div li a", L"home", true, 3},
    SelectorCase{L"div > li", L"first", false, 2},
    SelectorCase{L"ul>li>a", L"home", true, 3},
    SelectorCase{L"#nav li:first-child", L"first", true, kId + kClass + 1},
    SelectorCase{L"#nav li:first-child", L"second", false, kId + kClass + 1},
    SelectorCase{L"a:link", L"home", true, kClass + 1},
    SelectorCase{L"a:link", L"plain", false, kClass + 1},
    SelectorCase{L"a:hover", L"home", false, kClass + 1},
    SelectorCase{L"p::first-line", L"para", false, kClass + 1},
    SelectorCase{L"p[lang]", L"para", true, kClass + 1},
    SelectorCase{L"[lang=\"en\"]", L"para", true, kClass},
    SelectorCase{L"[lang=fr]", L"para", false, kClass},
    SelectorCase{L"[title~=b]", L"para", true, kClass},
    SelectorCase{L"P#PARA", L"para", false, kId + 1},
    SelectorCase{L"a + b", L"para", false, -1},
    SelectorCase{L"> p", L"para", false, -1},
    SelectorCase{L"p >", L"para", false, -1},
    SelectorCase{L"p[lang", L"para", false, -1}));

TEST(StyleResolver, CascadeOrdersByImportanceSpecificityAndPosition)
{
    const struct {
        std::wstring sheet;
        std::wstring style;  // the element's style attribute
        std::wstring color;  // the winner
    } cases[] = {
        {L"p { color: red } p { color: blue }", L"", L"blue"},
        {L"#x { color: red } p { color: blue }", L"", L"red"},
        {L"p.c { color: red } p { color: blue }", L"", L"red"},
        {L"p { color: red !important } #x { color: blue }", L"", L"red"},
        {L"#x { color: red }", L"color: green", L"green"},
        {L"p { color: red !important }", L"color: green", L"red"},
        {L"p { color: red !important }", L"color: green !important", L"green"},
        {L"div p { color: red } div > p { color: blue }", L"", L"blue"},
        {L"div > p { color: blue } div p { color: red }", L"", L"red"},
        {L"span { color: red }", L"", L""},
        {L"div p { color: blue } ul p { color: red } #x.c { color: green } div > #x { color: red }", L"", L"green"},
    };
    for (const auto& c : cases) {
        StyleResolver resolver;
        resolver.Add(ParseStyleSheet(c.sheet));
        const DomNodePtr doc = ParseHtml(L"<div><p id=x class=c style='" + c.style + L"'>t</p></div>");
        const ResolvedStyle style = resolver.Resolve(*ById(*doc, L"x"));
        const std::wstring* color = style.Find(L"color");
        EXPECT_EQ(color != nullptr ? *color : L"", c.color) << c.sheet << " / " << c.style;
    }
}

TEST(CssStyleSheet, ShorthandsBecomeLonghandsOrAreDroppedWhole)
{
    const auto expand = [](std::wstring_view block) {
        std::wstring text;
        for (const auto& d : ParseDeclarations(block)) {
            text += d.property + L"=" + d.value + L";";
        }
        return text;
    };
    const struct {
        const wchar_t* block;
        const wchar_t* longhands;
    } cases[] = {
        {L"padding: 1px 2px 3px", L"padding-top=1px;padding-right=2px;padding-bottom=3px;padding-left=2px;"},
        {L"margin: 0 auto", L"margin-top=0;margin-right=auto;margin-bottom=0;margin-left=auto;"},
        {L"margin: 1px 2px 3px 4px 5px; padding: -1px; margin-top: x", L""},
        {L"border-width: thin 2px", L"border-top-width=thin;border-right-width=2px;border-bottom-width=thin;"
                                    L"border-left-width=2px;"},
        {L"border-left: 4px SOLID #ff3b4a",
         L"border-left-width=4px;border-left-style=solid;border-left-color=#ff3b4a;"},
        {L"border-top: dashed", L"border-top-width=medium;border-top-style=dashed;border-top-color=currentcolor;"},
        {L"border: 1px solid red 2px bogus", L""},
        {L"background: #251f29", L"background-color=#251f29;background-image=none;background-repeat=repeat;"},
        {L"background: url(\"Img/A b.png\") no-repeat left top rgb(1, 2, 3)",
         L"background-color=rgb(1, 2, 3);background-image=url(\"Img/A b.png\");background-repeat=no-repeat;"},
        {L"font: 14px/1.7 \"Microsoft YaHei\", sans-serif",
         L"font-style=normal;font-weight=normal;font-size=14px;line-height=1.7;"
         L"font-family=\"Microsoft YaHei\", sans-serif;"},
        {L"font: italic bold 12px / 20px serif",
         L"font-style=italic;font-weight=bold;font-size=12px;line-height=20px;font-family=serif;"},
        {L"font: 12px; font: caption; font: huge serif", L""},
        {L"width: -3px; max-width: none; height: 50%; line-height: normal; float: middle; clear: both",
         L"max-width=none;height=50%;line-height=normal;clear=both;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expand(c.block), c.longhands) << c.block;
    }
}

TEST(CssValues, ColoursFontSizesAndLengths)
{
    EXPECT_EQ(ParseCssColor(L"#F00"), RGB(255, 0, 0));
    EXPECT_EQ(ParseCssColor(L"#00a0ff"), RGB(0, 160, 255));
    EXPECT_EQ(ParseCssColor(L"rgb(10, 20, 30)"), RGB(10, 20, 30));
    EXPECT_EQ(ParseCssColor(L"RGBA(100%, 0%, 50%, 0.5)"), RGB(255, 0, 128));
    EXPECT_EQ(ParseCssColor(L"Navy"), RGB(0, 0, 128));
    for (const wchar_t* bad : {L"#12", L"#ggg", L"rgb(1,2)", L"transparent", L"inherit", L""}) {
        EXPECT_EQ(ParseCssColor(bad), std::nullopt) << bad;
    }
    const struct {
        const wchar_t* value;
        std::optional<int> pixels;
    } sizes[] = {{L"12px", 12}, {L"1.5em", 30}, {L"50%", 10}, {L"12pt", 16}, {L"small", 13}, {L"x-large", 24},
                 {L"larger", 24}, {L"2rem", 32}, {L"12", std::nullopt}, {L"-3px", std::nullopt},
                 {L"1e9px", std::nullopt}, {L"big", std::nullopt}};
    for (const auto& size : sizes) {
        EXPECT_EQ(ParseFontSize(size.value, 20), size.pixels) << size.value;
    }
    const struct {
        const wchar_t* value;
        int percentBase;
        std::optional<int> pixels;
    } lengths[] = {{L"10px", 0, 10}, {L"1.5EM", 0, 30}, {L"50%", 300, 150}, {L"50%", -1, std::nullopt},
                   {L"0", 0, 0}, {L"5", 0, std::nullopt}, {L"1in", 0, 96}, {L"-4pt", 0, -5},
                   {L"1e12px", 0, kMaxCssPixels}, {L"auto", 0, std::nullopt}, {L"3vw", 0, std::nullopt}};
    for (const auto& length : lengths) {
        EXPECT_EQ(ParseCssLength(length.value, 20, length.percentBase), length.pixels) << length.value;
    }
}

} // namespace
} // namespace engine
