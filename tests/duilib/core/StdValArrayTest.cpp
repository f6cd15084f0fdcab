#include "duilib/core/StdValArray.h"

#include <gtest/gtest.h>

using DuiLib::CStdValArray;

namespace {

struct Triple {
    int a;
    int b;
    int c;
};

const Triple& At(const CStdValArray& array, int index) { return *static_cast<const Triple*>(array.GetAt(index)); }

} // namespace

TEST(StdValArray, CopiesElementsAndShiftsThemOnRemove)
{
    CStdValArray array(sizeof(Triple));
    for (int i = 0; i < 30; ++i) {
        Triple t{i, i * 2, i * 3};
        ASSERT_TRUE(array.Add(&t));
        t.a = -1; // the array holds its own copy
    }
    EXPECT_EQ(array.GetSize(), 30);
    EXPECT_EQ(array.GetCapacity(), 44);
    EXPECT_TRUE(array.Remove(0));
    EXPECT_TRUE(array.Remove(28));
    EXPECT_FALSE(array.Remove(28));
    ASSERT_EQ(array.GetSize(), 28);
    EXPECT_EQ(At(array, 0).a, 1);
    EXPECT_EQ(At(array, 27).c, 84);
    EXPECT_EQ(static_cast<const Triple*>(array[5])->b, 12);
    EXPECT_EQ(array.GetAt(28), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
    EXPECT_FALSE(array.Add(nullptr));
}

TEST(StdValArray, EmptyKeepsTheBlock)
{
    CStdValArray array(sizeof(int), 4);
    const int value = 9;
    ASSERT_TRUE(array.Add(&value));
    const LPVOID block = array.GetData();
    array.Empty();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetData(), block);
    EXPECT_EQ(array.GetCapacity(), 4);
}

TEST(StdValArray, CopiesAreIndependent)
{
    CStdValArray a(sizeof(int));
    const int one = 1;
    ASSERT_TRUE(a.Add(&one));
    CStdValArray b(a);
    CStdValArray c(sizeof(int));
    c = a;
    *static_cast<int*>(a.GetAt(0)) = 5;
    EXPECT_EQ(*static_cast<int*>(b.GetAt(0)), 1);
    EXPECT_EQ(*static_cast<int*>(c.GetAt(0)), 1);
    EXPECT_EQ(c.GetSize(), 1);
}
