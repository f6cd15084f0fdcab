#include "support/HttpClient.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kFailed = L"发送请求失败，请检查网络";

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.IsListening()); }

    std::string Serve(const std::string& response, const std::string& path, const std::string& headers = {})
    {
        m_server.SetResponse(response);
        return m_client.Get(m_server.Root() + path, headers);
    }
    [[nodiscard]] std::string Received(size_t i) const { return m_server.Requests().at(i).raw; }

    LoopbackHttpServer m_server;
    CHttpClient m_client;
};

TEST_F(HttpClientTest, SendsPathQueryAndDefaultHeaderBlock)
{
    std::string body(5000, '\0'); // binary, over several read blocks
    for (size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>(i * 131 % 251);
    }
    EXPECT_EQ(Serve(LoopbackHttpServer::MakeResponse("200 OK", body), "/d/config.dat?v=1&x=a%20b"), body);
    ASSERT_EQ(m_server.Requests().size(), 1u);
    EXPECT_EQ(m_server.Requests()[0].RequestLine(), "GET /d/config.dat?v=1&x=a%20b HTTP/1.1");
    const std::string raw = Received(0);
    EXPECT_NE(raw.find("\r\nReferer: 127.0.0.1\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                       "Accept: */*\r\nConnection: Keep-Alive\r\n"), std::string::npos) << raw;
    EXPECT_NE(raw.find("\r\nUser-Agent: Http-connect\r\n"), std::string::npos) << raw;
    EXPECT_EQ(raw.find("\r\n\r\n"), raw.size() - 4) << "one blank line, at the end";
    EXPECT_EQ(m_client.GetError(), L"");
}

TEST_F(HttpClientTest, SendsCallerHeadersUnchangedAndKeepsPathWhenUrlHasNone)
{
    const std::string ok = LoopbackHttpServer::MakeResponse("200 OK", "x");
    ASSERT_EQ(Serve(ok, "/kept?q=1", "X-First: 1\r\nX-Second: two words\r\n\r\n"), "x");
    EXPECT_NE(Received(0).find("\r\nX-First: 1\r\nX-Second: two words\r\n"), std::string::npos);
    EXPECT_EQ(Received(0).find("Referer:"), std::string::npos);
    ASSERT_EQ(Serve(ok, ""), "x");
    EXPECT_EQ(m_server.Requests().at(1).Path(), "/kept?q=1");
}

TEST_F(HttpClientTest, ConnectionDroppedPartWayReturnsBytesReadSoFar)
{
    const std::string sent(3000, 'p');
    EXPECT_EQ(Serve("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\nConnection: close\r\n\r\n" + sent, "/cut"), sent);
    EXPECT_EQ(m_client.GetError(), L"");
}

TEST_F(HttpClientTest, FailsBeforeAnyResponse)
{
    EXPECT_EQ(m_client.Get("", ""), "");
    EXPECT_EQ(m_client.GetError(), L"") << "an empty URL leaves the error text alone";
    EXPECT_EQ(m_client.Get("http://127.0.0.1:70000/a", ""), "");
    EXPECT_EQ(m_client.GetError(), kFailed);
    unsigned short closedPort = 0;
    {
        const LoopbackHttpServer gone;
        closedPort = gone.Port();
    }
    CHttpClient fresh;
    EXPECT_EQ(fresh.Get("http://127.0.0.1:" + std::to_string(closedPort) + "/a", ""), "");
    EXPECT_EQ(fresh.GetError(), kFailed);
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(HttpClientTest, HttpsSpeaksTlsOnTheGivenPort)
{
    EXPECT_EQ(m_client.Get("https://127.0.0.1:" + std::to_string(m_server.Port()) + "/config.dat", ""), "");
    EXPECT_EQ(m_client.GetError(), kFailed);
    ASSERT_FALSE(m_server.Requests().empty());
    ASSERT_FALSE(Received(0).empty());
    EXPECT_EQ(static_cast<unsigned char>(Received(0)[0]), 0x16) << "a TLS handshake record, not plain HTTP";
}

struct HeaderCase {
    const char* name;
    const char* status;
    std::string extraHeaders;
    bool accepted;
};

class HttpClientHeaders : public HttpClientTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HttpClientHeaders, FailOnAny404OrAnOversizedBlock)
{
    const HeaderCase& c = GetParam();
    EXPECT_EQ(Serve(LoopbackHttpServer::MakeResponse(c.status, "body", c.extraHeaders), "/a"), c.accepted ? "body" : "");
    EXPECT_EQ(m_client.GetError(), c.accepted ? L"" : kFailed);
}

INSTANTIATE_TEST_SUITE_P(Responses, HttpClientHeaders, ::testing::Values(
    HeaderCase{"Ok", "200 OK", "", true},
    HeaderCase{"ServerErrorStillReturnsBody", "500 Internal Server Error", "", true},
    HeaderCase{"SplitDigits", "200 OK", "X-Code: 40 4\r\n", true},
    HeaderCase{"NotFound", "404 Not Found", "", false},
    HeaderCase{"InAnotherHeader", "200 OK", "X-Trace: a404b\r\n", false},
    HeaderCase{"InTheReason", "200 Found 404 times", "", false},
    HeaderCase{"BlockOver1024Bytes", "200 OK", "X-Pad: " + std::string(1024, 'a') + "\r\n", false}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

} // namespace
