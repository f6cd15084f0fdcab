#include "support/HttpClient.h"
#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kFailureText = L"发送请求失败，请检查网络";

class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.IsListening()); }

    [[nodiscard]] std::string LastRequest() const
    {
        const auto requests = m_server.Requests();
        return requests.empty() ? std::string() : requests.back().raw;
    }

    LoopbackHttpServer m_server;
    CHttpClient m_client;
};

TEST_F(HttpClientTest, SendsPathAndQueryAsWrittenAndReturnsBody)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "hello"));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/dir/config.dat?v=1&x=a%20b", ""), "hello");
    ASSERT_EQ(m_server.Requests().size(), 1u);
    EXPECT_EQ(m_server.Requests()[0].RequestLine(), "GET /dir/config.dat?v=1&x=a%20b HTTP/1.1");
    EXPECT_TRUE(m_client.GetError().empty());
}

TEST_F(HttpClientTest, SendsDefaultHeaderBlockWhenNoneIsGiven)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "x"));
    ASSERT_EQ(m_client.Get(m_server.Root() + "/a", ""), "x");
    const std::string raw = LastRequest();
    EXPECT_NE(raw.find("\r\nReferer: 127.0.0.1\r\n"
                       "Content-Type: application/x-www-form-urlencoded\r\n"
                       "Accept: */*\r\n"
                       "Connection: Keep-Alive\r\n"),
        std::string::npos)
        << raw;
    EXPECT_NE(raw.find("\r\nUser-Agent: Http-connect\r\n"), std::string::npos) << raw;
    ASSERT_GE(raw.size(), 4u);
    EXPECT_EQ(raw.substr(raw.size() - 4), "\r\n\r\n");
    EXPECT_EQ(raw.find("\r\n\r\n"), raw.size() - 4) << "exactly one blank line, at the end";
}

TEST_F(HttpClientTest, SendsCallerHeaderBlockUnchanged)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "x"));
    ASSERT_EQ(m_client.Get(m_server.Root() + "/a", "X-First: 1\r\nX-Second: two words\r\n\r\n"), "x");
    const std::string raw = LastRequest();
    EXPECT_NE(raw.find("\r\nX-First: 1\r\nX-Second: two words\r\n"), std::string::npos) << raw;
    EXPECT_EQ(raw.find("Referer:"), std::string::npos) << raw;
    EXPECT_EQ(raw.find("Content-Type:"), std::string::npos) << raw;
}

TEST_F(HttpClientTest, UrlWithoutPathKeepsThePreviousPath)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "x"));
    ASSERT_EQ(m_client.Get(m_server.Root() + "/kept?q=1", ""), "x");
    ASSERT_EQ(m_client.Get(m_server.Root(), ""), "x");
    ASSERT_EQ(m_server.Requests().size(), 2u);
    EXPECT_EQ(m_server.Requests()[1].Path(), "/kept?q=1");
}

TEST_F(HttpClientTest, ReadsLargeBinaryBodyExactly)
{
    std::string body(100000, '\0');
    for (size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>((i * 131) % 251);
    }
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", body));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/big", ""), body);
}

TEST_F(HttpClientTest, ConnectionDroppedPartWayReturnsBytesReadSoFar)
{
    const std::string sent(3000, 'p');
    m_server.SetResponse("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\nConnection: close\r\n\r\n" + sent);
    EXPECT_EQ(m_client.Get(m_server.Root() + "/cut", ""), sent);
    EXPECT_TRUE(m_client.GetError().empty());
}

TEST_F(HttpClientTest, HeaderBlockOverTheBufferFails)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "body", "X-Pad: " + std::string(1100, 'a') + "\r\n"));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/a", ""), "");
    EXPECT_EQ(m_client.GetError(), kFailureText);
}

TEST_F(HttpClientTest, EmptyUrlFailsWithoutTouchingErrorText)
{
    EXPECT_EQ(m_client.Get("", ""), "");
    EXPECT_TRUE(m_client.GetError().empty());
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(HttpClientTest, RefusedConnectionFails)
{
    unsigned short closedPort = 0;
    {
        LoopbackHttpServer gone;
        closedPort = gone.Port();
    }
    EXPECT_EQ(m_client.Get("http://127.0.0.1:" + std::to_string(closedPort) + "/a", ""), "");
    EXPECT_EQ(m_client.GetError(), kFailureText);
}

TEST_F(HttpClientTest, PortOutOfRangeFailsWithoutConnecting)
{
    EXPECT_EQ(m_client.Get("http://127.0.0.1:70000/a", ""), "");
    EXPECT_EQ(m_client.GetError(), kFailureText);
    EXPECT_EQ(m_client.Get("http://127.0.0.1:8o/a", ""), "");
    EXPECT_TRUE(m_server.Requests().empty());
}

TEST_F(HttpClientTest, HttpsSpeaksTlsOnTheGivenPort)
{
    const std::string url = "https://127.0.0.1:" + std::to_string(m_server.Port()) + "/config.dat";
    EXPECT_EQ(m_client.Get(url, ""), "");
    EXPECT_EQ(m_client.GetError(), kFailureText);
    const auto requests = m_server.Requests();
    ASSERT_FALSE(requests.empty()) << "the client must connect to the explicit port";
    ASSERT_FALSE(requests[0].raw.empty());
    EXPECT_EQ(static_cast<unsigned char>(requests[0].raw[0]), 0x16) << "a TLS handshake record, not plain HTTP";
}

TEST_F(HttpClientTest, FailureTextStaysAfterALaterSuccess)
{
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("404 Not Found", "gone"));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/a", ""), "");
    m_server.SetResponse(LoopbackHttpServer::MakeResponse("200 OK", "back"));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/a", ""), "back");
    EXPECT_EQ(m_client.GetError(), kFailureText);
}

struct HeaderCase {
    const char* name;
    const char* status;
    const char* extraHeaders;
    bool accepted;
};

class HttpClientHeaders : public HttpClientTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HttpClientHeaders, Any404InTheHeaderTextFailsTheRequest)
{
    const HeaderCase& c = GetParam();
    m_server.SetResponse(LoopbackHttpServer::MakeResponse(c.status, "payload", c.extraHeaders));
    EXPECT_EQ(m_client.Get(m_server.Root() + "/a", ""), c.accepted ? "payload" : "");
    EXPECT_EQ(m_client.GetError(), c.accepted ? L"" : kFailureText);
}

INSTANTIATE_TEST_SUITE_P(StatusAndHeaders, HttpClientHeaders,
    ::testing::Values(HeaderCase{"Ok", "200 OK", "", true},
        HeaderCase{"ServerErrorBodyStillReturned", "500 Internal Server Error", "", true},
        HeaderCase{"NotFoundStatus", "404 Not Found", "", false},
        HeaderCase{"NotFoundInOtherHeader", "200 OK", "X-Trace: a404b\r\n", false},
        HeaderCase{"NotFoundInReasonOnly", "200 Found 404 times", "", false},
        HeaderCase{"Four0Four", "200 OK", "X-Code: 40 4\r\n", true}),
    [](const ::testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

} // namespace
