#include "ImageTestSupport.h"

#include "common/Handles.h"
#include "duilib/core/PaintManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>

// The framework links stb_image only; the writer is for building test images.
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace image_test {

namespace {

void AppendWord(std::vector<BYTE>& out, int value)
{
    out.push_back(static_cast<BYTE>(value & 0xFF));
    out.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
}

// LZW with 2-bit literals written so the decoder's table never grows past 3-bit codes:
// a clear code before every second literal.
std::vector<BYTE> EncodeLzw(const std::vector<BYTE>& indices)
{
    constexpr unsigned kClear = 4;
    constexpr unsigned kEnd = 5;
    std::vector<BYTE> bytes;
    unsigned buffer = 0;
    int bits = 0;
    const auto put = [&](unsigned code) {
        buffer |= code << bits;
        bits += 3;
        while (bits >= 8) {
            bytes.push_back(static_cast<BYTE>(buffer & 0xFF));
            buffer >>= 8;
            bits -= 8;
        }
    };
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0) {
            put(kClear);
        }
        put(indices[i] & 3u);
    }
    put(kEnd);
    if (bits > 0) {
        bytes.push_back(static_cast<BYTE>(buffer & 0xFF));
    }
    return bytes;
}

void AppendFrame(std::vector<BYTE>& out, const GifFrame& frame)
{
    const BYTE control = static_cast<BYTE>((frame.disposal & 7) << 2 | (frame.transparent >= 0 ? 1 : 0));
    out.insert(out.end(), {0x21, 0xF9, 0x04, control});
    AppendWord(out, frame.delayField);
    out.insert(out.end(), {static_cast<BYTE>(frame.transparent >= 0 ? frame.transparent : 0), 0x00, 0x2C});
    AppendWord(out, frame.left);
    AppendWord(out, frame.top);
    AppendWord(out, frame.width);
    AppendWord(out, frame.height);
    out.insert(out.end(), {0x00, 0x02}); // no local palette; 2-bit minimum code size
    const std::vector<BYTE> data = EncodeLzw(frame.indices);
    for (size_t start = 0; start < data.size(); start += 255) {
        const size_t length = std::min<size_t>(255, data.size() - start);
        out.push_back(static_cast<BYTE>(length));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
                   data.begin() + static_cast<std::ptrdiff_t>(start + length));
    }
    out.push_back(0x00);
}

void CollectBytes(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<BYTE>*>(context);
    const auto* bytes = static_cast<const BYTE*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

} // namespace

void PrintTo(Argb pixel, std::ostream* out)
{
    char text[16] = {};
    std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(pixel.value));
    *out << text;
}

Argb PixelAt(HBITMAP bitmap, int x, int y)
{
    DIBSECTION section{};
    if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBits == nullptr ||
        x < 0 || y < 0 || x >= section.dsBm.bmWidth || y >= section.dsBm.bmHeight) {
        ADD_FAILURE_AT(__FILE__, __LINE__);
        return Argb{0xDEADBEEF};
    }
    const auto* row = static_cast<const BYTE*>(section.dsBm.bmBits) + static_cast<size_t>(y) * section.dsBm.bmWidthBytes;
    return Argb{reinterpret_cast<const DWORD*>(row)[x]};
}

std::string DibShape(HBITMAP bitmap)
{
    DIBSECTION section{};
    if (::GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) {
        return "not a DIB section";
    }
    return std::to_string(section.dsBm.bmWidth) + "x" + std::to_string(section.dsBm.bmHeight) + "/" +
           std::to_string(section.dsBm.bmBitsPixel);
}

std::vector<BYTE> EncodePng(int width, int height, const std::vector<BYTE>& rgba)
{
    std::vector<BYTE> bytes;
    stbi_write_png_to_func(CollectBytes, &bytes, width, height, 4, rgba.data(), width * 4);
    return bytes;
}

std::vector<BYTE> GradientPng(int width, int height)
{
    std::vector<BYTE> rgba;
    rgba.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgba.insert(rgba.end(), {static_cast<BYTE>(x * 7), static_cast<BYTE>(y * 5), static_cast<BYTE>(x ^ y),
                                     static_cast<BYTE>(255 - ((x + y) & 0x3F))});
        }
    }
    return EncodePng(width, height, rgba);
}

std::vector<BYTE> BuildGif(int width, int height, const std::vector<GifFrame>& frames)
{
    std::vector<BYTE> out = {'G', 'I', 'F', '8', '9', 'a'};
    AppendWord(out, width);
    AppendWord(out, height);
    out.insert(out.end(), {0x91, 0x00, 0x00}); // 4-entry global palette, background 0
    out.insert(out.end(), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    for (const GifFrame& frame : frames) {
        AppendFrame(out, frame);
    }
    out.push_back(0x3B);
    return out;
}

std::wstring ExeDirectory()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring full(path, length);
    return full.substr(0, full.rfind(L'\\') + 1);
}

std::vector<BYTE> ReadBytes(const std::wstring& path)
{
    const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size)) {
        return {};
    }
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size()) {
        return {};
    }
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    const UniqueFileHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::wstring TestSkinFolder()
{
    return ExeDirectory() + L"images\\skin\\";
}

SkinFolderScope::SkinFolderScope(const std::wstring& folder)
{
    DuiLib::CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    DuiLib::CPaintManagerUI::SetResourceZip(L"", false);
    DuiLib::CPaintManagerUI::SetResourcePath(folder.c_str());
}

SkinFolderScope::~SkinFolderScope() noexcept
{
    DuiLib::CPaintManagerUI::SetResourceZip(L"", false);
    DuiLib::CPaintManagerUI::Term();
}

ScratchFolder::ScratchFolder()
{
    static int instances = 0;
    wchar_t base[MAX_PATH] = {};
    (void)::GetTempPathW(MAX_PATH, base); // an empty base still gives a usable relative folder
    m_path = std::wstring(base) + L"zv-images-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++instances) + L"\\";
    (void)::CreateDirectoryW(m_path.c_str(), nullptr); // a folder left by a dead run is reused
}

ScratchFolder::~ScratchFolder() noexcept
{
    for (const std::wstring& file : m_files) {
        (void)::DeleteFileW(file.c_str()); // a test may have deleted it already
    }
    (void)::RemoveDirectoryW(m_path.c_str()); // best effort: leftovers live in the temporary folder
}

std::wstring ScratchFolder::Write(const std::wstring& name, const std::vector<BYTE>& bytes)
{
    const std::wstring path = m_path + name;
    EXPECT_TRUE(WriteBytes(path, bytes)) << "cannot write a test file";
    if (std::find(m_files.begin(), m_files.end(), path) == m_files.end()) {
        m_files.push_back(path);
    }
    return path;
}

} // namespace image_test
