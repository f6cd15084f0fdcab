// Image, default attribute and language registries of CPaintManagerUI and the parent
// chain their lookups follow.

#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

using DuiLib::CPaintManagerUI;
using DuiLib::TImageInfo;

namespace {

HBITMAP MakeBitmap(int width, int height)
{
    const HDC screen = ::GetDC(nullptr);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

bool IsLiveBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    return ::GetObjectW(bitmap, sizeof(info), &info) == sizeof(info);
}

} // namespace

TEST(ImageRegistry, FirstRegistrationWinsAndOwnsItsBitmap)
{
    CPaintManagerUI pm;
    const HBITMAP first = MakeBitmap(4, 3);
    const HBITMAP second = MakeBitmap(8, 8);
    const TImageInfo* info = pm.AddImage(L"logo.png", first, 4, 3, true);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(first, info->hBitmap.get());
    EXPECT_EQ(4, info->nX);
    EXPECT_EQ(3, info->nY);
    EXPECT_TRUE(info->alphaChannel);
    EXPECT_EQ(0u, info->dwMask);

    EXPECT_EQ(info, pm.AddImage(L"logo.png", second, 8, 8, false));
    EXPECT_FALSE(IsLiveBitmap(second)) << "the refused bitmap is deleted";
    EXPECT_EQ(first, pm.GetImage(L"logo.png")->hBitmap.get());

    ASSERT_TRUE(pm.RemoveImage(L"logo.png"));
    EXPECT_FALSE(IsLiveBitmap(first));
    EXPECT_EQ(nullptr, pm.GetImage(L"logo.png"));
    EXPECT_FALSE(pm.RemoveImage(L"logo.png"));
}

TEST(ImageRegistry, RefusesMissingBitmapsAndEmptySizesWithoutTakingThem)
{
    CPaintManagerUI pm;
    const HBITMAP bitmap = MakeBitmap(2, 2);
    EXPECT_EQ(nullptr, pm.AddImage(L"a", nullptr, 2, 2, false));
    EXPECT_EQ(nullptr, pm.AddImage(L"a", bitmap, 0, 2, false));
    EXPECT_EQ(nullptr, pm.AddImage(L"a", bitmap, 2, -1, false));
    EXPECT_EQ(nullptr, pm.GetImage(L"a"));
    EXPECT_TRUE(IsLiveBitmap(bitmap));
    ::DeleteObject(bitmap);
}

TEST(ImageRegistry, ParentImagesAreFoundButNotRemovedByTheChild)
{
    CPaintManagerUI parent;
    CPaintManagerUI child;
    ASSERT_TRUE(child.UseParentResource(&parent));
    const HBITMAP bitmap = MakeBitmap(2, 2);
    ASSERT_NE(nullptr, parent.AddImage(L"bg.png", bitmap, 2, 2, false));
    EXPECT_EQ(bitmap, child.GetImage(L"bg.png")->hBitmap.get());
    EXPECT_FALSE(child.RemoveImage(L"bg.png"));
    parent.RemoveAllImages();
    EXPECT_EQ(nullptr, child.GetImage(L"bg.png"));
    EXPECT_FALSE(IsLiveBitmap(bitmap));
}

TEST(DefaultAttributes, FirstRegistrationWinsAndLookupsFollowTheParent)
{
    CPaintManagerUI parent;
    CPaintManagerUI child;
    ASSERT_TRUE(child.UseParentResource(&parent));
    parent.AddDefaultAttributeList(L"Button", L"textcolor=\"#FF000000\"");
    parent.AddDefaultAttributeList(L"Button", L"textcolor=\"#FFFFFFFF\"");
    EXPECT_STREQ(L"textcolor=\"#FF000000\"", child.GetDefaultAttributeList(L"Button"));
    child.AddDefaultAttributeList(L"Button", L"height=\"30\"");
    EXPECT_STREQ(L"height=\"30\"", child.GetDefaultAttributeList(L"Button"));
    EXPECT_EQ(nullptr, child.GetDefaultAttributeList(L"button"));
    EXPECT_EQ(1, child.GetDefaultAttribultes().GetSize());

    EXPECT_TRUE(child.RemoveDefaultAttributeList(L"Button"));
    EXPECT_FALSE(child.RemoveDefaultAttributeList(L"Button"));
    EXPECT_STREQ(L"textcolor=\"#FF000000\"", child.GetDefaultAttributeList(L"Button"));
    parent.RemoveAllDefaultAttributeList();
    EXPECT_EQ(nullptr, child.GetDefaultAttributeList(L"Button"));
}

TEST(LanguageTable, IsSharedByAllManagersAndKeepsTheFirstText)
{
    {
        CPaintManagerUI pm;
        pm.AddLanguageAttributeList(L"ID_OK", L"OK");
        pm.AddLanguageAttributeList(L"ID_OK", L"Okay");
    }
    EXPECT_STREQ(L"OK", CPaintManagerUI::GetLanguageAttributeList(L"ID_OK"));
    EXPECT_EQ(nullptr, CPaintManagerUI::GetLanguageAttributeList(L"ID_CANCEL"));
    EXPECT_EQ(1, CPaintManagerUI::GetLanguagetAttribultes().GetSize());
    EXPECT_TRUE(CPaintManagerUI::RemoveLanguageAttributeList(L"ID_OK"));
    EXPECT_FALSE(CPaintManagerUI::RemoveLanguageAttributeList(L"ID_OK"));
    CPaintManagerUI::AddLanguageAttributeList(L"ID_A", L"a");
    CPaintManagerUI::RemoveAllLanguageAttributeList();
    EXPECT_EQ(0, CPaintManagerUI::GetLanguagetAttribultes().GetSize());
}

TEST(ParentResource, RefusesCyclesAndCanBeCleared)
{
    CPaintManagerUI a;
    CPaintManagerUI b;
    CPaintManagerUI c;
    EXPECT_FALSE(a.UseParentResource(&a));
    ASSERT_TRUE(a.UseParentResource(&b));
    EXPECT_FALSE(b.UseParentResource(&a));
    ASSERT_TRUE(b.UseParentResource(&c));
    EXPECT_FALSE(c.UseParentResource(&a)) << "a three-manager cycle";
    EXPECT_EQ(nullptr, c.GetParentResource());
    EXPECT_EQ(&c, b.GetParentResource());
    EXPECT_TRUE(a.UseParentResource(nullptr));
    EXPECT_EQ(nullptr, a.GetParentResource());
    EXPECT_TRUE(b.UseParentResource(&a));
}
