#include "app/RemoteConfig.h"

#include "app/Adler32.h"
#include "app/AppMessages.h"
#include "app/SiteRoot.h"
#include "common/Win32.h"
#include "support/HttpClient.h"
#include "support/XmlNavigator.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdint>

std::vector<AdItem> g_vecStaticAds;
std::array<std::vector<AdItem>, kScrollAdSlots> g_vecScrollAds;

namespace {

constexpr size_t kMaxChunk = 10240; // both compressed and inflated
// A configuration is a few kilobytes. Room for the text is made up front from the chunk
// count; this cap keeps a body of many tiny chunks from reserving gigabytes (such a
// text simply grows as it is written).
constexpr size_t kMaxReserve = 64u << 20;

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
// `visit` fails on a chunk.
template <typename Visit>
bool ForEachChunk(const unsigned char* data, size_t length, Visit&& visit)
{
    size_t offset = 0;
    while (length - offset >= 4) {
        const int32_t chunk = ReadLength(data + offset);
        offset += 4;
        if (chunk == 0 || offset == length) {
            break;
        }
        const auto size = static_cast<size_t>(chunk);
        if (chunk < 0 || size > kMaxChunk || size > length - offset || !visit(data + offset, static_cast<uLong>(size))) {
            return false;
        }
        offset += size;
    }
    return true;
}

// One zlib inflate state for a whole body. Each chunk is a complete stream of its own,
// so resetting the state between chunks gives what a fresh `uncompress` would, without
// allocating and freeing a state and its window for every chunk. Each stream's check
// value is compared here, with a checksum faster than zlib's.
class ChunkInflater final {
public:
    ChunkInflater() noexcept
    {
        m_ready = ::inflateInit(&m_stream) == Z_OK && ::inflateValidate(&m_stream, 0) == Z_OK;
    }
    ~ChunkInflater() noexcept
    {
        if (m_ready) {
            (void)::inflateEnd(&m_stream); // only reports a state that was never set up
        }
    }
    ChunkInflater(const ChunkInflater&) = delete;
    ChunkInflater& operator=(const ChunkInflater&) = delete;

    // Inflates one chunk straight onto the end of `output`. False, with `output` in an
    // unspecified state, unless the chunk is one complete zlib stream of at most
    // kMaxChunk bytes inflated; bytes after the end of the stream are ignored, as
    // `uncompress` ignores them.
    [[nodiscard]] bool AppendTo(const unsigned char* chunk, uLong size, std::string& output)
    {
        if (!m_ready || ::inflateReset(&m_stream) != Z_OK) {
            return false;
        }
        const size_t used = output.size();
        output.resize(used + kMaxChunk);
        m_stream.next_in = const_cast<Bytef*>(chunk); // zlib's input is not const, it only reads it
        m_stream.avail_in = static_cast<uInt>(size);
        m_stream.next_out = reinterpret_cast<Bytef*>(&output[used]);
        m_stream.avail_out = static_cast<uInt>(kMaxChunk);
        const int result = ::inflate(&m_stream, Z_FINISH);
        output.resize(used + kMaxChunk - m_stream.avail_out);
        return result == Z_STREAM_END && CheckValueMatches(reinterpret_cast<const unsigned char*>(&output[used]));
    }

private:
    // At the end of a stream zlib has read its check value, the last four bytes before
    // `next_in`: the Adler-32 of the `total_out` bytes inflated, most significant first.
    [[nodiscard]] bool CheckValueMatches(const unsigned char* inflated) const noexcept
    {
        const unsigned char* check = m_stream.next_in - 4;
        const std::uint32_t expected = (static_cast<std::uint32_t>(check[0]) << 24)
            | (static_cast<std::uint32_t>(check[1]) << 16) | (static_cast<std::uint32_t>(check[2]) << 8) | check[3];
        return Adler32(1, inflated, m_stream.total_out) == expected;
    }

    z_stream m_stream{};
    bool m_ready = false;
};

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
    // Pass 1: check every length and count the chunks, so that the text never moves as
    // it grows: each chunk inflates to at most kMaxChunk bytes.
    size_t chunks = 0;
    const bool valid = ForEachChunk(data, length, [&chunks](const unsigned char*, uLong) {
        ++chunks;
        return true;
    });
    if (!valid) {
        return false;
    }
    output.reserve(std::min(chunks, kMaxReserve / kMaxChunk) * kMaxChunk);
    // Pass 2: inflate.
    ChunkInflater inflater;
    if (!ForEachChunk(data, length, [&](const unsigned char* chunk, uLong size) {
            return inflater.AppendTo(chunk, size, output);
        })) {
        output.clear();
        return false;
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

std::string ConfigAddress()
{
    const std::wstring& root = GetSiteRoot();
    std::string narrow;
    narrow.reserve(root.size());
    for (const wchar_t c : root) {
        // Site roots are plain ASCII addresses; anything else cannot reach WinINet's A calls.
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return narrow + "/config.dat";
}
