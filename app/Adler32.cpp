#include "app/Adler32.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t kBase = 65521;
// The most bytes whose sums cannot overflow 32 bits before they are reduced.
constexpr std::size_t kMaxRun = 5552;

#if defined(__SSE2__)
std::uint32_t Sum(__m128i lanes) noexcept
{
    lanes = _mm_add_epi32(lanes, _mm_shuffle_epi32(lanes, _MM_SHUFFLE(1, 0, 3, 2)));
    lanes = _mm_add_epi32(lanes, _mm_shuffle_epi32(lanes, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(lanes));
}

// Adds `steps` runs of sixteen bytes to the sums. Over a run of n bytes the second sum
// grows by n times the first plus each byte times the number of bytes from it to the
// end: sixteen times the bytes of every earlier step, plus 16..1 within each step.
void AddSteps(std::uint32_t& a, std::uint32_t& b, const unsigned char* p, std::size_t steps) noexcept
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i firstWeights = _mm_set_epi16(9, 10, 11, 12, 13, 14, 15, 16);
    const __m128i lastWeights = _mm_set_epi16(1, 2, 3, 4, 5, 6, 7, 8);
    __m128i bytes = zero;    // the bytes of the steps so far
    __m128i earlier = zero;  // each step's sum of the bytes before it
    __m128i weighted = zero; // the bytes weighted within their step
    for (std::size_t step = 0; step < steps; ++step, p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        earlier = _mm_add_epi32(earlier, bytes);
        bytes = _mm_add_epi32(bytes, _mm_sad_epu8(chunk, zero));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(chunk, zero), firstWeights));
        weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(chunk, zero), lastWeights));
    }
    b += static_cast<std::uint32_t>(steps * 16) * a + 16 * Sum(earlier) + Sum(weighted);
    a += Sum(bytes);
}
#endif

} // namespace

std::uint32_t Adler32(std::uint32_t adler, const unsigned char* data, std::size_t size) noexcept
{
    std::uint32_t a = adler & 0xFFFF;
    std::uint32_t b = adler >> 16;
    while (size > 0) {
        std::size_t run = std::min(size, kMaxRun);
        size -= run;
#if defined(__SSE2__)
        AddSteps(a, b, data, run / 16);
        data += run / 16 * 16;
        run %= 16;
#endif
        for (; run > 0; --run) {
            a += *data++;
            b += a;
        }
        a %= kBase;
        b %= kBase;
    }
    return (b << 16) | a;
}
