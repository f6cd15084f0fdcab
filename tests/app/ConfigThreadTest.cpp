#include "app/AppMessages.h"
#include "app/RemoteConfig.h"
#include "common/Handles.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tools/ConfigPacker.h"

#include <gtest/gtest.h>

#include <process.h>

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

constexpr DWORD kThreadTimeoutMs = 30000; // generous: the thread only talks to loopback

using Ads = std::vector<AdItem>;

// A hidden message-only window that counts the WM_CONFIG_READY messages it receives.
class ReadyWindow final {
public:
    ReadyWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &ReadyWindow::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        (void)::RegisterClassW(&wc); // already registered by an earlier test is fine
        m_hwnd = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
            wc.hInstance, this);
    }
    ~ReadyWindow() noexcept
    {
        if (m_hwnd != nullptr) {
            ::DestroyWindow(m_hwnd);
        }
    }
    ReadyWindow(const ReadyWindow&) = delete;
    ReadyWindow& operator=(const ReadyWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return m_hwnd; }
    [[nodiscard]] int ReadyCount() const noexcept { return m_ready; }
    [[nodiscard]] bool ParamsWereZero() const noexcept { return m_paramsZero; }

    void DrainQueue()
    {
        MSG msg;
        while (::PeekMessageW(&msg, m_hwnd, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
    }

private:
    static constexpr wchar_t kClassName[] = L"ZvConfigReadyTestWindow";

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
    {
        if (msg == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<ReadyWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_CONFIG_READY && self != nullptr) {
            ++self->m_ready;
            self->m_paramsZero = self->m_paramsZero && wParam == 0 && lParam == 0;
            return 0;
        }
        if (msg == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
    int m_ready = 0;
    bool m_paramsZero = true;
};

class ConfigThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.IsListening());
        ASSERT_NE(m_window.Handle(), nullptr);
        g_vecStaticAds.clear();
        for (auto& list : g_vecScrollAds) {
            list.clear();
        }
        const std::string root = m_server.Root();
        m_previousRoot = SetConfigSiteRoot(std::wstring(root.begin(), root.end()));
        m_rootReplaced = true;
    }
    void TearDown() override
    {
        if (m_rootReplaced) {
            (void)SetConfigSiteRoot(m_previousRoot);
        }
    }

    void Serve(const std::string& body) { m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", body)); }
    void ServeXml(const std::string& xml) { Serve(PackConfigDocument(xml)); }

    // Runs the real thread procedure to its end, then delivers what it posted.
    void RunConfigThread()
    {
        UniqueKernelHandle thread(reinterpret_cast<HANDLE>(
            ::_beginthreadex(nullptr, 0, &ConfigThreadProc, m_window.Handle(), 0, nullptr)));
        ASSERT_TRUE(thread);
        ASSERT_EQ(::WaitForSingleObject(thread.get(), kThreadTimeoutMs), WAIT_OBJECT_0);
        m_window.DrainQueue();
    }

    void ExpectNothingPosted()
    {
        EXPECT_EQ(m_window.ReadyCount(), 0);
        EXPECT_TRUE(g_vecStaticAds.empty());
        for (const auto& list : g_vecScrollAds) {
            EXPECT_TRUE(list.empty());
        }
    }

    LoopbackHttpServer m_server;
    ReadyWindow m_window;
    std::wstring m_previousRoot;
    bool m_rootReplaced = false;
};

TEST_F(ConfigThreadTest, FetchesConfigDatWithDefaultHeaders)
{
    ServeXml("<config/>");
    RunConfigThread();
    ASSERT_EQ(m_server.Requests().size(), 1u);
    EXPECT_EQ(m_server.Requests()[0].RequestLine(), "GET /config.dat HTTP/1.1");
    EXPECT_NE(m_server.Requests()[0].raw.find("\r\nReferer: 127.0.0.1\r\n"), std::string::npos);
    EXPECT_EQ(m_window.ReadyCount(), 1);
    EXPECT_TRUE(m_window.ParamsWereZero());
}

TEST_F(ConfigThreadTest, ReadsStaticAndScrollAdsInDocumentOrder)
{
    ServeXml("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<config>\r\n <!-- ads -->\r\n"
             " <StaticAd><ad text='s1' url='http://a/1'/><other/><ad text='s2'/><ad url='u3'/>"
             "<ad text='s4' url='u4'/><ad text='s5' url='u5'/><ad text='s6' url='u6'/>"
             "<ad text='s7' url='u7'/><ad text='s8' url='u8'/></StaticAd>\r\n"
             " <ScrollAd><item><ad text='a' url='ua'/></item><item><ad text='b' url='ub'/></item>"
             "<item><ad text='c' url='uc'/><ad text='d' url='ud'/></item><item><ad text='e' url='ue'/></item>"
             "</ScrollAd>\r\n</config>\r\n");
    RunConfigThread();
    ASSERT_EQ(m_window.ReadyCount(), 1);
    ASSERT_EQ(g_vecStaticAds.size(), 8u) << "all eight are stored; the window shows six";
    EXPECT_EQ(g_vecStaticAds[0], (AdItem{L"s1", L"http://a/1"}));
    EXPECT_EQ(g_vecStaticAds[1], (AdItem{L"s2", L""}));
    EXPECT_EQ(g_vecStaticAds[2], (AdItem{L"", L"u3"}));
    EXPECT_EQ(g_vecStaticAds[7], (AdItem{L"s8", L"u8"}));
    EXPECT_EQ(g_vecScrollAds[0], (Ads{{L"a", L"ua"}}));
    EXPECT_EQ(g_vecScrollAds[1], (Ads{{L"b", L"ub"}}));
    EXPECT_EQ(g_vecScrollAds[2], (Ads{{L"c", L"uc"}, {L"d", L"ud"}})) << "the fourth item is ignored";
}

TEST_F(ConfigThreadTest, EmptyItemStillTakesItsSlot)
{
    ServeXml("<config><ScrollAd><item></item><item><ad text='x' url='1'/><ad text='y' url='2'/></item>"
             "</ScrollAd></config>");
    RunConfigThread();
    ASSERT_EQ(m_window.ReadyCount(), 1);
    EXPECT_TRUE(g_vecStaticAds.empty());
    EXPECT_TRUE(g_vecScrollAds[0].empty());
    EXPECT_EQ(g_vecScrollAds[1], (Ads{{L"x", L"1"}, {L"y", L"2"}}));
    EXPECT_TRUE(g_vecScrollAds[2].empty());
}

TEST_F(ConfigThreadTest, ScrollAdBeforeStaticAdIsNotRead)
{
    ServeXml("<config><ScrollAd><item><ad text='lost'/></item></ScrollAd>"
             "<StaticAd><ad text='kept' url='k'/></StaticAd></config>");
    RunConfigThread();
    ASSERT_EQ(m_window.ReadyCount(), 1);
    EXPECT_EQ(g_vecStaticAds, (Ads{{L"kept", L"k"}}));
    EXPECT_TRUE(g_vecScrollAds[0].empty());
}

TEST_F(ConfigThreadTest, DocumentWithoutConfigRootStillPosts)
{
    ServeXml("<settings><StaticAd><ad text='x'/></StaticAd></settings>");
    RunConfigThread();
    EXPECT_EQ(m_window.ReadyCount(), 1);
    EXPECT_TRUE(g_vecStaticAds.empty());
    EXPECT_TRUE(g_vecScrollAds[0].empty());
}

TEST_F(ConfigThreadTest, AttributeValuesArriveDecoded)
{
    ServeXml("<config><StaticAd><ad text='Tom &amp; Jerry &#34;live&#x22; &lt;now&gt;' "
             "url='http://x/?a=1&amp;b=2'/></StaticAd></config>");
    RunConfigThread();
    ASSERT_EQ(m_window.ReadyCount(), 1);
    EXPECT_EQ(g_vecStaticAds, (Ads{{L"Tom & Jerry \"live\" <now>", L"http://x/?a=1&b=2"}}));
}

TEST_F(ConfigThreadTest, DocumentSpreadOverManySmallChunks)
{
    std::string xml = "<config><StaticAd>";
    for (int i = 0; i < 50; ++i) {
        xml += "<ad text='t" + std::to_string(i) + "' url='u'/>";
    }
    xml += "</StaticAd></config>";
    Serve(PackConfigDocument(xml, 13));
    RunConfigThread();
    ASSERT_EQ(m_window.ReadyCount(), 1);
    ASSERT_EQ(g_vecStaticAds.size(), 50u);
    EXPECT_EQ(g_vecStaticAds[49].text, L"t49");
}

struct FailureCase {
    const char* name;
    std::string response; // raw HTTP response
};

std::string Ok(const std::string& body)
{
    return LoopbackHttpServer::MakeResponse("200 OK", body);
}

std::string DamagedSecondChunk()
{
    std::string bad = CompressChunk("<ad text='b'/></StaticAd></config>");
    bad[3] = static_cast<char>(bad[3] ^ 0x40);
    return MakeConfigChunk(CompressChunk("<config><StaticAd><ad text='a'/>")) + MakeConfigChunk(bad)
        + std::string(4, '\0');
}

class ConfigThreadFailure : public ConfigThreadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ConfigThreadFailure, PostsNothingAndLeavesTheListsEmpty)
{
    m_server.SetResponse(GetParam().response);
    RunConfigThread();
    EXPECT_EQ(m_server.Requests().size(), 1u);
    ExpectNothingPosted();
}

