// Loads from servers that stall or crawl: the stall limit counts silence, not duration.
#include <gmock/gmock.h>

#include "EngineFixture.h"
#include "LoopbackHttpServer.h"
#include "engine/browser/EngineContext.h"

namespace enginetest {
namespace {

using ::testing::ElementsAre;
using Delivery = LoopbackHttpServer::Delivery;

class SlowServer : public EngineFixture {
protected:
    void ShortenStallLimit(DWORD limitMs) { engine::EngineContext::Current()->SetStallLimitMs(limitMs); }
};

class StalledLoad : public SlowServer, public ::testing::WithParamInterface<Delivery> {};

TEST_P(StalledLoad, FailsOnceWithTimedOutAndReportsNothingLater)
{
    ShortenStallLimit(300);
    const std::wstring later = m_files.Write(L"later.htm", "<title>Later</title>");
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    std::wstring url;
    {
        LoopbackHttpServer server;
        server.Serve("/stall", {200, "text/html", "", std::string(4096, 'x'), GetParam()});
        url = server.Url("/stall");
        LoadAndWait(browser, url);
    }
    // With the server gone the abandoned fetch wakes up with an error of its own, which
    // must go nowhere.
    LoadAndWait(browser, later);
    Settle();
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"error:-7:" + url, L"state:0",
                                      L"state:1", L"start", L"title:Later", L"end:200", L"state:0"));
}

INSTANTIATE_TEST_SUITE_P(Server, StalledLoad, ::testing::Values(Delivery::NeverAnswer, Delivery::StallMidBody),
    [](const ::testing::TestParamInfo<Delivery>& info) {
        return info.param == Delivery::NeverAnswer ? "NeverAnswers" : "StallsMidBody";
    });

TEST_F(SlowServer, BodyThatKeepsComingOutlastsTheLimit)
{
    // The pieces take longer than the limit in all, but no pause between them comes near it.
    static_assert(LoopbackHttpServer::kTricklePieces * LoopbackHttpServer::kTricklePauseMs > 1500);
    ShortenStallLimit(1500);
    LoopbackHttpServer server;
    server.Serve("/slow", {200, "text/html", "", "<title>Slow</title>" + std::string(4000, 'x'), Delivery::Trickle});
    CefRefPtr<CefBrowser> browser = CreateChild(L"");
    LoadAndWait(browser, server.Url("/slow"));
    EXPECT_THAT(m_client->events, ElementsAre(L"created", L"state:1", L"start", L"title:Slow", L"end:200",
                                      L"state:0"));
}

} // namespace
} // namespace enginetest
