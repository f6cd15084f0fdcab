// Image loading of CRenderEngine: bytes from the skin's sources, decoded and turned into
// premultiplied 32-bit DIB sections.

#include "common/TopDownDib.h"
#include "duilib/core/GifHandler.h"
#include "duilib/core/ImageDecoder.h"
#include "duilib/core/ImagePixels.h"
#include "duilib/core/ImageSource.h"
#include "duilib/core/RenderEngine.h"

#include <exception>
#include <memory>
#include <utility>

namespace DuiLib {

namespace {

// Gives `info` a top-down 32-bit DIB section of the pixels, premultiplied and masked.
bool FillImageInfo(TImageInfo& info, int width, int height, const BYTE* rgba, DWORD mask)
{
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(nullptr, width, height, &bits);
    if (!bitmap || bits == nullptr) {
        return false;
    }
    const size_t pixelCount = static_cast<size_t>(width) * static_cast<size_t>(height);
    info.alphaChannel = PremultiplyPixels(rgba, pixelCount, mask, static_cast<DWORD*>(bits));
    info.hBitmap = std::move(bitmap);
    info.nX = width;
    info.nY = height;
    return true;
}

std::unique_ptr<TImageInfo> LoadImageInfo(STRINGorID bitmap, LPCTSTR type, DWORD mask)
{
    std::vector<BYTE> bytes;
    DecodedImage decoded;
    if (!ReadImageBytes(bitmap, type, bytes) || !DecodeImage(bytes.data(), bytes.size(), decoded)) {
        return nullptr;
    }
    auto info = std::make_unique<TImageInfo>();
    if (!FillImageInfo(*info, decoded.width, decoded.height, decoded.rgba.get(), mask)) {
        return nullptr;
    }
    return info;
}

std::unique_ptr<CGifHandler> LoadGifHandler(STRINGorID bitmap, LPCTSTR type, DWORD mask)
{
    std::vector<BYTE> bytes;
    DecodedAnimation animation;
    if (!ReadImageBytes(bitmap, type, bytes) || !DecodeAnimation(bytes.data(), bytes.size(), animation)) {
        return nullptr;
    }
    auto handler = std::make_unique<CGifHandler>();
    for (DecodedFrame& decoded : animation.frames) {
        auto frame = std::make_unique<TGifFrameInfo>();
        if (!FillImageInfo(frame->image, animation.width, animation.height, decoded.rgba.data(), mask)) {
            return nullptr;
        }
        std::vector<BYTE>().swap(decoded.rgba); // the bitmap holds the pixels now
        frame->image.alphaChannel = true;
        frame->nDelay = decoded.delayMs;
        handler->AddFrameInfo(std::move(frame));
    }
    return handler;
}

} // namespace

TImageInfo* CRenderEngine::LoadImage(STRINGorID bitmap, LPCTSTR type, DWORD mask)
{
    try {
        return LoadImageInfo(bitmap, type, mask).release();
    } catch (const std::exception&) {
        return nullptr; // out of memory for a huge image: the image is missing, nothing worse
    }
}

void CRenderEngine::FreeImage(TImageInfo* bitmap) noexcept
{
    delete bitmap;
}

CGifHandler* CRenderEngine::LoadGif(STRINGorID bitmap, LPCTSTR type, DWORD mask)
{
    try {
        return LoadGifHandler(bitmap, type, mask).release();
    } catch (const std::exception&) {
        return nullptr;
    }
}

} // namespace DuiLib
