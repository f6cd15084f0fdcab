#include "duilib/core/StdStringPtrMap.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CStdStringPtrMap;

namespace {

int g_data[4];

} // namespace

TEST(StdStringPtrMap, HasAtLeastSixteenBuckets)
{
    EXPECT_EQ(CStdStringPtrMap(5).GetBucketCount(), 16);
    EXPECT_EQ(CStdStringPtrMap(100).GetBucketCount(), 100);
    CStdStringPtrMap map(5);
    map.Resize(3); // no minimum once made
    EXPECT_EQ(map.GetBucketCount(), 3);
}

TEST(StdStringPtrMap, InsertRefusesExistingKeysAndSetReturnsOldData)
{
    CStdStringPtrMap map;
    EXPECT_TRUE(map.Insert(L"name", &g_data[0]));
    EXPECT_FALSE(map.Insert(L"name", &g_data[1]));
    EXPECT_EQ(map.Find(L"name"), &g_data[0]);
    EXPECT_EQ(map.Find(L"Name"), nullptr); // keys are case-sensitive
    EXPECT_TRUE(map.Insert(L"empty", nullptr));
    EXPECT_FALSE(map.Insert(L"empty", &g_data[2])); // detected by key, not by data
    EXPECT_EQ(map.GetSize(), 2);
    EXPECT_EQ(map.Set(L"name", &g_data[3]), &g_data[0]);
    EXPECT_EQ(map.Find(L"name"), &g_data[3]);
    EXPECT_EQ(map.Set(L"new", &g_data[1]), nullptr);
    EXPECT_EQ(map.GetSize(), 3);
    EXPECT_FALSE(map.Insert(nullptr, &g_data[0]));
    EXPECT_EQ(map.Find(nullptr), nullptr);
}

// With 100 buckets, "ab" hashes to 'a' + 33 * 'b' = 3331 -> bucket 31, the same bucket as
// the single character 231; hashing from the first character would put "ab" in bucket 99.
TEST(StdStringPtrMap, GetAtWalksBucketsFromLastAndChainsInMostRecentlyFoundOrder)
{
    CStdStringPtrMap map(100);
    const wchar_t c231[] = {static_cast<wchar_t>(231), L'\0'};
    const wchar_t c31[] = {static_cast<wchar_t>(31), L'\0'}; // also bucket 31
    const wchar_t c50[] = {static_cast<wchar_t>(50), L'\0'};
    ASSERT_TRUE(map.Insert(L"ab", &g_data[0]));
    ASSERT_TRUE(map.Insert(c231, &g_data[1]));
    ASSERT_TRUE(map.Insert(c31, &g_data[2]));
    ASSERT_TRUE(map.Insert(c50, &g_data[3]));
    EXPECT_STREQ(map.GetAt(0), c50);
    EXPECT_STREQ(map.GetAt(1), c31);
    EXPECT_STREQ(map.GetAt(2), c231);
    EXPECT_STREQ(map[3], L"ab");
    EXPECT_EQ(map.GetAt(4), nullptr);
    EXPECT_EQ(map.GetAt(-1), nullptr);

    EXPECT_EQ(map.Find(L"ab", false), &g_data[0]);
    EXPECT_STREQ(map.GetAt(3), L"ab"); // not moved without optimize
    EXPECT_EQ(map.Find(L"ab", true), &g_data[0]);
    EXPECT_STREQ(map.GetAt(1), L"ab");
    EXPECT_STREQ(map.GetAt(2), c31);
    EXPECT_STREQ(map.GetAt(3), c231);
}

TEST(StdStringPtrMap, RemoveUnlinksOnlyTheKey)
{
    CStdStringPtrMap map(100);
    const wchar_t c231[] = {static_cast<wchar_t>(231), L'\0'};
    const wchar_t c131[] = {static_cast<wchar_t>(131), L'\0'};
    ASSERT_TRUE(map.Insert(L"ab", &g_data[0]));
    ASSERT_TRUE(map.Insert(c231, &g_data[1]));
    ASSERT_TRUE(map.Insert(c131, &g_data[2]));
    EXPECT_TRUE(map.Remove(c231)); // middle of the chain
    EXPECT_FALSE(map.Remove(c231));
    EXPECT_TRUE(map.Remove(c131)); // front of the chain
    EXPECT_EQ(map.GetSize(), 1);
    EXPECT_EQ(map.Find(L"ab"), &g_data[0]);
    EXPECT_STREQ(map.GetAt(0), L"ab");
    EXPECT_TRUE(map.Remove(L"ab"));
    EXPECT_EQ(map.GetSize(), 0);
    EXPECT_EQ(map.GetAt(0), nullptr);
}

TEST(StdStringPtrMap, KeepsThousandsOfKeysApart)
{
    CStdStringPtrMap map(16);
    std::wstring key;
    for (int i = 0; i < 3000; ++i) {
        key = L"btn_" + std::to_wstring(i);
        ASSERT_TRUE(map.Insert(key.c_str(), &g_data[i % 4]));
    }
    for (int i = 0; i < 3000; i += 2) {
        key = L"btn_" + std::to_wstring(i);
        ASSERT_TRUE(map.Remove(key.c_str()));
    }
    EXPECT_EQ(map.GetSize(), 1500);
    for (int i = 0; i < 3000; ++i) {
        key = L"btn_" + std::to_wstring(i);
        EXPECT_EQ(map.Find(key.c_str(), i % 3 == 0), (i % 2 != 0) ? &g_data[i % 4] : nullptr) << i;
    }
}

TEST(StdStringPtrMap, WithoutBucketsStoresNothing)
{
    CStdStringPtrMap map;
    ASSERT_TRUE(map.Insert(L"a", &g_data[0]));
    map.RemoveAll();
    EXPECT_EQ(map.GetSize(), 0);
    EXPECT_EQ(map.GetBucketCount(), 83);
    EXPECT_EQ(map.Find(L"a"), nullptr);
    map.Resize(0);
    EXPECT_FALSE(map.Insert(L"a", &g_data[0]));
    EXPECT_EQ(map.Set(L"a", &g_data[1]), &g_data[1]);
    EXPECT_EQ(map.Find(L"a"), nullptr);
    EXPECT_EQ(map.GetSize(), 0);
}
