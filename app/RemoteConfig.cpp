#include "app/RemoteConfig.h"

#include "app/AppMessages.h"
#include "common/Win32.h"
#include "support/HttpClient.h"
#include "support/XmlNavigator.h"

#include <zlib.h>

#include <climits>
#include <cstdint>
#include <utility>

std::vector<AdItem> g_vecStaticAds;
std::array<std::vector<AdItem>, kScrollAdSlots> g_vecScrollAds;

namespace {

constexpr size_t kMaxChunk = 10240; // both compressed and inflated

std::wstring& SiteRoot()
{
    static std::wstring root = ZV_SITE_ROOT;
    return root;
}

int32_t ReadLength(const unsigned char* p) noexcept
{
    const uint32_t value = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8)
        | (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    return static_cast<int32_t>(value);
}

// Walks the chunk sequence of a configuration body: a 32-bit little-endian length N,
// then N bytes of one zlib stream that inflates to at most 10240 bytes. A zero length,
// a bare length at the very end or a tail too short for a length ends the sequence.
// False when a length is negative, over the limit or runs past the end, or when
// `inflate` fails on a chunk.
template <typename Inflate>
bool ForEachChunk(const unsigned char* data, size_t length, Inflate&& inflate)
{
    size_t offset = 0;
    while (length - offset >= 4) {
        const int32_t chunk = ReadLength(data + offset);
        offset += 4;
        if (chunk == 0 || offset == length) {
            break;
        }
        const auto size = static_cast<size_t>(chunk);
        if (chunk < 0 || size > kMaxChunk || size > length - offset || !inflate(data + offset, static_cast<uLong>(size))) {
            return false;
        }
        offset += size;
    }
    return true;
}

void ReadAds(CXmlNavigator& nav, std::vector<AdItem>& out)
{
    while (nav.FindElement(L"ad")) {
        out.push_back(AdItem{nav.GetAttribute(L"text"), nav.GetAttribute(L"url")});
    }
}

// Each element is looked for after the one found before it at the same level, so a
// ScrollAd before the StaticAd is never seen. Entering an element that FindElement
// just found, and leaving one that was entered, cannot fail.
void ReadConfigDocument(CXmlNavigator& nav)
{
    nav.ResetMainPosition();
    if (!nav.FindElement(L"config") || !nav.EnterElement()) {
        return;
    }
    if (nav.FindElement(L"StaticAd") && nav.EnterElement()) {
        ReadAds(nav, g_vecStaticAds);
        (void)nav.LeaveElement();
    }
    if (!nav.FindElement(L"ScrollAd") || !nav.EnterElement()) {
        return;
    }
    for (size_t slot = 0; nav.FindElement(L"item") && nav.EnterElement();) {
        ReadAds(nav, g_vecScrollAds[slot]);
        if (++slot == kScrollAdSlots) {
            break;
        }
        (void)nav.LeaveElement();
    }
    (void)nav.LeaveElement();
}

// True when the lists were read and the window is to be told.
bool LoadConfiguration()
{
    CHttpClient client;
    const std::string body = client.Get(ConfigAddress(), "");
    std::string text;
    if (!UnpackConfigData(reinterpret_cast<const unsigned char*>(body.data()), body.size(), text)) {
        return false;
    }
    CXmlNavigator nav;
    nav.ClearError();
    if (!nav.SetDocument(AnsiToWide(text))) {
        return false;
    }
    ReadConfigDocument(nav);
    return true;
}

} // namespace

unsigned CALLBACK ConfigThreadProc(void* mainWindow)
{
    try {
        if (LoadConfiguration()) {
            // The window may already be gone; the message is then simply lost.
            (void)::PostMessageW(static_cast<HWND>(mainWindow), WM_CONFIG_READY, 0, 0);
        }
    } catch (...) { // NOLINT(bugprone-empty-catch)
        // Out of memory: the slots keep their skin state, as for any other failure.
    }
    return 0;
}

bool UnpackConfigData(const unsigned char* data, size_t length, std::string& output)
{
    output.clear();
    // Growing one string chunk by chunk makes the heap move a multi-megabyte block
    // onto fresh pages again and again; the pieces are joined once at the end.
    std::vector<std::string> pieces;
    size_t total = 0;
    const bool valid = ForEachChunk(data, length, [&](const unsigned char* chunk, uLong size) {
        unsigned char inflated[kMaxChunk];
        uLongf used = sizeof(inflated);
        if (::uncompress(inflated, &used, chunk, size) != Z_OK) {
            return false;
        }
        pieces.emplace_back(reinterpret_cast<const char*>(inflated), used);
        total += used;
        return true;
    });
    if (!valid) {
        return false;
    }
    output.reserve(total);
    for (const auto& piece : pieces) {
        output += piece;
    }
    return true;
}

std::wstring AnsiToWide(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
        return {};
    }
    const int count = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, wide.data(), needed) != needed) {
        return {};
    }
    return wide.substr(0, wide.find(L'\0'));
}

std::wstring SetConfigSiteRoot(std::wstring root)
{
    return std::exchange(SiteRoot(), std::move(root));
}

std::string ConfigAddress()
{
    std::wstring root = SiteRoot();
    while (!root.empty() && root.back() == L'/') {
        root.pop_back();
    }
    std::string narrow;
    narrow.reserve(root.size());
    for (const wchar_t c : root) {
        // Site roots are plain ASCII addresses; anything else cannot reach WinINet's A calls.
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow + "/config.dat";
}
