#pragma once
// An image of a page, decoded once and kept as a premultiplied 32-bpp DIB section
// ready for AlphaBlend.

#include <memory>
#include <vector>

#include "common/Handles.h"

namespace engine {

class DecodedImage final {
public:
    // PNG, JPEG, GIF (first frame), BMP and the other formats stb_image reads; null
    // when the bytes are not an image or the image is unreasonably large.
    [[nodiscard]] static std::shared_ptr<const DecodedImage> Decode(const std::vector<unsigned char>& bytes);

    [[nodiscard]] int Width() const { return m_width; }
    [[nodiscard]] int Height() const { return m_height; }
    // Top-down DIB section; borrowed, lives as long as this object.
    [[nodiscard]] HBITMAP Bitmap() const { return m_bitmap.get(); }

    // Draws the image stretched to `target` (device coordinates of `dc`).
    void Draw(HDC dc, const RECT& target) const;

private:
    DecodedImage(int width, int height, UniqueBitmap bitmap)
        : m_width(width), m_height(height), m_bitmap(std::move(bitmap))
    {
    }

    int m_width;
    int m_height;
    UniqueBitmap m_bitmap;
};

} // namespace engine
