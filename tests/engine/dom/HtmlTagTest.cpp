#include "engine/dom/HtmlTag.h"

#include <gtest/gtest.h>

namespace engine {
namespace {

TEST(HtmlTag, KnownNamesCarryTheirRulesAndOthersNone)
{
    struct Row {
        const wchar_t* name;
        HtmlTag tag;
        std::uint8_t flags;
    };
    const Row rows[] = {
        {L"p", HtmlTag::P, kClosesParagraph},
        {L"br", HtmlTag::Br, kVoidElement},
        {L"hr", HtmlTag::Hr, kVoidElement | kClosesParagraph},
        {L"meta", HtmlTag::Meta, kVoidElement | kHeadElement},
        {L"title", HtmlTag::Title, kHeadElement | kRawText | kDecodesRawText},
        {L"script", HtmlTag::Script, kHeadElement | kRawText},
        {L"textarea", HtmlTag::Textarea, kRawText | kDecodesRawText},
        {L"blockquote", HtmlTag::Blockquote, kClosesParagraph},
        {L"td", HtmlTag::Td, 0},
        {L"body", HtmlTag::Body, 0},
        {L"span", HtmlTag::Other, 0},
        {L"DIV", HtmlTag::Other, 0},  // looked up in lower case only
        {L"blockquotes", HtmlTag::Other, 0},
        {L"", HtmlTag::Other, 0},
        {L"\u4E2D", HtmlTag::Other, 0},
    };
    for (const Row& row : rows) {
        const HtmlTagInfo info = LookUpHtmlTag(row.name);
        EXPECT_EQ(info.tag, row.tag) << "'" << testing::PrintToString(std::wstring(row.name)) << "'";
        EXPECT_EQ(info.flags, row.flags) << testing::PrintToString(std::wstring(row.name));
    }
}

} // namespace
} // namespace engine
