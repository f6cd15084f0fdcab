#pragma once
// Resolution of links and image sources against the address of the page.

#include <string>
#include <string_view>

namespace engine {

// Resolves `reference` against `base`. The base may be an http(s) or file URL or an
// absolute Windows path ("C:\dir\page.htm"). Handles absolute references,
// scheme-relative ("//host/x"), root-relative ("/x"), relative paths with "./" and
// "../", query-only and fragment-only references. Returns the reference unchanged
// when the base cannot be understood.
[[nodiscard]] std::wstring ResolveUrl(std::wstring_view base, std::wstring_view reference);

} // namespace engine
