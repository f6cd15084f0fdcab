#include "app/RemoteConfig.h"
#include "app/SiteRoot.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

std::string Length(int32_t n)
{
    const auto v = static_cast<uint32_t>(n);
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string Chunk(const std::string& plain)
{
    return MakeConfigChunk(CompressChunk(plain));
}

std::string RandomBytes(size_t n, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s) {
        c = static_cast<char>(rng());
    }
    return s;
}

bool Unpack(const std::string& body, std::string& out)
{
    return UnpackConfigData(reinterpret_cast<const unsigned char*>(body.data()), body.size(), out);
}

struct Body {
    const char* what;
    std::string bytes;
    bool ok;
    std::string text; // expected output
};

TEST(UnpackConfigData, ReadsChunksUpToTheEndMarker)
{
    const Body bodies[] = {
        {"empty body", "", true, ""},
        {"one chunk and zero", Chunk("<config/>") + Length(0), true, "<config/>"},
        {"one chunk, no zero", Chunk("<config/>"), true, "<config/>"},
        {"in order, stop at zero", Chunk("<a>") + Chunk("<b/>") + Chunk("</a>") + Length(0) + Chunk("x"), true, "<a><b/></a>"},
        {"dangling length", Chunk("abc") + Length(55), true, "abc"},
        {"dangling negative length", Chunk("abc") + Length(-7), true, "abc"},
        {"tail too short for a length", Chunk("abc") + "\x7f\x7f\x7f", true, "abc"},
        {"10240 bytes inflated", Chunk(std::string(10240, 'x')), true, std::string(10240, 'x')},
        {"thousands of tiny chunks", PackConfigDocument(std::string(3000, 'a') + "bc", 1), true,
            std::string(3000, 'a') + "bc"},
    };
    for (const Body& body : bodies) {
        std::string out = "stale";
        EXPECT_EQ(Unpack(body.bytes, out), body.ok) << body.what;
        EXPECT_EQ(out, body.text) << body.what;
    }
}

TEST(UnpackConfigData, RejectsDamagedChunksAndImpossibleLengths)
{
    std::string damaged = CompressChunk("second chunk text");
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    const std::string big = RandomBytes(10241, 1);
    const std::string c = CompressChunk("runs past the end");
    std::string wrongCheck = CompressChunk("inflates cleanly, but to other text than it was made from");
    wrongCheck.back() = static_cast<char>(wrongCheck.back() ^ 1);
    const Body bodies[] = {
        {"damaged among good", Chunk("first") + MakeConfigChunk(damaged) + Chunk("third") + Length(0), false, ""},
        {"not zlib", Chunk("first") + MakeConfigChunk("not zlib at all"), false, ""},
        {"wrong check value", Chunk("first") + MakeConfigChunk(wrongCheck), false, ""},
        {"check value cut off", Chunk("first") + MakeConfigChunk(wrongCheck.substr(0, wrongCheck.size() - 2)), false, ""},
        {"inflates past 10240", Chunk(std::string(10241, 'x')), false, ""},
        {"length over 10240", Chunk("ok") + Length(10241) + big, false, ""},
        {"negative length", Chunk("ok") + Length(-5) + big, false, ""},
        {"most negative length", Length(INT32_MIN) + big, false, ""},
        {"one byte past the end", Length(static_cast<int32_t>(c.size() + 1)) + c, false, ""},
        {"far past the end", Length(100) + c.substr(0, 10), false, ""},
    };
    for (const Body& body : bodies) {
        std::string out = "stale";
        EXPECT_FALSE(Unpack(body.bytes, out)) << body.what;
        EXPECT_EQ(out, "") << body.what << ": no partial output";
    }
}

TEST(ConfigPacker, KeepsEveryChunkWithinTheLimitAndRoundTrips)
{
    const std::string text = RandomBytes(50000, 7) + std::string(30000, 'a'); // random bytes grow under deflate
    const std::string packed = PackConfigDocument(text);
    EXPECT_EQ(packed.substr(packed.size() - 4), Length(0));
    int chunks = 0;
    for (size_t at = 0; at + 4 < packed.size(); ++chunks) {
        const auto n = static_cast<size_t>(static_cast<unsigned char>(packed[at]) | static_cast<unsigned char>(packed[at + 1]) << 8);
        ASSERT_TRUE(n > 0 && n <= kConfigChunkLimit) << n;
        at += 4 + n;
    }
    EXPECT_GE(chunks, 8);
    std::string out;
    ASSERT_TRUE(Unpack(packed, out));
    EXPECT_EQ(out, text);
    ASSERT_TRUE(Unpack(PackConfigDocument("<config/>", 2), out));
    EXPECT_EQ(out, "<config/>");
}

TEST(RemoteConfig, AnsiTextEndsAtTheFirstNul)
{
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide("<config a='b'/>"), L"<config a='b'/>");
    EXPECT_EQ(AnsiToWide(std::string("ab\0cd", 5)), L"ab");
}

TEST(RemoteConfig, AddressIsTheSiteRootAndConfigDat)
{
    EXPECT_EQ(ConfigAddress(), ZV_TEST_SITE_ROOT "/config.dat");
    const std::wstring previous = SetSiteRoot(L"http://127.0.0.1:8080/");
    EXPECT_EQ(ConfigAddress(), "http://127.0.0.1:8080/config.dat");
    (void)SetSiteRoot(previous);
}

} // namespace
