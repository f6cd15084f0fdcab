#include "DecodedImage.h"

#include "common/TopDownDib.h"

#include <climits>
#include <cstdint>

// The skin renderer links its own copy of stb_image; keep this one's symbols private.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_STDIO
// Page images larger than this are refused before any pixel memory is reserved.
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>

namespace engine {
namespace {

struct StbPixelsDeleter {
    void operator()(stbi_uc* pixels) const noexcept { stbi_image_free(pixels); }
};

// RGBA from stb_image to the premultiplied BGRA that AlphaBlend expects.
void CopyPremultiplied(const stbi_uc* rgba, std::uint32_t* bgra, size_t pixelCount)
{
    for (size_t i = 0; i < pixelCount; ++i) {
        const stbi_uc* p = rgba + 4 * i;
        const std::uint32_t a = p[3];
        const std::uint32_t r = (p[0] * a + 127) / 255;
        const std::uint32_t g = (p[1] * a + 127) / 255;
        const std::uint32_t b = (p[2] * a + 127) / 255;
        bgra[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
}

} // namespace

std::shared_ptr<const DecodedImage> DecodedImage::Decode(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    const std::unique_ptr<stbi_uc, StbPixelsDeleter> rgba(
        stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (rgba == nullptr || width <= 0 || height <= 0) {
        return nullptr;
    }
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(nullptr, width, height, &bits);
    if (!bitmap || bits == nullptr) {
        return nullptr;
    }
    CopyPremultiplied(rgba.get(), static_cast<std::uint32_t*>(bits), static_cast<size_t>(width) * height);
    return std::shared_ptr<const DecodedImage>(new DecodedImage(width, height, std::move(bitmap)));
}

void DecodedImage::Draw(HDC dc, const RECT& target) const
{
    const UniqueMemoryDc source(::CreateCompatibleDC(dc));
    if (!source) {
        return;
    }
    const SelectObjectScope select(source.get(), m_bitmap.get());
    BLENDFUNCTION blend{};
    blend.BlendOp = AC_SRC_OVER;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    (void)::AlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                       source.get(), 0, 0, m_width, m_height, blend);  // a failed draw leaves the background
}

} // namespace engine
