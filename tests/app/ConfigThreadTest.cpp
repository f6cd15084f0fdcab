#include "app/AppMessages.h"
#include "app/RemoteConfig.h"
#include "app/SiteRoot.h"
#include "common/Handles.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <process.h>

#include <fstream>
#include <iterator>

// At global scope so that argument-dependent lookup finds them for AdItem.
static void PrintTo(const AdItem& item, std::ostream* os)
{
    *os << "{" << ::testing::PrintToString(item.text) << ", " << ::testing::PrintToString(item.url) << "}";
}
static bool operator==(const AdItem& a, const AdItem& b)
{
    return a.text == b.text && a.url == b.url;
}

namespace {

using Ads = std::vector<AdItem>;

// A hidden message-only window that counts the WM_CONFIG_READY messages it receives.
class ReadyWindow final {
public:
    ReadyWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ReadyWindow::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZvConfigReadyTestWindow";
        (void)::RegisterClassW(&wc); // fails harmlessly when an earlier test registered it
        m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    }
    ~ReadyWindow() noexcept { (void)::DestroyWindow(m_hwnd); }
    ReadyWindow(const ReadyWindow&) = delete;
    ReadyWindow& operator=(const ReadyWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return m_hwnd; }
    // WM_CONFIG_READY messages delivered so far, each with wParam and lParam 0; -1 otherwise.
    [[nodiscard]] int DrainAndCount()
    {
        MSG msg;
        while (::PeekMessageW(&msg, m_hwnd, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
        return m_badParams ? -1 : m_ready;
    }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ReadyWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_CONFIG_READY && self != nullptr) {
            ++self->m_ready;
            self->m_badParams = self->m_badParams || wParam != 0 || lParam != 0;
            return 0;
        }
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    int m_ready = 0;
    bool m_badParams = false;
};

class ConfigThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsListening());
        ASSERT_NE(m_window.Handle(), nullptr);
        g_vecStaticAds.clear(); // the lists are process-wide; every test starts from empty ones
        for (auto& list : g_vecScrollAds) {
            list.clear();
        }
        const std::string root = m_server.Root();
        m_previousRoot = SetSiteRoot(std::wstring(root.begin(), root.end()));
    }
    void TearDown() override { (void)SetSiteRoot(m_previousRoot); }

    // Serves `response`, runs the real thread procedure to its end and returns how
    // many WM_CONFIG_READY messages arrived.
    int RunWith(const std::string& response)
    {
        m_server.SetResponse(response);
        const UniqueKernelHandle thread(reinterpret_cast<HANDLE>(
            ::_beginthreadex(nullptr, 0, &ConfigThreadProc, m_window.Handle(), 0, nullptr)));
        EXPECT_TRUE(thread);
        EXPECT_EQ(::WaitForSingleObject(thread.get(), 30000), WAIT_OBJECT_0); // generous bound, loopback only
        return m_window.DrainAndCount();
    }

    LoopbackHttpServer m_server;
    ReadyWindow m_window;
    std::wstring m_previousRoot;
};

std::string Ok(const std::string& body) { return LoopbackHttpServer::MakeResponse("200 OK", body); }

TEST_F(ConfigThreadTest, DownloadsConfigDatAndPostsOnce)
{
    EXPECT_EQ(RunWith(Ok(PackConfigDocument("<config/>"))), 1);
    ASSERT_EQ(m_server.Requests().size(), 1u);
    EXPECT_EQ(m_server.Requests()[0].RequestLine(), "GET /config.dat HTTP/1.1");
    EXPECT_NE(m_server.Requests()[0].raw.find("\r\nReferer: 127.0.0.1\r\n"), std::string::npos);
}

struct Document {
    const char* name;
    std::string xml;
    Ads staticAds;
    std::array<Ads, kScrollAdSlots> scrollAds;
};

class ConfigDocuments : public ConfigThreadTest, public ::testing::WithParamInterface<Document> {};

TEST_P(ConfigDocuments, FillTheListsThenPost)
{
    const Document& doc = GetParam();
    EXPECT_EQ(RunWith(Ok(PackConfigDocument(doc.xml, 23))), 1);
    EXPECT_EQ(g_vecStaticAds, doc.staticAds);
    EXPECT_EQ(g_vecScrollAds, doc.scrollAds);
}

