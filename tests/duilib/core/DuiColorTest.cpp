#include "duilib/core/DuiColor.h"

#include <gtest/gtest.h>

using DuiLib::DuiColor;

TEST(DuiColor, StoresRedInTheLowestByte)
{
    const DuiColor c(0x11, 0x22, 0x33, 0x44);
    EXPECT_EQ(static_cast<DWORD>(c), 0x00332211u);
    EXPECT_EQ(c.GetR(), 0x11);
    EXPECT_EQ(c.GetG(), 0x22);
    EXPECT_EQ(c.GetB(), 0x33);
    EXPECT_EQ(c.GetA(), 0x44);
    const DuiColor v(0x80FF0000u);
    EXPECT_EQ(v.GetB(), 0xFF);
    EXPECT_EQ(v.GetA(), 0x80);
}

TEST(DuiColor, GdiValueOnlyWhenOpaque)
{
    DuiColor c(0x10, 0x20, 0x30, 128);
    EXPECT_EQ(c.GetGDICompatibleValue(), 0u);
    c.SetA(255);
    EXPECT_EQ(c.GetGDICompatibleValue(), RGB(0x10, 0x20, 0x30));
}

TEST(DuiColor, SettersReplaceSingleBytes)
{
    DuiColor c(0x7F000000u);
    c.ReplaceRGB(0x00ABCDEFu);
    EXPECT_EQ(c.GetA(), 0x7F);
    EXPECT_EQ(static_cast<DWORD>(c), 0x00ABCDEFu);
    c.ReplaceRGB(1, 2, 3);
    EXPECT_EQ(static_cast<DWORD>(c), 0x00030201u);
    c.SetG(8);
    EXPECT_EQ(static_cast<DWORD>(c), 0x00030801u);
    c.SetColor(0x00123456u);
    EXPECT_EQ(c.GetA(), 0xFF);
    EXPECT_EQ(static_cast<DWORD>(c), 0x00123456u);
}

TEST(DuiColor, SharedInstanceCountsReferences)
{
    DuiColor* const c = DuiColor::CreateInstance(0xFF010203u);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetGDICompatibleValue(), 0x00010203u);
    EXPECT_EQ(c->AddRef(), 2);
    EXPECT_EQ(c->Release(), 1);
    EXPECT_EQ(c->Release(), 0);
}
