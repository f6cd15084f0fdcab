#include "duilib/core/StdPtrArray.h"

#include <gtest/gtest.h>

using DuiLib::CStdPtrArray;

namespace {

int g_items[64];

LPVOID Item(int i) { return &g_items[i]; }

} // namespace

TEST(StdPtrArray, DoublesCapacityWhenTheCountReachesIt)
{
    CStdPtrArray array;
    EXPECT_EQ(array.GetCapacity(), 0);
    int added = 0;
    for (const int capacityAfter : {11, 22, 44}) {
        // The capacity grows on the add that makes the count equal the old capacity.
        const int trigger = (capacityAfter == 11) ? 1 : capacityAfter / 2;
        while (added < trigger) {
            ASSERT_TRUE(array.Add(Item(added % 64)));
            ++added;
        }
        EXPECT_EQ(array.GetCapacity(), capacityAfter) << "after " << added << " adds";
    }
    EXPECT_EQ(array.GetSize(), 22);
    EXPECT_EQ(array.GetAt(21), Item(21));
}

TEST(StdPtrArray, InsertsRemovesAndChecksIndexes)
{
    CStdPtrArray array(2);
    EXPECT_TRUE(array.Add(Item(1)));
    EXPECT_TRUE(array.InsertAt(0, Item(0)));
    EXPECT_TRUE(array.InsertAt(2, Item(3)));
    EXPECT_TRUE(array.InsertAt(2, Item(2)));
    EXPECT_FALSE(array.InsertAt(-1, Item(9)));
    EXPECT_FALSE(array.InsertAt(5, Item(9)));
    ASSERT_EQ(array.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(array[i], Item(i));
    }
    EXPECT_TRUE(array.Remove(1));
    EXPECT_FALSE(array.Remove(3));
    EXPECT_FALSE(array.Remove(-1));
    EXPECT_EQ(array.GetSize(), 3);
    EXPECT_EQ(array.GetAt(1), Item(2));
    EXPECT_EQ(array.Find(Item(3)), 2);
    EXPECT_EQ(array.Find(Item(1)), -1);
    EXPECT_TRUE(array.SetAt(0, Item(5)));
    EXPECT_FALSE(array.SetAt(3, Item(5)));
    EXPECT_EQ(array.GetAt(0), Item(5));
    EXPECT_EQ(array.GetAt(3), nullptr);
    EXPECT_EQ(array.GetAt(-1), nullptr);
}

TEST(StdPtrArray, ResizeFillsWithNullsAndEmptyFreesEverything)
{
    CStdPtrArray array;
    ASSERT_TRUE(array.Add(Item(0)));
    array.Resize(5);
    EXPECT_EQ(array.GetSize(), 5);
    EXPECT_EQ(array.GetCapacity(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(array.GetAt(i), nullptr);
    }
    ASSERT_TRUE(array.Add(Item(1)));
    EXPECT_EQ(array.GetCapacity(), 10);
    array.Empty();
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetData(), nullptr);
}

TEST(StdPtrArray, CopiesAreIndependent)
{
    CStdPtrArray a;
    ASSERT_TRUE(a.Add(Item(0)));
    ASSERT_TRUE(a.Add(Item(1)));
    CStdPtrArray b(a);
    CStdPtrArray c;
    c = a;
    ASSERT_TRUE(a.SetAt(0, Item(7)));
    for (const CStdPtrArray* copy : {&b, &c}) {
        ASSERT_EQ(copy->GetSize(), 2);
        EXPECT_EQ(copy->GetAt(0), Item(0));
        EXPECT_EQ(copy->GetAt(1), Item(1));
        EXPECT_NE(copy->GetData(), a.GetData());
    }
}
