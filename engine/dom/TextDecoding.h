#pragma once
// Turns the bytes of a fetched page into text.

#include <memory_resource>
#include <string>
#include <string_view>

namespace engine {

// The charset comes from, in order: a byte-order mark, the Content-Type header's
// "charset=" parameter, a <meta charset> or <meta http-equiv="Content-Type"> in the
// first bytes of the page; otherwise UTF-8 when the bytes are valid UTF-8, else
// windows-1252. Unknown charsets count as undeclared.
// Invalid sequences become U+FFFD; never fails.
[[nodiscard]] std::wstring DecodeHtmlBytes(std::string_view bytes, std::string_view contentType);

// The markup a fetched body shows as: HTML (or a body of no declared type) decoded, any
// other text as a page with that text preformatted. The browser and the renderer both
// make it from the same bytes, so both parse the same page.
[[nodiscard]] std::pmr::wstring PageMarkup(std::string_view body, std::string_view contentType);

} // namespace engine
