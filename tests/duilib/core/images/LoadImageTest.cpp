// CRenderEngine::LoadImage: bytes from a typed resource, the resource zip (file kept
// open, opened per read, or in memory), the resource folder or a plain path, turned
// into premultiplied top-down DIB sections; damaged files give null.

#include "ImageTestSupport.h"

#include "duilib/core/PaintManager.h"
#include "duilib/core/RenderEngine.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using DuiLib::CPaintManagerUI;
using DuiLib::CRenderEngine;
using DuiLib::STRINGorID;
using DuiLib::TImageInfo;
using image_test::Argb;
using image_test::PixelAt;

namespace {

constexpr DWORD kBlue = 0xFF0000FF;
constexpr DWORD kGreen = 0xFF00FF00;
constexpr DWORD kRed = 0xFFFF0000;

struct FreeImage {
    void operator()(TImageInfo* info) const noexcept { CRenderEngine::FreeImage(info); }
};
using ImagePtr = std::unique_ptr<TImageInfo, FreeImage>;

ImagePtr Load(STRINGorID bitmap, LPCTSTR type = nullptr, DWORD mask = 0)
{
    return ImagePtr(CRenderEngine::LoadImage(bitmap, type, mask));
}

std::vector<BYTE> RedPng()
{
    return image_test::EncodePng(1, 1, {255, 0, 0, 255});
}

class LoadImageTest : public testing::Test {
protected:
    image_test::SkinFolderScope m_skin{image_test::TestSkinFolder()};
    image_test::ScratchFolder m_scratch;
};

TEST_F(LoadImageTest, MakesATopDownDibOfPremultipliedPixels)
{
    const ImagePtr info = Load(L"quad.png");
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(2, info->nX);
    EXPECT_EQ(2, info->nY);
    EXPECT_EQ("2x2/32", image_test::DibShape(info->hBitmap.get()));
    EXPECT_TRUE(info->alphaChannel);
    EXPECT_EQ(Argb{kRed}, PixelAt(info->hBitmap.get(), 0, 0));
    EXPECT_EQ(Argb{0x80008000}, PixelAt(info->hBitmap.get(), 1, 0)) << "green at alpha 128";
    EXPECT_EQ(Argb{0xFF0A141E}, PixelAt(info->hBitmap.get(), 0, 1));
    EXPECT_EQ(Argb{0x4032190C}, PixelAt(info->hBitmap.get(), 1, 1)) << "(200,100,50) at alpha 64, truncated";
    EXPECT_TRUE(info->sResType.IsEmpty()) << "the registry fills in the type, not the loader";
}

TEST_F(LoadImageTest, OpaqueImageHasNoAlphaChannel)
{
    const ImagePtr info = Load(L"opaque.png");
    ASSERT_NE(nullptr, info);
    EXPECT_FALSE(info->alphaChannel);
    EXPECT_EQ(Argb{0xFF010203}, PixelAt(info->hBitmap.get(), 0, 0));
    EXPECT_EQ(Argb{0xFFFF00FF}, PixelAt(info->hBitmap.get(), 1, 0));
}

TEST_F(LoadImageTest, MaskColourBecomesTransparentAndSetsTheAlphaFlag)
{
    const ImagePtr info = Load(L"opaque.png", nullptr, 0xFFFF00FF);
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(info->alphaChannel);
    EXPECT_EQ(Argb{0}, PixelAt(info->hBitmap.get(), 1, 0));
    EXPECT_EQ(Argb{0xFF010203}, PixelAt(info->hBitmap.get(), 0, 0)) << "other pixels stay";
}

// Which source an image comes from, told apart by colour.
enum class Source { Folder, ZipCached, ZipPerRead, ZipMemory };

struct SourceCase {
    const char* name;
    Source source;
    const wchar_t* bitmap;
    const wchar_t* type;
    UINT id; // used instead of bitmap when not 0
    DWORD expected; // pixel (0, 0); 0 for "no image"
};

class LoadImageSource : public LoadImageTest, public testing::WithParamInterface<SourceCase> {
protected:
    // The memory archive reads m_zip, so it is closed before m_zip goes.
    ~LoadImageSource() override { CPaintManagerUI::SetResourceZip(L"", false); }

    void UseSource(Source source)
    {
        switch (source) {
        case Source::Folder: break;
        case Source::ZipCached: CPaintManagerUI::SetResourceZip(L"images.zip", true); break;
        case Source::ZipPerRead: CPaintManagerUI::SetResourceZip(L"images.zip", false); break;
        case Source::ZipMemory:
            m_zip = image_test::ReadBytes(image_test::TestSkinFolder() + L"images.zip");
            ASSERT_FALSE(m_zip.empty());
            CPaintManagerUI::SetResourceZip(m_zip.data(), static_cast<unsigned>(m_zip.size()));
            break;
        }
    }

