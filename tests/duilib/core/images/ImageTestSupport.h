#pragma once
// Helpers of the image tests: encoded test images, files and pixels of loaded bitmaps.

#include "common/Win32.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace image_test {

// One premultiplied pixel of a framework bitmap, compared as a whole.
struct Argb {
    DWORD value = 0;
    friend bool operator==(Argb a, Argb b) noexcept { return a.value == b.value; }
};
void PrintTo(Argb pixel, std::ostream* out);

// The pixel at (x, y) of a top-down 32-bit DIB section. Rows are read from the start of
// the pixel memory, so a bottom-up bitmap shows its rows swapped.
[[nodiscard]] Argb PixelAt(HBITMAP bitmap, int x, int y);
// Width, height and bit depth of a DIB section, as "WxH/bpp". GetObject reports a
// positive height for top-down sections too, so the row order is checked by PixelAt.
[[nodiscard]] std::string DibShape(HBITMAP bitmap);

// PNG bytes of width * height RGBA pixels.
[[nodiscard]] std::vector<BYTE> EncodePng(int width, int height, const std::vector<BYTE>& rgba);
// A width * height PNG whose pixels vary with their position, alpha included.
[[nodiscard]] std::vector<BYTE> GradientPng(int width, int height);

// One frame of a hand-built GIF: palette indices over a rectangle of the canvas.
struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<BYTE> indices;
    uint16_t delayField = 0; // hundredths of a second
    int disposal = 0;        // 0..3 as the format defines
    int transparent = -1;    // palette index shown as transparent, or -1
};

// A GIF with a four-colour global palette: red, green, blue, white.
[[nodiscard]] std::vector<BYTE> BuildGif(int width, int height, const std::vector<GifFrame>& frames);

[[nodiscard]] std::wstring ExeDirectory();
[[nodiscard]] std::vector<BYTE> ReadBytes(const std::wstring& path);
[[nodiscard]] bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

// The laid-out test skin: which.png (blue), quad.png, opaque.png and images.zip holding
// Images/Which.png (green) and quad.png. With a trailing "\".
[[nodiscard]] std::wstring TestSkinFolder();

// Points the process-wide skin location at a folder, without a zip, for one test and
// leaves no zip behind.
class SkinFolderScope final {
public:
    explicit SkinFolderScope(const std::wstring& folder);
    ~SkinFolderScope() noexcept;
    SkinFolderScope(const SkinFolderScope&) = delete;
    SkinFolderScope& operator=(const SkinFolderScope&) = delete;
};

// A fresh folder for this process under the temporary folder, removed with its files.
class ScratchFolder final {
public:
    ScratchFolder();
    ~ScratchFolder() noexcept;
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Full path (with trailing "\") of the folder.
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }
    // Writes `bytes` as `name` in the folder and returns its full path.
    std::wstring Write(const std::wstring& name, const std::vector<BYTE>& bytes);

private:
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};

} // namespace image_test
