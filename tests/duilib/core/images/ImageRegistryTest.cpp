// The paint manager's image registry on top of the loader: first registration wins,
// typed names are resource ids, images load once, and a skin reload swaps pixels in
// place.

#include "ImageTestSupport.h"

#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <string>

using DuiLib::CPaintManagerUI;
using DuiLib::TImageInfo;
using image_test::Argb;
using image_test::PixelAt;

namespace {

constexpr DWORD kRed = 0xFFFF0000;
constexpr DWORD kBlue = 0xFF0000FF;

bool IsLiveBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    return ::GetObjectW(bitmap, sizeof(info), &info) == sizeof(info);
}

std::vector<BYTE> SolidPng(int width, int height, DWORD argb)
{
    const BYTE pixel[] = {static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8), static_cast<BYTE>(argb),
                          static_cast<BYTE>(argb >> 24)};
    std::vector<BYTE> rgba(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = pixel[i % 4];
    }
    return image_test::EncodePng(width, height, rgba);
}

class ImageRegistryLoading : public testing::Test {
protected:
    image_test::SkinFolderScope m_skin{image_test::TestSkinFolder()};
    image_test::ScratchFolder m_scratch;
    CPaintManagerUI m_pm;
};

TEST_F(ImageRegistryLoading, AddImageKeepsTheFirstRegistration)
{
    const TImageInfo* first = m_pm.AddImage(L"opaque.png");
    ASSERT_NE(nullptr, first);
    const HBITMAP bitmap = first->hBitmap.get();
    EXPECT_EQ(first, m_pm.AddImage(L"opaque.png", nullptr, 0xFFFF00FF));
    EXPECT_EQ(first, m_pm.GetImageEx(L"opaque.png", nullptr, 0xFFFF00FF));
    EXPECT_EQ(bitmap, first->hBitmap.get());
    EXPECT_EQ(0u, first->dwMask);
    EXPECT_EQ(Argb{0xFFFF00FF}, PixelAt(bitmap, 1, 0)) << "the second mask was never applied";
}

TEST_F(ImageRegistryLoading, RecordKeepsTypeAndMask)
{
    const TImageInfo* typed = m_pm.AddImage(L"201", L"PNG", 0xFFFF0000);
    ASSERT_NE(nullptr, typed);
    EXPECT_EQ(L"PNG", typed->sResType);
    EXPECT_EQ(0xFFFF0000u, typed->dwMask);
    EXPECT_EQ(Argb{0}, PixelAt(typed->hBitmap.get(), 0, 0)) << "the red corner was masked";
    const TImageInfo* plain = m_pm.AddImage(L"which.png", L"", 0);
    ASSERT_NE(nullptr, plain) << "an empty type means a file";
    EXPECT_TRUE(plain->sResType.IsEmpty());
}

struct TypedName {
    const wchar_t* name;
    bool loads;
};

class TypedImageName : public ImageRegistryLoading, public testing::WithParamInterface<TypedName> {};

