#include "app/WebLinks.h"

#include <algorithm>

namespace {

wchar_t AsciiLower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return AsciiLower(a) == AsciiLower(b); });
}

bool HasControlCharacter(std::wstring_view text)
{
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < L' ' || c == 0x7F; });
}

std::wstring_view TrimBlanks(std::wstring_view text)
{
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring Absolute(std::wstring_view link, std::wstring_view siteRoot)
{
    if (link.substr(0, 2) == L"//") {
        return std::wstring(siteRoot.substr(0, siteRoot.find(L':') + 1)).append(link);
    }
    if (link.substr(0, 1) == L"/") {
        return std::wstring(siteRoot).append(link);
    }
    return std::wstring(link);
}

std::wstring PercentEncodeBlanksAndQuotes(const std::wstring& address)
{
    std::wstring encoded;
    encoded.reserve(address.size());
    for (const wchar_t c : address) {
        if (c == L' ') {
            encoded += L"%20";
        } else if (c == L'"') {
            encoded += L"%22";
        } else {
            encoded += c;
        }
    }
    return encoded;
}

} // namespace

bool IsWebAddress(std::wstring_view link)
{
    return StartsWithNoCase(link, L"http://") || StartsWithNoCase(link, L"https://");
}

std::wstring ResolveAdLink(std::wstring_view link, std::wstring_view siteRoot)
{
    const std::wstring address = Absolute(TrimBlanks(link), siteRoot);
    if (!IsWebAddress(address) || HasControlCharacter(address)) {
        return {};
    }
    return PercentEncodeBlanksAndQuotes(address);
}

bool IsLocalSiteLink(std::wstring_view link)
{
    return StartsWithNoCase(link, kLocalSiteLinkPrefix);
}

std::wstring MapLocalSiteLink(std::wstring_view link, std::wstring_view siteRoot)
{
    if (!IsLocalSiteLink(link)) {
        return {};
    }
    const std::wstring_view path = link.substr(kLocalSiteLinkPrefix.size());
    if ((!path.empty() && path.front() != L'/') || path.substr(0, 2) == L"//" || HasControlCharacter(path)) {
        return {};
    }
    return std::wstring(siteRoot).append(path);
}
