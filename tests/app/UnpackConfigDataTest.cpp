#include "app/RemoteConfig.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

std::string LengthField(int32_t n)
{
    const auto v = static_cast<uint32_t>(n);
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
        static_cast<char>((v >> 24) & 0xFF)};
}

const std::string kZero = LengthField(0);

bool Unpack(const std::string& body, std::string& out)
{
    return UnpackConfigData(reinterpret_cast<const unsigned char*>(body.data()), body.size(), out);
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
        c = static_cast<char>(rng() & 0xFF);
    }
    return s;
}

TEST(UnpackConfigData, OneChunkWithOrWithoutClosingZero)
{
    std::string out;
    ASSERT_TRUE(Unpack(Chunk("<config/>") + kZero, out));
    EXPECT_EQ(out, "<config/>");
    ASSERT_TRUE(Unpack(Chunk("<config/>"), out));
    EXPECT_EQ(out, "<config/>");
}

TEST(UnpackConfigData, ChunksConcatenateInOrderAndStopAtZero)
{
    std::string out;
    ASSERT_TRUE(Unpack(Chunk("<config>") + Chunk("<ad/>") + Chunk("</config>") + kZero + Chunk("ignored"), out));
    EXPECT_EQ(out, "<config><ad/></config>");
}

TEST(UnpackConfigData, EmptyBodyIsEmptySuccess)
{
    std::string out = "stale";
    ASSERT_TRUE(UnpackConfigData(nullptr, 0, out));
    EXPECT_EQ(out, "");
}

TEST(UnpackConfigData, DanglingLengthOrShortTailEndsTheSequence)
{
    std::string out;
    ASSERT_TRUE(Unpack(Chunk("abc") + LengthField(55), out));
    EXPECT_EQ(out, "abc");
    ASSERT_TRUE(Unpack(Chunk("abc") + LengthField(-7), out)) << "a bare length is ignored, whatever it says";
    EXPECT_EQ(out, "abc");
    for (size_t tail = 1; tail < 4; ++tail) {
        ASSERT_TRUE(Unpack(Chunk("abc") + std::string(tail, '\x7f'), out)) << tail;
        EXPECT_EQ(out, "abc");
    }
}

TEST(UnpackConfigData, DamagedChunkAmongGoodOnesFailsTheWhole)
{
    std::string damaged = CompressChunk("second chunk text");
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x55);
    std::string out = "stale";
    EXPECT_FALSE(Unpack(Chunk("first") + MakeConfigChunk(damaged) + Chunk("third") + kZero, out));
    EXPECT_EQ(out, "") << "no partial output on failure";
    EXPECT_FALSE(Unpack(Chunk("first") + MakeConfigChunk("not zlib at all") + kZero, out));
}

TEST(UnpackConfigData, ImpossibleLengthsFail)
{
    std::string out;
    const std::string big = RandomBytes(10241, 1);
    EXPECT_FALSE(Unpack(Chunk("ok") + LengthField(10241) + big + kZero, out)) << "over 10240";
    EXPECT_FALSE(Unpack(Chunk("ok") + LengthField(-5) + big + kZero, out)) << "negative";
    EXPECT_FALSE(Unpack(Chunk("ok") + LengthField(INT32_MIN) + big, out)) << "most negative";
    const std::string c = CompressChunk("runs past the end");
    EXPECT_FALSE(Unpack(LengthField(static_cast<int32_t>(c.size() + 1)) + c, out)) << "one byte past the end";
    EXPECT_FALSE(Unpack(LengthField(100) + c.substr(0, 10), out));
}

TEST(UnpackConfigData, InflatedSizeIsLimitedTo10240)
{
    std::string out;
    ASSERT_TRUE(Unpack(Chunk(std::string(10240, 'x')) + kZero, out));
    EXPECT_EQ(out, std::string(10240, 'x'));
    EXPECT_FALSE(Unpack(Chunk(std::string(10241, 'x')) + kZero, out));
}

TEST(ConfigPacker, ChunksStayWithinTheLimitsAndRoundTrip)
{
    // Random bytes do not compress: full-size chunks must shrink to fit.
    const std::string text = RandomBytes(50000, 7) + std::string(30000, 'a');
    const std::string packed = PackConfigDocument(text);
    ASSERT_GE(packed.size(), 4u);
    EXPECT_EQ(packed.substr(packed.size() - 4), kZero);
    int chunks = 0;
    for (size_t offset = 0; offset + 4 < packed.size(); ++chunks) {
        const auto n = static_cast<size_t>(static_cast<unsigned char>(packed[offset]))
            | (static_cast<size_t>(static_cast<unsigned char>(packed[offset + 1])) << 8);
        ASSERT_LE(n, kConfigChunkLimit);
        ASSERT_GT(n, 0u);
        offset += 4 + n;
    }
    EXPECT_GE(chunks, 8);
    std::string out;
    ASSERT_TRUE(Unpack(packed, out));
    EXPECT_EQ(out, text);
}

TEST(ConfigPacker, SmallChunkSizeAndEmptyText)
{
    std::string out;
    ASSERT_TRUE(Unpack(PackConfigDocument("<config><ad text='x'/></config>", 5), out));
    EXPECT_EQ(out, "<config><ad text='x'/></config>");
    EXPECT_EQ(PackConfigDocument(""), kZero);
}

TEST(AnsiToWide, ConvertsUpToTheFirstNul)
{
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide("<config a='b'/>"), L"<config a='b'/>");
    EXPECT_EQ(AnsiToWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(AnsiToWide(std::string("\0cd", 3)), L"");
}

TEST(ConfigAddress, BuildsFromTheSiteRoot)
{
    const std::wstring previous = SetConfigSiteRoot(L"http://127.0.0.1:8080/");
    EXPECT_EQ(ConfigAddress(), "http://127.0.0.1:8080/config.dat");
    EXPECT_EQ(SetConfigSiteRoot(previous), L"http://127.0.0.1:8080/");
    EXPECT_EQ(ConfigAddress(), ZV_TEST_SITE_ROOT "/config.dat");
}

} // namespace
