// CRenderEngine::LoadImage of a 512 x 512 PNG with varying alpha, against stb_image
// decoding the same bytes from memory (what the loader cannot beat) and against a file
// read plus that decode. The difference is the loader's own work: the DIB section and
// premultiplying every pixel.

#include "BenchHarness.h"

#include "common/Handles.h"
#include "common/TopDownDib.h"
#include "duilib/core/PaintManager.h"
#include "duilib/core/ImageDecoder.h"
#include "duilib/core/ImagePixels.h"
#include "duilib/core/RenderEngine.h"
#include "duilib/core/ResourceReader.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// This executable's own private copies: the framework's are not exported.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
#define STBI_ONLY_PNG
#include <stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

constexpr int kSide = 512;
constexpr int kRepetitions = 31;

void Collect(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<BYTE>*>(context);
    out->insert(out->end(), static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
}

// A photo-like image compresses too well to be typical when it is flat; mix gradients
// and a noise term so the PNG has some entropy, and vary alpha so premultiplying works.
std::vector<BYTE> MakePng()
{
    std::vector<BYTE> rgba;
    rgba.reserve(static_cast<size_t>(kSide) * kSide * 4);
    unsigned noise = 12345;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            noise = noise * 1103515245u + 12345u;
            const BYTE n = static_cast<BYTE>(noise >> 27);
            rgba.insert(rgba.end(), {static_cast<BYTE>(x / 2 + n), static_cast<BYTE>(y / 2 + n),
                                     static_cast<BYTE>((x + y) / 4), static_cast<BYTE>(x < kSide / 2 ? 255 : y / 2)});
        }
    }
    std::vector<BYTE> png;
    stbi_write_png_to_func(Collect, &png, kSide, kSide, 4, rgba.data(), kSide * 4);
    return png;
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t base[MAX_PATH] = {};
    (void)::GetTempPathW(MAX_PATH, base); // empty: the current folder serves as well
    return std::wstring(base) + name;
}

bool WriteFile(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

int main()
{
    const std::vector<BYTE> png = MakePng();
    const std::wstring path = TempFile(L"zv-image-bench.png");
    if (!WriteFile(path, png)) {
        std::printf("images: cannot write %ls\n", path.c_str());
        return 1;
    }
    bool ok = true;
    const auto load = [&] {
        DuiLib::TImageInfo* info = DuiLib::CRenderEngine::LoadImage(path.c_str());
        ok = ok && info != nullptr;
        DuiLib::CRenderEngine::FreeImage(info);
    };
    const auto decode = [&] {
        int width = 0;
        int height = 0;
        int components = 0;
        stbi_uc* pixels = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height,
                                                &components, 4);
        ok = ok && pixels != nullptr;
        stbi_image_free(pixels);
    };
    const auto readAndDecode = [&] {
        std::vector<BYTE> bytes;
        ok = ok && DuiLib::ReadWholeFile(path.c_str(), size_t{64} << 20, bytes) == DuiLib::ResourceReadStatus::Ok;
        int width = 0;
        int height = 0;
        int components = 0;
        stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                                                &components, 4);
        ok = ok && pixels != nullptr;
        stbi_image_free(pixels);
    };

    const auto ourDecode = [&] {
        DuiLib::DecodedImage image;
        ok = DuiLib::DecodeImage(png.data(), png.size(), image) && ok;
    };
    DuiLib::DecodedImage decoded;
    ok = DuiLib::DecodeImage(png.data(), png.size(), decoded) && ok;
    std::vector<DWORD> converted(static_cast<size_t>(kSide) * kSide);
    const auto premultiply = [&] {
        bench::KeepAlive(DuiLib::PremultiplyPixels(decoded.rgba.get(), converted.size(), 0, converted.data()));
    };
    const auto copy = [&] {
        std::memcpy(converted.data(), decoded.rgba.get(), converted.size() * 4);
        bench::KeepAlive(converted);
    };
    const auto dib = [&] {
        void* bits = nullptr;
        UniqueBitmap bitmap = CreateTopDownDib(nullptr, kSide, kSide, &bits);
        ok = ok && bitmap;
        std::memcpy(bits, decoded.rgba.get(), converted.size() * 4);
    };

    std::printf("images: %d x %d PNG of %zu bytes, %d repetitions, medians\n", kSide, kSide, png.size(),
                kRepetitions);
    bench::PrintHeader();
    bench::Compare("LoadImage vs stbi decode", kRepetitions, load, decode);
    bench::Compare("LoadImage vs file read + stbi decode", kRepetitions, load, readAndDecode);
    bench::Compare("DecodeImage vs stbi decode", kRepetitions, ourDecode, decode);
    bench::Compare("premultiply vs memcpy", kRepetitions, premultiply, copy);
    bench::Compare("DIB section + memcpy vs memcpy", kRepetitions, dib, copy);
    (void)::DeleteFileW(path.c_str()); // a leftover in the temporary folder is harmless
    if (!ok) {
        std::printf("images: a load failed\n");
        return 1;
    }
    return 0;
}
