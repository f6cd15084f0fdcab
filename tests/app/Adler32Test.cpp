#include "app/Adler32.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

// The same value as zlib's own byte loop for every length around the sixteen-byte
// steps and the runs between reductions, from a fresh start and from a running one,
// over random bytes and over bytes that make the sums as large as they get.
TEST(Adler32, MatchesZlibForEveryLengthAndStart)
{
    std::mt19937 rng(19);
    std::string random(3 * 5552 + 40, '\0');
    for (char& c : random) {
        c = static_cast<char>(rng());
    }
    const std::string ones(random.size(), '\xFF');
    const size_t lengths[] = {0, 1, 15, 16, 17, 31, 32, 33, 5551, 5552, 5553, 5552 + 16, 2 * 5552 + 15, random.size()};
    const std::uint32_t starts[] = {1, 0xFFF0FFF0, 0x12345678 % 65521};
    const std::string* const inputs[] = {&random, &ones};
    for (const std::string* bytes : inputs) {
        for (const size_t length : lengths) {
            for (const std::uint32_t start : starts) {
                const auto* data = reinterpret_cast<const unsigned char*>(bytes->data()) + 1; // unaligned
                const auto expected = static_cast<std::uint32_t>(
                    ::adler32(start, data, static_cast<uInt>(std::min(length, bytes->size() - 1))));
                EXPECT_EQ(Adler32(start, data, std::min(length, bytes->size() - 1)), expected)
                    << length << " bytes from " << start << (bytes == &ones ? " of 0xFF" : "");
            }
        }
    }
}

} // namespace
