// Hostile bodies through the unpacker and the navigator: every truncation of a real
// body, flipped bytes, random bytes and random markup, from a fixed seed. The checks
// are properties that hold for any input.

#include "app/RemoteConfig.h"
#include "support/XmlNavigator.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const std::string kDocument =
    "<?xml version='1.0'?><!DOCTYPE config [<!ENTITY x 'y'>]><config><!-- c --><StaticAd>"
    "<ad text='a &amp; b' url='http://x/1'/><ad text=\"&#65;&#x42;\" url=u2 /></StaticAd>"
    "<ScrollAd><item><ad text='s1'/></item><item/><item><ad text='s3' url='u'/></item></ScrollAd></config>";

const char* const kPieces[] = {"<", ">", "/", "</", "/>", "config", "ad", "item", "=", "'", "\"", " ", "\r\n", "&amp;",
    "&#65;", "&#x", ";", "&", "<!--", "-->", "<![CDATA[", "]]>", "<!DOCTYPE", "[", "]", "<?", "?>", "<!E", "<!-", "<!"};

// Visits every element depth first, reading attributes; returns the number seen.
int Walk(CXmlNavigator& nav, int depth = 0)
{
    int seen = 0;
    for (nav.ResetMainPosition(); nav.FindElement(L""); ++seen) {
        seen += nav.GetAttribute(L"text").size() > 1000000 ? 1 : 0; // reads without ever matching
        if (depth < 200 && nav.EnterElement()) {
            seen += Walk(nav, depth + 1);
            EXPECT_TRUE(nav.LeaveElement());
        }
    }
    return seen;
}

// Unpacks `body`; when that succeeds, the output is bounded by the chunks the body can
// hold, the navigator's verdict matches its error text, and the tree holds no more
// elements than the text has "<".
void CheckPipeline(const std::string& body)
{
    std::string out;
    if (!UnpackConfigData(reinterpret_cast<const unsigned char*>(body.data()), body.size(), out)) {
        ASSERT_EQ(out, "");
        return;
    }
    ASSERT_LE(out.size(), (body.size() / 5 + 1) * kConfigChunkLimit);
    const std::wstring text = AnsiToWide(out);
    CXmlNavigator nav;
    const bool wellFormed = nav.SetDocument(text);
    EXPECT_EQ(wellFormed, nav.GetError().empty()) << ::testing::PrintToString(nav.GetError());
    EXPECT_LE(Walk(nav), std::count(text.begin(), text.end(), L'<'));
}

TEST(ConfigFuzz, EveryTruncationFailsOrGivesAPrefix)
{
    const std::string packed = PackConfigDocument(kDocument, 40);
    for (size_t cut = 0; cut <= packed.size(); ++cut) {
        std::string out;
        if (UnpackConfigData(reinterpret_cast<const unsigned char*>(packed.data()), cut, out)) {
            ASSERT_EQ(kDocument.compare(0, out.size(), out), 0) << "cut at " << cut;
        }
        CheckPipeline(packed.substr(0, cut));
    }
}

TEST(ConfigFuzz, FlippedAndRandomBytes)
{
    std::mt19937 rng(20261208);
    const std::string packed = PackConfigDocument(kDocument, 64);
    for (int round = 0; round < 1500; ++round) {
        std::string flipped = packed;
        for (int f = 1 + static_cast<int>(rng() % 4); f > 0; --f) {
            flipped[rng() % flipped.size()] = static_cast<char>(rng());
        }
        std::string text = kDocument; // damaged markup that still unpacks
        for (int f = 1 + static_cast<int>(rng() % 4); f > 0; --f) {
            text[rng() % text.size()] = static_cast<char>(rng());
        }
        std::string random(rng() % 200, '\0');
        std::generate(random.begin(), random.end(), [&] { return static_cast<char>(rng()); });
        SCOPED_TRACE(round);
        CheckPipeline(flipped);
        CheckPipeline(PackConfigDocument(text));
        CheckPipeline(random);
    }
}

TEST(ConfigFuzz, RandomMarkup)
{
    std::mt19937 rng(20261209);
    for (int round = 0; round < 1000; ++round) {
        std::string markup;
        for (size_t n = rng() % 60; n > 0; --n) {
            markup += kPieces[rng() % std::size(kPieces)];
        }
        SCOPED_TRACE(markup);
        CheckPipeline(PackConfigDocument(markup, 16 + rng() % 64));
    }
}

} // namespace