std::string ReadDemoConfig()
{
    std::ifstream in(ZV_DEMO_CONFIG_XML, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::string kEightAds = "<ad text='1' url='u1'/><other/><ad text='2'/><ad url='u3'/><ad text='4' url='u4'/>"
                              "<ad text='5'/><ad text='6'/><ad text='7'/><ad text='8' url='u8'/>";

INSTANTIATE_TEST_SUITE_P(Reader, ConfigDocuments, ::testing::Values(
    Document{"EightStaticAdsAndFourItems",
        "<?xml version='1.0'?>\r\n<config><!-- ads --><StaticAd>" + kEightAds + "</StaticAd>\r\n<ScrollAd>"
        "<item><ad text='a' url='ua'/></item><item><ad text='b'/></item><item><ad text='c'/><ad text='d'/></item>"
        "<item><ad text='e'/></item></ScrollAd></config>",
        {{L"1", L"u1"}, {L"2", L""}, {L"", L"u3"}, {L"4", L"u4"}, {L"5", L""}, {L"6", L""}, {L"7", L""}, {L"8", L"u8"}},
        {Ads{{L"a", L"ua"}}, Ads{{L"b", L""}}, Ads{{L"c", L""}, {L"d", L""}}}},
    Document{"EmptyItemKeepsItsSlot",
        "<config><ScrollAd><item></item><item><ad text='x' url='1'/><ad text='y' url='2'/></item></ScrollAd></config>",
        {}, {Ads{}, Ads{{L"x", L"1"}, {L"y", L"2"}}, Ads{}}},
    Document{"ScrollAdBeforeStaticAdIsMissed",
        "<config><ScrollAd><item><ad text='lost'/></item></ScrollAd><StaticAd><ad text='kept'/></StaticAd></config>",
        {{L"kept", L""}}, {}},
    Document{"NoConfigRoot", "<settings><StaticAd><ad text='x'/></StaticAd></settings>", {}, {}},
    Document{"EntitiesDecoded",
        "<config><StaticAd><ad text='Tom &amp; Jerry &#34;live&#x22; &lt;now&gt;' url='/?a=1&amp;b=2'/></StaticAd></config>",
        {{L"Tom & Jerry \"live\" <now>", L"/?a=1&b=2"}}, {}},
    Document{"DemoSite", ReadDemoConfig(),
        {{L"中超揭幕战今晚开踢", L"/match/1.html"}, {L"下载本周赛程表", L"/files/schedule.zip"}},
        {Ads{{L"欧冠直播 高清无插件", L"/live"}, {L"英超 伦敦 2:2 曼彻斯特", L"/match/2.html"}},
         Ads{{L"NBA 波士顿 98:95 迈阿密", L"/match/3.html"}},
         Ads{{L"本周赛程表下载", L"/files/schedule.zip"}, {L"CBA 广东 vs 辽宁 明晚开打", L"/live"}}}}),
    [](const ::testing::TestParamInfo<Document>& info) { return std::string(info.param.name); });

std::string DamagedSecondChunk()
{
    std::string bad = CompressChunk("<ad text='b'/></StaticAd></config>");
    bad[3] = static_cast<char>(bad[3] ^ 0x40);
    return MakeConfigChunk(CompressChunk("<config><StaticAd><ad text='a'/>")) + MakeConfigChunk(bad);
}

struct Failure {
    const char* name;
    std::string response;
};

class ConfigFailures : public ConfigThreadTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(ConfigFailures, PostNothingAndLeaveTheListsEmpty)
{
    EXPECT_EQ(RunWith(GetParam().response), 0);
    EXPECT_EQ(m_server.Requests().size(), 1u);
    EXPECT_TRUE(g_vecStaticAds.empty());
    EXPECT_EQ(g_vecScrollAds, (std::array<Ads, kScrollAdSlots>{}));
}

INSTANTIATE_TEST_SUITE_P(Reader, ConfigFailures, ::testing::Values(
    Failure{"NotFound", LoopbackHttpServer::MakeResponse("404 Not Found", PackConfigDocument("<config/>"))},
    Failure{"EmptyBody", Ok("")},
    Failure{"DamagedChunk", Ok(DamagedSecondChunk())},
    Failure{"OversizeLength", Ok(std::string("\x01\x28\x00\x00", 4) + std::string(10241, 'z'))},
    Failure{"NegativeLength", Ok(std::string("\xff\xff\xff\xff", 4) + std::string(64, 'z'))},
    Failure{"NotWellFormed", Ok(PackConfigDocument("<config><StaticAd><ad text='x'/></config>"))},
    Failure{"RootWithSibling", Ok(PackConfigDocument("<config/><config/>"))}),
    [](const ::testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST_F(ConfigThreadTest, UnreachableServerPostsNothing)
{
    unsigned short closedPort = 0;
    {
        const LoopbackHttpServer gone;
        closedPort = gone.Port();
    }
    (void)SetSiteRoot(L"http://127.0.0.1:" + std::to_wstring(closedPort));
    EXPECT_EQ(RunWith(Ok("")), 0);
    EXPECT_TRUE(g_vecStaticAds.empty());
}

} // namespace
