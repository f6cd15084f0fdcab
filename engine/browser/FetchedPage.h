#pragma once
// The response to a page's fetch, made ready away from the message loop: decoded,
// parsed and its style sheets listed on a pool thread, so that the loop only shows it.

#include <string>
#include <vector>

#include "engine/browser/FetchResult.h"
#include "engine/dom/DomNode.h"

namespace engine {

struct FetchedPage {
    FetchResult response;
    // Null when the response failed, is a download, or is too large to reach the renderer.
    DomNodePtr document;
    // Where the page came from after redirects, with the fragment asked for: relative
    // addresses in it resolve against this.
    std::wstring baseUrl;
    std::vector<std::wstring> stylesheets;  // absolute, in document order
};

// Pages are HTML or text; everything else, and anything the server marks as an
// attachment, is saved instead of shown.
[[nodiscard]] bool IsDownload(const FetchResult& response);

// Makes the response to the request for `url` ready to show. Any thread may call it.
[[nodiscard]] FetchedPage PreparePage(FetchResult response, const std::wstring& url);

} // namespace engine
