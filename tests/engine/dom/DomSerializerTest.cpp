#include "engine/dom/DomSerializer.h"

#include <gtest/gtest.h>

#include <random>

#include "DomTestHelpers.h"
#include "engine/dom/HtmlParser.h"

namespace engine {
namespace {

constexpr std::wstring_view kPage =
    L"<title>比赛</title><body class=b><div id=\"main\" style=\"display:none\">a<br>b<!--c--></div>"
    L"<ul><li>x<li>\xD83D\xDE00</ul><img src=\"p.png\" width=3></body>";

TEST(DomSerializer, RoundTripKeepsEveryNodeAttributeAndParentLink)
{
    const auto doc = ParseHtml(kPage);
    const auto copy = DeserializeDom(SerializeDom(*doc));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->kind, DomNodeKind::Document);
    EXPECT_EQ(test::Outline(*copy), test::Outline(*doc));
    EXPECT_TRUE(test::ParentsConsistent(*copy));
    EXPECT_EQ(copy->parent, nullptr);
}

TEST(DomSerializer, EveryTruncationIsRejected)
{
    const std::string bytes = SerializeDom(*ParseHtml(kPage));
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_EQ(DeserializeDom(std::string_view(bytes).substr(0, length)), nullptr) << "length " << length;
    }
}

TEST(DomSerializer, TrailingBytesWrongMagicAndBadKindsAreRejected)
{
    const std::string bytes = SerializeDom(*ParseHtml(L"<p>x</p>"));
    EXPECT_EQ(DeserializeDom(bytes + "x"), nullptr);
    EXPECT_EQ(DeserializeDom("XXXX" + bytes.substr(4)), nullptr);
    std::string badKind = bytes;
    badKind[4] = 9;
    EXPECT_EQ(DeserializeDom(badKind), nullptr);
}

TEST(DomSerializer, HugeCountsAreRejectedWithoutAllocating)
{
    // A document record claiming four billion children, and an element with a string
    // length far beyond the input.
    EXPECT_EQ(DeserializeDom(std::string("ZVD1\x00\xFF\xFF\xFF\xFF", 9)), nullptr);
    EXPECT_EQ(DeserializeDom(std::string("ZVD1\x01\xFF\xFF\xFF\x7F", 9)), nullptr);
}

TEST(DomSerializer, TextNodesWithChildrenAndNestedDocumentsAreRejected)
{
    // Text node, empty text, one child (a text node).
    const std::string textWithChild("ZVD1\x02\0\0\0\0\x01\0\0\0\x02\0\0\0\0\0\0\0\0", 22);
    EXPECT_EQ(DeserializeDom(textWithChild), nullptr);
    // Document holding a document that holds an empty text node.
    const std::string nestedDocument("ZVD1\x00\x01\0\0\0\x00\x01\0\0\0\x02\0\0\0\0\0\0\0\0", 23);
    EXPECT_EQ(DeserializeDom(nestedDocument), nullptr);
}

TEST(DomSerializer, RandomCorruptionNeverCrashesAndRoundTripsWhatItAccepts)
{
    const std::string bytes = SerializeDom(*ParseHtml(kPage));
    std::mt19937 rng(7);
    std::uniform_int_distribution<size_t> position(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    for (int round = 0; round < 2000; ++round) {
        std::string corrupt = bytes;
        corrupt[position(rng)] = static_cast<char>(value(rng));
        const auto tree = DeserializeDom(corrupt);
        if (tree != nullptr) {
            ASSERT_EQ(SerializeDom(*tree), corrupt) << "round " << round;
        }
    }
}

} // namespace
} // namespace engine
