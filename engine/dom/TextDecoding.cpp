#include "TextDecoding.h"

#include <algorithm>
#include <climits>

#include "common/Win32.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace engine {
namespace {

// Pages declare their charset near the top; browsers look at the first 1024 bytes.
constexpr size_t kPrescanBytes = 1024;
constexpr UINT kUtf16Le = 1200;
constexpr UINT kUtf16Be = 1201;
constexpr UINT kWindows1252 = 1252;

std::string LowerAscii(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

// The value after "charset=" in `text` (already lower case), quotes and spaces removed.
std::string CharsetParameter(std::string_view text)
{
    const size_t key = text.find("charset");
    if (key == std::string_view::npos) {
        return {};
    }
    size_t pos = key + 7;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    if (pos >= text.size() || text[pos] != '=') {
        return {};
    }
    ++pos;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '"' || text[pos] == '\'')) {
        ++pos;
    }
    const size_t end = std::min(text.find_first_of(" \t;\"'>/", pos), text.size());
    return std::string(text.substr(pos, end - pos));
}

std::string MetaCharset(std::string_view bytes)
{
    const std::string head = LowerAscii(bytes.substr(0, kPrescanBytes));
    for (size_t meta = head.find("<meta"); meta != std::string::npos; meta = head.find("<meta", meta + 5)) {
        const size_t end = std::min(head.find('>', meta), head.size());
        std::string charset = CharsetParameter(std::string_view(head).substr(meta, end - meta));
        if (!charset.empty()) {
            return charset;
        }
    }
    return {};
}

UINT CodePageFor(const std::string& label)
{
    struct Entry {
        std::string_view label;
        UINT codePage;
    };
    static constexpr Entry kEntries[] = {
        {"utf-8", CP_UTF8},      {"utf8", CP_UTF8},          {"gbk", 936},           {"gb2312", 936},
        {"x-gbk", 936},          {"cp936", 936},             {"gb18030", 54936},     {"big5", 950},
        {"shift_jis", 932},      {"sjis", 932},              {"euc-jp", 20932},      {"euc-kr", 949},
        {"windows-1252", 1252},  {"iso-8859-1", 1252},       {"latin1", 1252},       {"us-ascii", 1252},
        {"ascii", 1252},         {"windows-1250", 1250},     {"windows-1251", 1251}, {"koi8-r", 20866},
        {"iso-8859-2", 28592},   {"iso-8859-15", 28605},     {"utf-16", kUtf16Le},   {"utf-16le", kUtf16Le},
        {"utf-16be", kUtf16Be},
    };
    for (const auto& entry : kEntries) {
        if (entry.label == label) {
            return entry.codePage;
        }
    }
    return 0;
}

// Markup is mostly ASCII, which every code page above maps to the same code points,
// so ASCII text is widened here instead of by the system's converter. The checks go
// sixteen bytes at a time.
bool IsAscii(std::string_view bytes)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        if (_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) != 0) {
            return false;
        }
    }
#endif
    return std::all_of(p, end, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Built from the bytes themselves, so the text is written once, not cleared first.
std::wstring WidenAscii(std::string_view bytes)
{
    return std::wstring(bytes.begin(), bytes.end());
}

// One pass of the system's converter: no code page here turns a byte into more than
// one UTF-16 unit (four-byte sequences into two), so room for one per byte does.
// Empty when the converter fails, or, with MB_ERR_INVALID_CHARS, meets an invalid sequence.
std::wstring Convert(std::string_view bytes, UINT codePage, DWORD flags)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
        return {};
    }
    std::wstring out(bytes.size(), L'\0');
    const int length = static_cast<int>(bytes.size());
    const int written = ::MultiByteToWideChar(codePage, flags, bytes.data(), length, out.data(), length);
    out.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return out;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::wstring out(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    if (bytes.size() % 2 != 0) {
        out.push_back(L'\xFFFD');
    }
    return out;
}

std::wstring DecodeCodePage(std::string_view bytes, UINT codePage)
{
    if (codePage == kUtf16Le || codePage == kUtf16Be) {
        return DecodeUtf16(bytes, codePage == kUtf16Be);
    }
    if (IsAscii(bytes)) {
        return WidenAscii(bytes);
    }
    std::wstring out = Convert(bytes, codePage, 0);
    // GB18030 is a superset of GBK; a system without its table still reads most pages.
    return out.empty() && codePage == 54936 ? DecodeCodePage(bytes, 936) : out;
}

// Old pages that declare nothing are UTF-8 when their bytes are, else mostly Western
// European text.
std::wstring DecodeUndeclared(std::string_view bytes)
{
    if (IsAscii(bytes)) {
        return WidenAscii(bytes);
    }
    std::wstring out = Convert(bytes, CP_UTF8, MB_ERR_INVALID_CHARS);
    return out.empty() ? DecodeCodePage(bytes, kWindows1252) : out;
}

} // namespace

std::wstring DecodeHtmlBytes(std::string_view bytes, std::string_view contentType)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return DecodeCodePage(bytes.substr(3), CP_UTF8);
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return DecodeUtf16(bytes.substr(2), false);
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return DecodeUtf16(bytes.substr(2), true);
    }
    UINT codePage = CodePageFor(CharsetParameter(LowerAscii(contentType)));
    if (codePage == 0) {
        codePage = CodePageFor(MetaCharset(bytes));
        // A page whose <meta> claims UTF-16 was just read as ASCII to find that claim,
        // so it is not UTF-16 (browsers make the same correction).
        if (codePage == kUtf16Le || codePage == kUtf16Be) {
            codePage = CP_UTF8;
        }
    }
    return codePage == 0 ? DecodeUndeclared(bytes) : DecodeCodePage(bytes, codePage);
}

} // namespace engine
