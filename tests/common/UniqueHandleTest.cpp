#include "common/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

int g_closed = 0;
int g_lastClosed = 0;

struct CountingTraits {
    using Type = int;
    static Type Invalid() noexcept { return 0; }
    static void Close(Type h) noexcept
    {
        ++g_closed;
        g_lastClosed = h;
    }
};
using Counted = UniqueHandle<CountingTraits>;

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { g_closed = g_lastClosed = 0; }
};

TEST_F(UniqueHandleTest, ClosesOnceAtEndOfScope)
{
    {
        Counted h(7);
        EXPECT_TRUE(h);
    }
    EXPECT_EQ(g_closed, 1);
    EXPECT_EQ(g_lastClosed, 7);
}

TEST_F(UniqueHandleTest, MoveTransfersOwnershipWithoutClosing)
{
    {
        Counted a(3);
        Counted b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 3);
        EXPECT_EQ(g_closed, 0);
        Counted c(5);
        c = std::move(b);
        EXPECT_EQ(g_closed, 1);
        EXPECT_EQ(g_lastClosed, 5);
    }
    EXPECT_EQ(g_closed, 2);
    EXPECT_EQ(g_lastClosed, 3);
}

TEST_F(UniqueHandleTest, ResetClosesOldAndReleaseGivesUp)
{
    Counted h(4);
    h.reset(9);
    EXPECT_EQ(g_closed, 1);
    EXPECT_EQ(g_lastClosed, 4);
    EXPECT_EQ(h.release(), 9);
    h.reset();
    EXPECT_EQ(g_closed, 1);
}

int EarlyReturn(bool leave)
{
    Counted h(11);
    if (leave) {
        return 1;
    }
    return 2;
}

TEST_F(UniqueHandleTest, EarlyReturnStillCloses)
{
    EXPECT_EQ(EarlyReturn(true), 1);
    EXPECT_EQ(g_closed, 1);
    EXPECT_EQ(g_lastClosed, 11);
}

} // namespace
