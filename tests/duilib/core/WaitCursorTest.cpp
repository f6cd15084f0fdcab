#include "duilib/core/WaitCursor.h"

#include <gtest/gtest.h>

TEST(WaitCursor, ShowsWaitCursorForItsScopeThenRestores)
{
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
    ASSERT_NE(arrow, wait);
    (void)::SetCursor(arrow); // returns the previous cursor, not needed
    {
        const DuiLib::CWaitCursor busy;
        EXPECT_EQ(::GetCursor(), wait);
    }
    EXPECT_EQ(::GetCursor(), arrow);
}