TEST_P(TypedImageName, MustBeADecimalResourceId)
{
    const TImageInfo* info = m_pm.AddImage(GetParam().name, L"PNG");
    EXPECT_EQ(GetParam().loads, info != nullptr);
    EXPECT_EQ(info, m_pm.GetImage(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Table, TypedImageName,
                         testing::Values(TypedName{L"201", true}, TypedName{L"201.png", true},
                                         TypedName{L"QUAD", false}, // a resource of that name exists
                                         TypedName{L" 201", false}, TypedName{L"0", false},
                                         TypedName{L"65737", false}, // 201 + 65536 must not wrap to 201
                                         TypedName{L"202", false})); // exists, but as RCDATA

TEST_F(ImageRegistryLoading, GetImageExLoadsOnceAndOnlyFromThisWindow)
{
    CPaintManagerUI parent;
    ASSERT_TRUE(m_pm.UseParentResource(&parent));
    const TImageInfo* parents = parent.GetImageEx(L"which.png");
    ASSERT_NE(nullptr, parents);
    const TImageInfo* own = m_pm.GetImageEx(L"which.png");
    ASSERT_NE(nullptr, own);
    EXPECT_NE(parents, own) << "the parent's registry is not searched";
    EXPECT_EQ(own, m_pm.GetImageEx(L"which.png"));
    EXPECT_EQ(own, m_pm.GetImage(L"which.png"));
    EXPECT_EQ(nullptr, m_pm.GetImageEx(L"missing.png"));
    EXPECT_EQ(nullptr, m_pm.GetImage(L"missing.png")) << "failures are not registered";
    EXPECT_EQ(nullptr, m_pm.GetImageEx(nullptr));
}

TEST_F(ImageRegistryLoading, ReloadReplacesPixelsInTheSameRecordAndKeepsFailures)
{
    CPaintManagerUI::SetResourcePath(m_scratch.Path().c_str());
    (void)m_scratch.Write(L"swap.png", SolidPng(1, 1, kRed));
    const std::wstring gonePath = m_scratch.Write(L"gone.png", SolidPng(1, 1, kRed));
    const TImageInfo* swap = m_pm.GetImageEx(L"swap.png", nullptr, 0xFF00FF00);
    const TImageInfo* gone = m_pm.GetImageEx(L"gone.png");
    const TImageInfo* typed = m_pm.GetImageEx(L"201", L"PNG");
    ASSERT_TRUE(swap != nullptr && gone != nullptr && typed != nullptr);
    const HBITMAP goneBitmap = gone->hBitmap.get();
    const HBITMAP oldSwapBitmap = swap->hBitmap.get();

    std::vector<BYTE> rgba = {0, 0, 255, 255, 0, 255, 0, 255, 0, 0, 255, 128, 0, 0, 255, 255, 0, 0, 255, 255,
                              0, 0, 255, 255};
    (void)m_scratch.Write(L"swap.png", image_test::EncodePng(2, 3, rgba));
    ASSERT_TRUE(::DeleteFileW(gonePath.c_str()));
    m_pm.ReloadAllImages();

    EXPECT_EQ(swap, m_pm.GetImage(L"swap.png")) << "same record";
    EXPECT_EQ(2, swap->nX);
    EXPECT_EQ(3, swap->nY);
    EXPECT_TRUE(swap->alphaChannel);
    EXPECT_EQ(Argb{kBlue}, PixelAt(swap->hBitmap.get(), 0, 0));
    EXPECT_EQ(Argb{0}, PixelAt(swap->hBitmap.get(), 1, 0)) << "the record's mask applies again";
    EXPECT_EQ(Argb{0x80000080}, PixelAt(swap->hBitmap.get(), 0, 1));
    EXPECT_FALSE(IsLiveBitmap(oldSwapBitmap)) << "the old bitmap is freed";

    EXPECT_EQ(goneBitmap, gone->hBitmap.get()) << "a failed reload keeps the old bitmap";
    EXPECT_EQ(Argb{kRed}, PixelAt(gone->hBitmap.get(), 0, 0));
    EXPECT_EQ(2, typed->nX) << "typed images reload from their resource";
    EXPECT_TRUE(IsLiveBitmap(typed->hBitmap.get()));
}

// A hidden window: ReloadSkin reaches the managers that were given one.
class HiddenWindow final {
public:
    HiddenWindow()
        : m_hWnd(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~HiddenWindow() { ::DestroyWindow(m_hWnd); }
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

TEST_F(ImageRegistryLoading, ReloadSkinReloadsEveryWindowsImages)
{
    CPaintManagerUI::SetResourcePath(m_scratch.Path().c_str());
    (void)m_scratch.Write(L"skin.png", SolidPng(1, 1, kRed));
    HiddenWindow firstWindow;
    HiddenWindow secondWindow;
    ASSERT_TRUE(firstWindow.get() != nullptr && secondWindow.get() != nullptr);
    CPaintManagerUI first;
    CPaintManagerUI second;
    first.Init(firstWindow.get());
    second.Init(secondWindow.get());
    const TImageInfo* firstImage = first.GetImageEx(L"skin.png");
    const TImageInfo* secondImage = second.GetImageEx(L"skin.png");
    const TImageInfo* unattachedImage = m_pm.GetImageEx(L"skin.png");
    ASSERT_TRUE(firstImage != nullptr && secondImage != nullptr && unattachedImage != nullptr);

    (void)m_scratch.Write(L"skin.png", SolidPng(1, 1, kBlue));
    CPaintManagerUI::ReloadSkin();

    EXPECT_EQ(Argb{kBlue}, PixelAt(firstImage->hBitmap.get(), 0, 0));
    EXPECT_EQ(Argb{kBlue}, PixelAt(secondImage->hBitmap.get(), 0, 0));
    EXPECT_EQ(Argb{kRed}, PixelAt(unattachedImage->hBitmap.get(), 0, 0)) << "a manager without a window is not listed";
}

TEST_F(ImageRegistryLoading, RemoveFreesTheBitmaps)
{
    const TImageInfo* which = m_pm.GetImageEx(L"which.png");
    const TImageInfo* quad = m_pm.GetImageEx(L"quad.png");
    const TImageInfo* opaque = m_pm.GetImageEx(L"opaque.png");
    ASSERT_TRUE(which != nullptr && quad != nullptr && opaque != nullptr);
    const HBITMAP whichBitmap = which->hBitmap.get();
    const HBITMAP quadBitmap = quad->hBitmap.get();
    const HBITMAP opaqueBitmap = opaque->hBitmap.get();

    EXPECT_TRUE(m_pm.RemoveImage(L"which.png"));
    EXPECT_FALSE(IsLiveBitmap(whichBitmap));
    EXPECT_TRUE(IsLiveBitmap(quadBitmap));
    EXPECT_EQ(nullptr, m_pm.GetImage(L"which.png"));
    m_pm.RemoveAllImages();
    EXPECT_FALSE(IsLiveBitmap(quadBitmap));
    EXPECT_FALSE(IsLiveBitmap(opaqueBitmap));
    EXPECT_EQ(nullptr, m_pm.GetImage(L"quad.png"));
    EXPECT_NE(nullptr, m_pm.GetImageEx(L"quad.png")) << "loads again after removal";
}

} // namespace
