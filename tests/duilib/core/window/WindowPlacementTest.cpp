// Centring arithmetic: integer halves, and the window kept inside the work area with
// the left and top edges winning.

#include "duilib/core/WindowPlacement.h"
#include "tests/TestPrinters.h"

#include <gtest/gtest.h>

namespace {

struct CenterCase {
    RECT window;
    RECT center;
    POINT expected;
};

TEST(WindowPlacement, CentresInsideTheWorkArea)
{
    const RECT work{0, 0, 1000, 800};
    const CenterCase cases[] = {
        {{0, 0, 301, 201}, work, {350, 300}},                 // 500 - 150, 400 - 100
        {{0, 0, 300, 200}, {700, 600, 1100, 900}, {700, 600}}, // would end at 1050, 850
        {{0, 0, 300, 200}, {-200, -100, 100, 100}, {0, 0}},    // would start left of and above the area
        {{0, 0, 1200, 900}, work, {0, 0}},                     // larger than the area: left and top win
        {{0, 0, 100, 100}, {101, 101, 300, 300}, {150, 150}},  // (101 + 300) / 2 - 50
    };
    for (const CenterCase& c : cases) {
        EXPECT_EQ(c.expected, DuiLib::CWindowPlacement::CenteredOrigin(c.window, c.center, work))
            << "centre " << testing::PrintToString(c.center);
    }
}

} // namespace
