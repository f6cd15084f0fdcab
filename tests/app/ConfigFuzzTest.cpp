// Hostile bodies through the unpacker and the navigator: random bytes, every
// truncation of a real document, flipped bits and random markup. The properties
// checked hold for any input, so a fixed seed keeps the run reproducible.

#include "app/RemoteConfig.h"
#include "support/XmlNavigator.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr uint32_t kSeed = 20261208;

const std::string kDocument =
    "<?xml version='1.0'?><!DOCTYPE config [<!ENTITY x 'y'>]><config><!-- c --><StaticAd>"
    "<ad text='a &amp; b' url='http://x/1'/><ad text=\"&#65;&#x42;\" url=u2 /></StaticAd>"
    "<ScrollAd><item><ad text='s1'/></item><item/><item><ad text='s3' url='u'/></item></ScrollAd></config>";

const char* const kPieces[] = {"<", ">", "/", "</", "/>", "config", "ad", "item", "=", "'", "\"", " ", "\r\n",
    "&amp;", "&#65;", "&#x", ";", "&", "<!--", "-->", "<![CDATA[", "]]>", "<!DOCTYPE", "[", "]", "<?", "?>",
    "<!E", "<!-", "<![", "<!", "text", "url", "x", "\xe4", "\0"};

bool Unpack(const std::string& body, std::string& out)
{
    return UnpackConfigData(reinterpret_cast<const unsigned char*>(body.data()), body.size(), out);
}

// Visits every element depth first, reading attributes on the way; returns how many
// elements were seen. The walk ends because each FindElement moves forward.
int WalkTree(CXmlNavigator& nav, int depth = 0)
{
    int seen = 0;
    nav.ResetMainPosition();
    while (nav.FindElement(L"")) {
        ++seen;
        (void)nav.GetAttribute(L"text");
        (void)nav.GetAttribute(L"url");
        if (depth < 200 && nav.EnterElement()) {
            seen += WalkTree(nav, depth + 1);
            EXPECT_TRUE(nav.LeaveElement());
        }
    }
    return seen;
}

// The checks that hold for any text: the verdict matches the error text, and the
// tree has no more elements than the text has "<".
void CheckNavigator(const std::wstring& text)
{
    CXmlNavigator nav;
    const bool wellFormed = nav.SetDocument(text);
    EXPECT_EQ(wellFormed, nav.GetError().empty()) << "error: " << ::testing::PrintToString(nav.GetError());
    const auto angles = std::count(text.begin(), text.end(), L'<');
    EXPECT_LE(WalkTree(nav), angles);
}

std::string RandomMarkup(std::mt19937& rng)
{
    std::string text;
    const size_t pieces = rng() % 60;
    for (size_t i = 0; i < pieces; ++i) {
        const char* piece = kPieces[rng() % std::size(kPieces)];
        text += *piece == '\0' ? std::string(1, '\0') : std::string(piece);
    }
    return text;
}

TEST(ConfigFuzz, EveryTruncationOfARealBodyFailsOrGivesAPrefix)
{
    const std::string packed = PackConfigDocument(kDocument, 40);
    for (size_t cut = 0; cut <= packed.size(); ++cut) {
        std::string out;
        if (Unpack(packed.substr(0, cut), out)) {
            ASSERT_EQ(kDocument.compare(0, out.size(), out), 0) << "cut at " << cut;
            CheckNavigator(AnsiToWide(out));
        }
    }
}

TEST(ConfigFuzz, FlippedBytesNeverGiveMoreThanTheChunksAllow)
{
    std::mt19937 rng(kSeed);
    const std::string packed = PackConfigDocument(kDocument, 64);
    for (int round = 0; round < 1500; ++round) {
        std::string body = packed;
        const int flips = 1 + static_cast<int>(rng() % 4);
        for (int f = 0; f < flips; ++f) {
            body[rng() % body.size()] = static_cast<char>(rng() & 0xFF);
        }
        std::string out;
        if (Unpack(body, out)) {
            const size_t chunkSlots = body.size() / 5 + 1;
            ASSERT_LE(out.size(), chunkSlots * kConfigChunkLimit) << "round " << round;
            CheckNavigator(AnsiToWide(out));
        } else {
            ASSERT_TRUE(out.empty()) << "round " << round;
        }
    }
}

TEST(ConfigFuzz, RandomBytesAreRejectedOrBounded)
{
    std::mt19937 rng(kSeed + 1);
    int accepted = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string body(rng() % 200, '\0');
        for (auto& c : body) {
            c = static_cast<char>(rng() & 0xFF);
        }
        std::string out;
        if (Unpack(body, out)) {
            ++accepted;
            ASSERT_LE(out.size(), (body.size() / 5 + 1) * kConfigChunkLimit);
            CheckNavigator(AnsiToWide(out));
        }
    }
    EXPECT_LT(accepted, 1500) << "random bytes are almost never a valid chunk sequence";
}

TEST(ConfigFuzz, RandomMarkupThroughTheWholePipeline)
{
    std::mt19937 rng(kSeed + 2);
    for (int round = 0; round < 1000; ++round) {
        const std::string markup = RandomMarkup(rng);
        std::string out;
        ASSERT_TRUE(Unpack(PackConfigDocument(markup, 16 + rng() % 64), out)) << "round " << round;
        ASSERT_EQ(out, markup);
        CheckNavigator(AnsiToWide(out));
    }
}

} // namespace
