#include "engine/browser/FetchedPage.h"

#include <algorithm>

#include "engine/dom/HtmlParser.h"
#include "engine/dom/TextDecoding.h"
#include "engine/ipc/WireMessage.h"
#include "engine/render/PageView.h"

namespace engine {
namespace {

[[nodiscard]] bool StartsWith(const std::string& text, const char* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

[[nodiscard]] bool IsAttachment(const std::string& disposition)
{
    std::string lower = disposition;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("attachment") != std::string::npos;
}

[[nodiscard]] std::wstring BaseUrl(const std::wstring& requested, const std::wstring& redirected)
{
    if (redirected.empty()) {
        return requested;
    }
    const std::size_t hash = requested.find(L'#');
    const bool keepFragment = hash != std::wstring::npos && redirected.find(L'#') == std::wstring::npos;
    return keepFragment ? redirected + requested.substr(hash) : redirected;
}

// The renderer gets the bytes, the address and the type in one pipe message.
[[nodiscard]] bool FitsOneMessage(const FetchResult& response, const std::wstring& url)
{
    return response.body.size() + url.size() * 2 + response.contentType.size() + 16 <= kMaxWirePayload;
}

} // namespace

bool IsDownload(const FetchResult& response)
{
    const std::string& type = response.contentType;
    const bool displayable = type.empty() || StartsWith(type, "text/") || StartsWith(type, "application/xhtml");
    return !displayable || IsAttachment(response.contentDisposition);
}

FetchedPage PreparePage(FetchResult response, const std::wstring& url)
{
    FetchedPage page{std::move(response), nullptr, {}, {}};
    const FetchResult& fetched = page.response;
    if (fetched.error != 0 || IsDownload(fetched) || !FitsOneMessage(fetched, url)) {
        return page;
    }
    page.document = ParseHtml(PageMarkup(fetched.body, fetched.contentType));
    page.baseUrl = BaseUrl(url, fetched.url);
    page.stylesheets = PageView::StylesheetUrls(*page.document, page.baseUrl);
    return page;
}

} // namespace engine
