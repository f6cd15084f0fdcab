// The pixel passes of a layered window's canvas.

#include "duilib/core/LayeredAlpha.h"

#include <gtest/gtest.h>

#include <vector>

using DuiLib::CLayeredAlpha;

namespace {

TEST(LayeredAlpha, ClearsAndMakesDrawnPixelsOpaqueInsideTheRectangleOnly)
{
    // Columns: untouched, GDI colour (alpha 0), GDI black, blended, outside the rectangle.
    const DWORD row[] = {0x00000000, 0x00123456, 0x00000000, 0x80402010, 0x00654321};
    std::vector<DWORD> bits;
    for (int y = 0; y < 3; ++y) {
        bits.insert(bits.end(), std::begin(row), std::end(row));
    }
    CLayeredAlpha::OpaqueDrawnPixels(bits.data(), 5, 3, RECT{-5, 0, 4, 2});
    const DWORD expected[] = {0x00000000, 0xFF123456, 0x00000000, 0x80402010, 0x00654321};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(expected[x], bits[static_cast<size_t>(x)]) << x;
        EXPECT_EQ(row[x], bits[static_cast<size_t>(10 + x)]) << "row 2 lies outside";
    }
    CLayeredAlpha::Clear(bits.data(), 5, 3, RECT{3, 1, 99, 99});
    EXPECT_EQ(0u, bits[5 + 3]);
    EXPECT_EQ(0u, bits[10 + 4]);
    EXPECT_EQ(0xFF123456u, bits[5 + 1]);
    CLayeredAlpha::Clear(nullptr, 5, 3, RECT{0, 0, 5, 3});
}

} // namespace
