#include "Url.h"

#include <algorithm>
#include <vector>

namespace engine {
namespace {

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

// "C:\dir" or "C:/dir": a drive letter is not a one-letter scheme.
bool IsWindowsPath(std::wstring_view s)
{
    return s.size() >= 3 && IsAsciiLetter(s[0]) && s[1] == L':' && (s[2] == L'\\' || s[2] == L'/');
}

// Length of "scheme:" at the start, 0 when there is none.
size_t SchemeLength(std::wstring_view s)
{
    if (s.empty() || !IsAsciiLetter(s[0]) || IsWindowsPath(s)) {
        return 0;
    }
    for (size_t i = 1; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c == L':') {
            return i + 1;
        }
        if (!IsAsciiLetter(c) && !(c >= L'0' && c <= L'9') && c != L'+' && c != L'-' && c != L'.') {
            return 0;
        }
    }
    return 0;
}

std::wstring_view Trim(std::wstring_view s)
{
    const auto isSpace = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; };
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::wstring Slashes(std::wstring_view s, wchar_t from, wchar_t to)
{
    std::wstring out(s);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

// An absolute URL split as "prefix" (scheme and authority) + path + tail (query/fragment).
struct SplitUrl {
    std::wstring prefix;
    std::wstring path;
    std::wstring tail;
};

SplitUrl Split(std::wstring_view url)
{
    SplitUrl parts;
    size_t pathStart = SchemeLength(url);
    if (url.substr(pathStart, 2) == L"//") {
        pathStart = std::min(url.find_first_of(L"/?#", pathStart + 2), url.size());
    }
    parts.prefix = url.substr(0, pathStart);
    const size_t tailStart = std::min(url.find_first_of(L"?#", pathStart), url.size());
    parts.path = url.substr(pathStart, tailStart - pathStart);
    parts.tail = url.substr(tailStart);
    return parts;
}

// Removes "." and ".." segments from an absolute path; ".." never climbs above the root.
std::wstring RemoveDotSegments(std::wstring_view path)
{
    std::vector<std::wstring_view> segments;
    bool trailingSlash = false;
    size_t start = path.empty() || path[0] != L'/' ? 0 : 1;
    while (start <= path.size()) {
        const size_t end = std::min(path.find(L'/', start), path.size());
        const std::wstring_view segment = path.substr(start, end - start);
        trailingSlash = segment == L"." || segment == L".." || (segment.empty() && end == path.size());
        if (segment == L"..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (segment != L"." && !(segment.empty() && end == path.size())) {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::wstring out;
    for (const auto& segment : segments) {
        out += L'/';
        out += segment;
    }
    if (trailingSlash || out.empty()) {
        out += L'/';
    }
    return out;
}

std::wstring Directory(std::wstring_view path)
{
    const size_t slash = path.rfind(L'/');
    return slash == std::wstring_view::npos ? std::wstring(L"/") : std::wstring(path.substr(0, slash + 1));
}

// Resolves a relative or root-relative reference (no scheme, no "//") against a split base.
std::wstring ResolvePathReference(const SplitUrl& base, std::wstring_view ref)
{
    const size_t tailStart = std::min(ref.find_first_of(L"?#"), ref.size());
    const std::wstring_view refPath = ref.substr(0, tailStart);
    const std::wstring_view refTail = ref.substr(tailStart);
    if (refPath.empty()) {
        const size_t baseQueryEnd = std::min(base.tail.find(L'#'), base.tail.size());
        const std::wstring keptQuery = refTail.empty() || refTail[0] == L'#' ? base.tail.substr(0, baseQueryEnd) : L"";
        return base.prefix + base.path + keptQuery + std::wstring(refTail);
    }
    const std::wstring merged = refPath[0] == L'/' ? std::wstring(refPath) : Directory(base.path) + std::wstring(refPath);
    return base.prefix + RemoveDotSegments(merged) + std::wstring(refTail);
}

std::wstring ResolveAgainstUrl(std::wstring_view base, std::wstring_view ref)
{
    const size_t schemeLength = SchemeLength(base);
    if (ref.substr(0, 2) == L"//") {
        return std::wstring(base.substr(0, schemeLength)) + std::wstring(ref);
    }
    SplitUrl parts = Split(base);
    if (parts.path.empty()) {
        parts.path = L"/";
    }
    return ResolvePathReference(parts, ref);
}

// Local pages are loaded by path: resolve with '/' and give back a Windows path.
std::wstring ResolveAgainstWindowsPath(std::wstring_view base, std::wstring_view ref)
{
    const std::wstring normalizedRef = Slashes(ref, L'\\', L'/');
    if (normalizedRef.substr(0, 2) == L"//") {
        return Slashes(normalizedRef, L'/', L'\\');  // a UNC path
    }
    SplitUrl parts;
    parts.prefix = base.substr(0, 2);
    parts.path = Slashes(base.substr(2), L'\\', L'/');
    const std::wstring resolved = ResolvePathReference(parts, normalizedRef);
    const size_t tailStart = std::min(resolved.find_first_of(L"?#"), resolved.size());
    return Slashes(resolved.substr(0, tailStart), L'/', L'\\') + resolved.substr(tailStart);
}

} // namespace

std::wstring ResolveUrl(std::wstring_view base, std::wstring_view reference)
{
    const std::wstring_view ref = Trim(reference);
    if (SchemeLength(ref) != 0 || IsWindowsPath(ref)) {
        return std::wstring(ref);
    }
    const std::wstring_view trimmedBase = Trim(base);
    if (IsWindowsPath(trimmedBase)) {
        return ResolveAgainstWindowsPath(trimmedBase, ref);
    }
    if (SchemeLength(trimmedBase) == 0) {
        return std::wstring(ref);
    }
    // Browsers read backslashes in web addresses as slashes.
    const bool special = trimmedBase.substr(0, 4) == L"http" || trimmedBase.substr(0, 5) == L"file:";
    return ResolveAgainstUrl(trimmedBase, special ? Slashes(ref, L'\\', L'/') : std::wstring(ref));
}

} // namespace engine
