#pragma once
// Which links the client opens, and where they lead. Links from the network go to the
// user's default browser only as web addresses; the local pages reach the site through
// addresses that the client maps onto the site root in use.

#include <string>
#include <string_view>

// The local pages link to the site as this prefix followed by a path ("zeltavue://site/live"),
// with target "_blank" so that the click reaches the client, which loads the page of the
// site root in use in the same tab.
inline constexpr std::wstring_view kLocalSiteLinkPrefix = L"zeltavue://site";

// True when `link` begins with "http://" or "https://", in any letter case.
[[nodiscard]] bool IsWebAddress(std::wstring_view link);

// The address to give the shell for a link that came from the network (an advertisement
// of the remote configuration); empty when the link must not be opened. A path on the
// site ("/live", "//host/path") is made absolute against `siteRoot` first. Anything that
// is then no http or https address, or holds a control character, is refused, so that a
// downloaded document can never start a local program. Blanks and double quotes are
// percent-encoded: the shell hands the address to the browser on a command line.
[[nodiscard]] std::wstring ResolveAdLink(std::wstring_view link, std::wstring_view siteRoot);

// True when `link` begins with kLocalSiteLinkPrefix, in any letter case.
[[nodiscard]] bool IsLocalSiteLink(std::wstring_view link);

// The address on the site that a link of the local pages stands for: `siteRoot` followed
// by the link's path. Empty for any other link.
[[nodiscard]] std::wstring MapLocalSiteLink(std::wstring_view link, std::wstring_view siteRoot);
