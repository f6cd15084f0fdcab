// Mutated skin documents: whatever the parser is given, it ends either with a valid
// document or with a failure message, and every node it hands out can be walked.

#include "duilib/core/Markup.h"

#include "MarkupTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <random>
#include <string>

using DuiLib::CMarkup;
using DuiLib::CMarkupNode;

namespace {

constexpr const wchar_t* kSeedSkin =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    L"<!-- main window -->\n"
    L"<Window size=\"800,600\" caption=\"0,0,0,30\" roundcorner=\"4,4\">\n"
    L"  <Font name=\"\x5FAE\x8F6F\x96C5\x9ED1\" size=\"12\" bold=\"true\"/>\n"
    L"  <Default name=\"Button\" value=\"textcolor=&quot;#FF000000&quot;\" />\n"
    L"  <VerticalLayout bkcolor=\"#FFFFFFFF\" inset=\"1,1,1,1\">\n"
    L"    <HorizontalLayout height=\"30\">\n"
    L"      <Button name=\"close\" text=\"a &amp; b &lt;c&gt;\" normalimage=\"file='x.png' source='0,0,9,9'\"/>\n"
    L"      <Label text=\"   spaced   out   \">data &apos;here&apos;</Label>\n"
    L"    </HorizontalLayout>\n"
    L"    <Option group=\"g\" selected=\"true\" />\n"
    L"  </VerticalLayout>\n"
    L"</Window>\n";

// Characters the grammar reacts to, so that mutations hit its decisions.
constexpr wchar_t kSpecial[] = L"<>/\"'&;=!?- \t\nab:_\x4E2D";

std::wstring Mutate(std::wstring text, std::mt19937& random)
{
    std::uniform_int_distribution<int> kind(0, 4);
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        const size_t at = random() % text.size();
        const wchar_t special = kSpecial[random() % (std::size(kSpecial) - 1)];
        switch (kind(random)) {
        case 0: text[at] = special; break;
        case 1: text.insert(at, 1, special); break;
        case 2: text.erase(at, 1 + random() % 8); break;
        case 3: text.resize(at); break;
        default: text.insert(at, text.substr(random() % text.size(), random() % 40)); break;
        }
    }
    return text;
}

// Walks the whole tree, reads every attribute and counts the elements.
int Walk(CMarkupNode node)
{
    int count = 0;
    for (; node.IsValid(); node = node.GetSibling()) {
        EXPECT_NE(nullptr, node.GetName());
        EXPECT_NE(nullptr, node.GetValue());
        const int attributes = node.GetAttributeCount();
        EXPECT_LE(attributes, CMarkupNode::MAX_XML_ATTRIBUTES);
        for (int i = 0; i < attributes; ++i) {
            const wchar_t* name = node.GetAttributeName(i);
            EXPECT_NE(nullptr, name);
            if (name == nullptr) {
                continue;
            }
            int first = 0;
            while (std::wcscmp(node.GetAttributeName(first), name) != 0) {
                ++first;
            }
            EXPECT_STREQ(node.GetAttributeValue(first), node.GetAttributeValue(name));
        }
        if (node.HasChildren()) {
            EXPECT_EQ(node.GetName(), node.GetChild().GetParent().GetName());
            count += Walk(node.GetChild());
        }
        ++count;
    }
    return count;
}

void ExpectValidOrMessage(CMarkup& markup, bool loaded, size_t textLength)
{
    const std::wstring message = markup_test::ErrorMessage(markup);
    if (loaded) {
        ASSERT_TRUE(markup.IsValid());
        EXPECT_EQ(L"", message);
        EXPECT_LE(Walk(markup.GetRoot()), static_cast<int>(textLength) + 1);
    } else {
        EXPECT_FALSE(markup.IsValid());
        EXPECT_FALSE(markup.GetRoot().IsValid());
        EXPECT_NE(L"", message);
    }
}

} // namespace

TEST(MarkupFuzz, MutatedDocumentsEndValidOrWithAMessage)
{
    std::mt19937 random(20261208);
    int loaded = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::wstring text = Mutate(kSeedSkin, random);
        CMarkup markup;
        markup.SetPreserveWhitespace(round % 2 == 0);
        const bool ok = markup.Load(text.c_str());
        loaded += ok ? 1 : 0;
        ExpectValidOrMessage(markup, ok, text.size());
        if (HasFailure()) {
            FAIL() << "round " << round;
        }
    }
    // The mutations must exercise both outcomes, or the test proves little.
    EXPECT_GT(loaded, 100);
    EXPECT_LT(loaded, 2900);
}

TEST(MarkupFuzz, RandomBytesInEveryEncodingEndValidOrWithAMessage)
{
    std::mt19937 random(77);
    const std::vector<BYTE> seed = markup_test::Utf8(kSeedSkin);
    for (int round = 0; round < 2000; ++round) {
        std::vector<BYTE> bytes = seed;
        const int edits = 1 + static_cast<int>(random() % 16);
        for (int i = 0; i < edits; ++i) {
            bytes[random() % bytes.size()] = static_cast<BYTE>(random());
        }
        bytes.resize(random() % (bytes.size() + 1));
        CMarkup markup;
        const int encoding = static_cast<int>(random() % 3);
        const bool ok = markup.LoadFromMem(bytes.data(), static_cast<DWORD>(bytes.size()), encoding);
        ExpectValidOrMessage(markup, ok, bytes.size());
        if (HasFailure()) {
            FAIL() << "round " << round;
        }
    }
}
