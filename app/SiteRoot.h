#pragma once
// The root address of the service's web site: the build's constant, or the address given
// with --site-root=URL on the client's command line (the demo and the tests point the
// client at a local copy of the site this way). Every address the client opens on the
// site starts with it; it never ends with a slash.

#include "common/Win32.h"

#include <string>
#include <string_view>

// The root in use.
[[nodiscard]] const std::wstring& GetSiteRoot();
// Replaces the root, without its trailing slashes, and returns the one it replaces.
// Start-up does it before any window or thread reads the root.
std::wstring SetSiteRoot(std::wstring root);

// `text` as a site root: an http or https address with a host, in printable ASCII
// without blanks, query or fragment, its trailing slashes removed. Empty when it is none.
[[nodiscard]] std::wstring NormaliseSiteRoot(std::wstring_view text);
// The root that the last --site-root=URL argument of `commandLine` names; empty when
// there is none or it is not a valid root.
[[nodiscard]] std::wstring SiteRootFromCommandLine(LPCWSTR commandLine);