INSTANTIATE_TEST_SUITE_P(Cases, ConfigThreadFailure,
    ::testing::Values(
        FailureCase{"NotFound", LoopbackHttpServer::MakeResponse("404 Not Found",
                                    PackConfigDocument("<config><StaticAd><ad text='x'/></StaticAd></config>"))},
        FailureCase{"EmptyBody", Ok("")},
        FailureCase{"DamagedChunk", DamagedSecondChunk()},
        FailureCase{"OversizeLength", Ok(std::string("\x01\x28\x00\x00", 4) + std::string(10241, 'z'))},
        FailureCase{"NegativeLength", Ok(std::string("\xff\xff\xff\xff", 4) + std::string(64, 'z'))},
        FailureCase{"NotWellFormed", Ok(PackConfigDocument("<config><StaticAd><ad text='x'/></config>"))},
        FailureCase{"RootWithSibling", Ok(PackConfigDocument("<config/><config/>"))},
        FailureCase{"OnlyText", Ok(PackConfigDocument("no markup here"))}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(ConfigThreadTest, UnreachableServerPostsNothing)
{
    unsigned short closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.Port();
    }
    (void)SetConfigSiteRoot(L"http://127.0.0.1:" + std::to_wstring(closedPort));
    RunConfigThread();
    ExpectNothingPosted();
}

} // namespace