    std::vector<BYTE> m_zip;
};

TEST_P(LoadImageSource, ReadsTheImageFromTheChosenSource)
{
    const SourceCase& c = GetParam();
    UseSource(c.source);
    const ImagePtr info = c.id != 0 ? Load(c.id, c.type) : Load(c.bitmap, c.type);
    if (c.expected == 0) {
        EXPECT_EQ(nullptr, info);
        return;
    }
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(Argb{c.expected}, PixelAt(info->hBitmap.get(), 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadImageSource,
    testing::Values(
        SourceCase{"Folder", Source::Folder, L"which.png", nullptr, 0, kBlue},
        SourceCase{"FolderMissing", Source::Folder, L"none.png", nullptr, 0, 0},
        SourceCase{"ZipKeptOpenIgnoresCase", Source::ZipCached, L"IMAGES\\which.PNG", nullptr, 0, kGreen},
        SourceCase{"ZipPerReadIgnoresCase", Source::ZipPerRead, L"images/WHICH.png", nullptr, 0, kGreen},
        SourceCase{"ZipInMemory", Source::ZipMemory, L"Images/Which.png", nullptr, 0, kGreen},
        SourceCase{"ZipHidesTheFolder", Source::ZipCached, L"which.png", nullptr, 0, 0},
        SourceCase{"ResourceById", Source::Folder, nullptr, L"PNG", 201, kRed},
        SourceCase{"ResourceByName", Source::Folder, L"QUAD", L"PNG", 0, kRed},
        SourceCase{"ResourceRcData", Source::Folder, nullptr, MAKEINTRESOURCEW(10), 202, kGreen},
        SourceCase{"ResourceTypeComesFirst", Source::ZipCached, L"quad.png", L"PNG", 0, 0},
        SourceCase{"ResourceOfOtherType", Source::Folder, nullptr, L"GIF", 201, 0},
        SourceCase{"IdWithoutType", Source::Folder, nullptr, nullptr, 201, 0}),
    [](const testing::TestParamInfo<SourceCase>& info) { return std::string(info.param.name); });

class PlainPathFallback : public LoadImageTest, public testing::WithParamInterface<Source> {};

TEST_P(PlainPathFallback, ReadsTheNameAsAPathWhenTheChosenSourceFails)
{
    if (GetParam() == Source::ZipCached) {
        CPaintManagerUI::SetResourceZip(L"images.zip", true);
    }
    const std::wstring path = m_scratch.Write(L"red.png", RedPng());
    const ImagePtr untyped = Load(path.c_str());
    ASSERT_NE(nullptr, untyped);
    EXPECT_EQ(Argb{kRed}, PixelAt(untyped->hBitmap.get(), 0, 0));
    const ImagePtr typed = Load(path.c_str(), L"PNG");
    ASSERT_NE(nullptr, typed) << "a missing resource falls back too";
    EXPECT_EQ(Argb{kRed}, PixelAt(typed->hBitmap.get(), 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Sources, PlainPathFallback, testing::Values(Source::Folder, Source::ZipCached));

struct DamagedFile {
    const char* name;
    std::vector<BYTE> bytes;
};

class LoadDamagedImage : public LoadImageTest, public testing::WithParamInterface<DamagedFile> {};

TEST_P(LoadDamagedImage, GivesNull)
{
    CPaintManagerUI::SetResourcePath(m_scratch.Path().c_str());
    (void)m_scratch.Write(L"bad.png", GetParam().bytes);
    EXPECT_EQ(nullptr, Load(L"bad.png"));
    EXPECT_EQ(nullptr, CRenderEngine::LoadGif(L"bad.png"));
}

std::vector<BYTE> Cut(std::vector<BYTE> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoadDamagedImage,
    testing::Values(DamagedFile{"ZeroLength", {}},
                    DamagedFile{"TruncatedPng", Cut(image_test::GradientPng(40, 40), 300)},
                    DamagedFile{"Garbage", std::vector<BYTE>(1000, 0xA5)},
                    DamagedFile{"PngSignatureOnly", Cut(image_test::GradientPng(2, 2), 8)},
                    DamagedFile{"HugeCanvasGif", image_test::BuildGif(4096, 4097, {{0, 0, 1, 1, {0}, 0, 0, -1}})}),
    [](const testing::TestParamInfo<DamagedFile>& info) { return std::string(info.param.name); });

TEST_F(LoadImageTest, UnreadableFileGivesNull)
{
    const std::wstring path = m_scratch.Write(L"locked.png", RedPng());
    const HANDLE exclusive = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
    EXPECT_EQ(nullptr, Load(path.c_str()));
    ::CloseHandle(exclusive);
    EXPECT_NE(nullptr, Load(path.c_str())) << "readable again once the other handle is closed";
}

TEST_F(LoadImageTest, MutatedFilesLoadWhollyOrGiveNull)
{
    CPaintManagerUI::SetResourcePath(m_scratch.Path().c_str());
    const std::vector<BYTE> original = image_test::GradientPng(8, 8);
    std::mt19937 random(4242);
    int loaded = 0;
    int refused = 0;
    for (int i = 0; i < 200; ++i) {
        std::vector<BYTE> bytes = original;
        bytes[random() % bytes.size()] = static_cast<BYTE>(random());
        (void)m_scratch.Write(L"mutant.png", bytes);
        const ImagePtr info = Load(L"mutant.png");
        if (info == nullptr) {
            ++refused;
            continue;
        }
        ++loaded;
        const std::string shape = std::to_string(info->nX) + "x" + std::to_string(info->nY) + "/32";
        ASSERT_EQ(shape, image_test::DibShape(info->hBitmap.get())) << "mutation " << i;
    }
    EXPECT_GT(loaded, 10);
    EXPECT_GT(refused, 10);
}

} // namespace
