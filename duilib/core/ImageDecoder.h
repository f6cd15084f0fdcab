#pragma once
// Decoding of skin image bytes (PNG, JPEG, BMP, GIF) to 8-bit RGBA pixels. Sizes that
// would need absurd amounts of memory are refused before any pixel memory is reserved.

#include "common/Win32.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace DuiLib {

// Largest image accepted: each side and the pixel count of one image or frame, and the
// pixel count of all frames of an animation together.
constexpr int kMaxImageSide = 16384;
constexpr size_t kMaxImagePixels = size_t{1} << 24;
constexpr size_t kMaxAnimationPixels = size_t{1} << 25;
// Delay given to animation frames whose delay field is 0.
constexpr UINT kDefaultFrameDelayMs = 100;

struct DecoderPixelsFree {
    void operator()(BYTE* pixels) const noexcept;
};

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<BYTE, DecoderPixelsFree> rgba; // width * height * 4 bytes
};

struct DecodedFrame {
    std::vector<BYTE> rgba; // width * height * 4 bytes of the animation
    UINT delayMs = 0;
};

struct DecodedAnimation {
    int width = 0;
    int height = 0;
    std::vector<DecodedFrame> frames;
};

// False for bytes that are not a supported image, are damaged, or are too large.
[[nodiscard]] bool DecodeImage(const BYTE* data, size_t size, DecodedImage& image);

// Every frame of a GIF, composed onto the full canvas as it is shown. A stream damaged
// after its first frame keeps the frames before the damage.
[[nodiscard]] bool DecodeAnimation(const BYTE* data, size_t size, DecodedAnimation& animation);

// Whether a width and height fit the limits above (and a 32-bit size_t).
[[nodiscard]] bool IsAcceptableImageSize(int width, int height) noexcept;

} // namespace DuiLib
