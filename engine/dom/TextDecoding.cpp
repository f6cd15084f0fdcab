#include "TextDecoding.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "common/Win32.h"
#include "engine/dom/RecycledBlocks.h"

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
// Smaller blocks come from memory the heap already has.
constexpr std::size_t kMinRecycledBytes = 64 * 1024;

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

// Decoding writes into room for one UTF-16 unit per byte: no code page here turns a
// byte into more than one unit (four-byte sequences become two), nor does UTF-16 with
// its odd last byte replaced. Each decoder returns the units it wrote.

// Markup is mostly ASCII, which every code page above maps to the same code points, so
// ASCII text is widened here, sixteen bytes a step, instead of by the system's
// converter. Nothing when a byte is not ASCII.
std::optional<std::size_t> WidenAscii(std::string_view bytes, wchar_t* out)
{
    const char* from = bytes.data();
    const char* const end = from + bytes.size();
    wchar_t* to = out;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; end - from >= 16; from += 16, to += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        if (_mm_movemask_epi8(chunk) != 0) {
            return std::nullopt;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi8(chunk, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 8), _mm_unpackhi_epi8(chunk, zero));
    }
#endif
    for (; from != end; ++from, ++to) {
        if (static_cast<unsigned char>(*from) >= 0x80) {
            return std::nullopt;
        }
        *to = static_cast<wchar_t>(*from);
    }
    return bytes.size();
}

// One pass of the system's converter. Nothing written when it fails, or, with
// MB_ERR_INVALID_CHARS, meets an invalid sequence.
std::size_t Convert(std::string_view bytes, UINT codePage, DWORD flags, wchar_t* out)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
        return 0;
    }
    const int length = static_cast<int>(bytes.size());
    const int written = ::MultiByteToWideChar(codePage, flags, bytes.data(), length, out, length);
    return written > 0 ? static_cast<std::size_t>(written) : 0;
}

std::size_t DecodeUtf16(std::string_view bytes, bool bigEndian, wchar_t* out)
{
    const std::size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    if (bytes.size() % 2 == 0) {
        return units;
    }
    out[units] = L'\xFFFD';
    return units + 1;
}

std::size_t DecodeCodePage(std::string_view bytes, UINT codePage, wchar_t* out)
{
    if (codePage == kUtf16Le || codePage == kUtf16Be) {
        return DecodeUtf16(bytes, codePage == kUtf16Be, out);
    }
    if (const auto ascii = WidenAscii(bytes, out)) {
        return *ascii;
    }
    const std::size_t written = Convert(bytes, codePage, 0, out);
    // GB18030 is a superset of GBK; a system without its table still reads most pages.
    return written == 0 && codePage == 54936 ? DecodeCodePage(bytes, 936, out) : written;
}

// Old pages that declare nothing are UTF-8 when their bytes are, else mostly Western
// European text.
std::size_t DecodeUndeclared(std::string_view bytes, wchar_t* out)
{
    if (const auto ascii = WidenAscii(bytes, out)) {
        return *ascii;
    }
    const std::size_t written = Convert(bytes, CP_UTF8, MB_ERR_INVALID_CHARS, out);
    return written == 0 ? DecodeCodePage(bytes, kWindows1252, out) : written;
}

// `out` has room for bytes.size() units.
std::size_t DecodeInto(std::string_view bytes, std::string_view contentType, wchar_t* out)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return DecodeCodePage(bytes.substr(3), CP_UTF8, out);
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return DecodeUtf16(bytes.substr(2), false, out);
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return DecodeUtf16(bytes.substr(2), true, out);
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
    return codePage == 0 ? DecodeUndeclared(bytes, out) : DecodeCodePage(bytes, codePage, out);
}

[[nodiscard]] bool IsHtmlType(std::string_view contentType)
{
    const std::string type = LowerAscii(contentType);
    return type.empty() || type.rfind("text/html", 0) == 0 || type.rfind("application/xhtml", 0) == 0;
}

[[nodiscard]] std::pmr::wstring EscapeAsPreformatted(const std::pmr::wstring& text)
{
    std::pmr::wstring html(L"<html><body><pre>", text.get_allocator());
    for (const wchar_t c : text) {
        switch (c) {
        case L'<': html += L"&lt;"; break;
        case L'>': html += L"&gt;"; break;
        case L'&': html += L"&amp;"; break;
        default: html += c; break;
        }
    }
    html += L"</pre></body></html>";
    return html;
}

} // namespace

std::wstring DecodeHtmlBytes(std::string_view bytes, std::string_view contentType)
{
    std::wstring text(bytes.size(), L'\0');
    text.resize(DecodeInto(bytes, contentType, text.data()));
    return text;
}

std::pmr::wstring PageMarkup(std::string_view body, std::string_view contentType)
{
    // Fresh pages of memory cost about as much to touch as the decoding that fills them,
    // so a large page's text goes where the last large page's went.
    std::pmr::memory_resource* memory = body.size() >= kMinRecycledBytes / sizeof(wchar_t) ?
        &RecycledBlocks::Shared() : std::pmr::new_delete_resource();
    std::pmr::wstring text(body.size(), L'\0', memory);
    text.resize(DecodeInto(body, contentType, text.data()));
    return IsHtmlType(contentType) ? std::move(text) : EscapeAsPreformatted(text);
}

} // namespace engine
