#include "app/SiteRoot.h"

#include "app/WebLinks.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace {

constexpr std::wstring_view kSwitch = L"--site-root=";

std::wstring& Root()
{
    static std::wstring root = ZV_SITE_ROOT;
    return root;
}

void StripTrailingSlashes(std::wstring& text)
{
    while (!text.empty() && text.back() == L'/') {
        text.pop_back();
    }
}

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const noexcept { (void)::LocalFree(block); }
};

} // namespace

const std::wstring& GetSiteRoot()
{
    return Root();
}

std::wstring SetSiteRoot(std::wstring root)
{
    StripTrailingSlashes(root);
    return std::exchange(Root(), std::move(root));
}

std::wstring NormaliseSiteRoot(std::wstring_view text)
{
    const bool printable = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c > L' ' && c < 0x7F; });
    if (!printable || !IsWebAddress(text) || text.find_first_of(L"?#") != std::wstring_view::npos) {
        return {};
    }
    const size_t host = text.find(L"://") + 3;
    if (host == text.size() || text[host] == L'/') {
        return {};
    }
    std::wstring root(text);
    StripTrailingSlashes(root);
    return root;
}

std::wstring SiteRootFromCommandLine(LPCWSTR commandLine)
{
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> args(::CommandLineToArgvW(commandLine, &count));
    if (!args) {
        return {};
    }
    std::wstring_view value;
    // The program name comes first and is never a switch.
    for (int i = 1; i < count; ++i) {
        const std::wstring_view arg = args.get()[i];
        if (arg.substr(0, kSwitch.size()) == kSwitch) {
            value = arg.substr(kSwitch.size());
        }
    }
    return NormaliseSiteRoot(value);
}
