// Payload encoding and pipe framing between the browser process and renderers.
#include <gmock/gmock.h>

#include <atomic>
#include <thread>

#include "engine/ipc/PayloadReader.h"
#include "engine/ipc/PayloadWriter.h"
#include "engine/ipc/PipeEnd.h"
#include "engine/ipc/RendererHost.h"

namespace engine {
namespace {

TEST(Payload, RoundTripsEveryKindOfValue)
{
    CefRefPtr<ListValue> list = new ListValue();
    list->SetBool(0, true);
    list->SetInt(1, -42);
    list->SetDouble(2, 2.5);
    list->SetString(3, L"\x4E2D\x6587 text");
    list->SetNull(4);
    PayloadWriter writer;
    writer.U32(0xA1B2C3D4u);
    writer.Text(L"name");
    writer.Bytes(std::string("a\0b", 3));
    writer.List(*list);
    const std::string payload = writer.Take();

    PayloadReader reader(payload);
    std::uint32_t number = 0;
    std::wstring text;
    std::string bytes;
    CefRefPtr<ListValue> back;
    ASSERT_TRUE(reader.U32(number) && reader.Text(text) && reader.Bytes(bytes) && reader.List(back));
    EXPECT_TRUE(reader.AtCleanEnd());
    EXPECT_EQ(0xA1B2C3D4u, number);
    EXPECT_EQ(L"name", text);
    EXPECT_EQ(std::string("a\0b", 3), bytes);
    ASSERT_EQ(5u, back->GetSize());
    EXPECT_TRUE(back->GetBool(0));
    EXPECT_EQ(-42, back->GetInt(1));
    EXPECT_DOUBLE_EQ(2.5, back->GetDouble(2));
    EXPECT_EQ(L"\x4E2D\x6587 text", back->GetString(3).ToWString());
    EXPECT_EQ(VTYPE_NULL, back->GetType(4));
}

TEST(Payload, TruncatedInputFailsAndStaysFailed)
{
    PayloadWriter writer;
    writer.Text(L"abcdef");
    writer.U32(7);
    std::string payload = writer.Take();
    payload.resize(payload.size() - 6);
    PayloadReader reader(payload);
    std::wstring text;
    std::uint32_t number = 0;
    EXPECT_FALSE(reader.Text(text));
    EXPECT_FALSE(reader.U32(number));
    EXPECT_FALSE(reader.AtCleanEnd());
}

TEST(Payload, HostileCountsAndTagsAreRejected)
{
    PayloadWriter hugeList;
    hugeList.U32(0x7FFFFFFFu);
    const std::string hugeListBytes = hugeList.Take();
    CefRefPtr<ListValue> list;
    EXPECT_FALSE(PayloadReader(hugeListBytes).List(list));

    PayloadWriter badTag;
    badTag.U32(1);
    badTag.U32(99);
    const std::string badTagBytes = badTag.Take();
    EXPECT_FALSE(PayloadReader(badTagBytes).List(list));

    PayloadWriter hugeText;
    hugeText.U32(0xFFFFFFFFu);
    const std::string hugeTextBytes = hugeText.Take();
    std::wstring text;
    EXPECT_FALSE(PayloadReader(hugeTextBytes).Text(text));
}

TEST(Payload, TrailingBytesAreNotACleanEnd)
{
    PayloadWriter writer;
    writer.U32(1);
    writer.U32(2);
    const std::string payload = writer.Take();
    PayloadReader reader(payload);
    std::uint32_t number = 0;
    ASSERT_TRUE(reader.U32(number));
    EXPECT_FALSE(reader.AtCleanEnd());
}

class PipePair : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::wstring name = L"\\\\.\\pipe\\zv-engine-unit-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::wstring(test.begin(), test.end());
        m_server = PipeEnd::CreateServer(name, true);
        ASSERT_TRUE(m_server.has_value());
        m_client = PipeEnd::Open(name, false);
        ASSERT_TRUE(m_client.has_value());
        ASSERT_TRUE(m_server->WaitForClient(nullptr, nullptr));
    }

    std::optional<PipeEnd> m_server;
    std::optional<PipeEnd> m_client;
};

TEST_F(PipePair, CarriesMessagesLargerThanThePipeBuffer)
{
    WireMessage big{WireType::Display, std::string(300 * 1024, 'x'), {}};
    big.payload[12345] = 'y';
    std::thread writer([&] { EXPECT_TRUE(m_client->Write(big, nullptr)); });
    WireMessage received;
    ASSERT_TRUE(m_server->Read(received, nullptr));
    writer.join();
    EXPECT_EQ(WireType::Display, received.type);
    EXPECT_EQ(big.payload, received.payload);
}

// A page's bytes travel as the message's tail, moved rather than copied into the payload.
TEST_F(PipePair, ALastFieldSentAsTheTailIsReadAsPartOfThePayload)
{
    std::string body(200 * 1024, 'b');
    body[54321] = 'c';
    PayloadWriter writer;
    writer.U32(7);
    const WireMessage sent = writer.TakeMessage(WireType::Document, body);
    std::thread sender([&] { EXPECT_TRUE(m_client->Write(sent, nullptr)); });
    WireMessage received;
    ASSERT_TRUE(m_server->Read(received, nullptr));
    sender.join();
    PayloadReader reader(received.payload);
    std::uint32_t number = 0;
    std::string bytes;
    EXPECT_TRUE(reader.U32(number) && reader.Bytes(bytes) && reader.AtCleanEnd());
    EXPECT_EQ(7u, number);
    EXPECT_EQ(body, bytes);
}

TEST_F(PipePair, ClosedPeerEndsTheRead)
{
    m_client->Close();
    WireMessage received;
    EXPECT_FALSE(m_server->Read(received, nullptr));
}

TEST_F(PipePair, StopEventWakesABlockedRead)
{
    const UniqueKernelHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread stopper([&] { ::SetEvent(stop.get()); });
    WireMessage received;
    EXPECT_FALSE(m_server->Read(received, stop.get()));
    stopper.join();
}

TEST(Pipe, OversizedLengthPrefixIsRefusedWithoutAllocating)
{
    const std::wstring name = L"\\\\.\\pipe\\zv-engine-unit-raw-" + std::to_wstring(::GetCurrentProcessId());
    auto server = PipeEnd::CreateServer(name, true);
    ASSERT_TRUE(server.has_value());
    const UniqueFileHandle raw(
        ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(raw);
    ASSERT_TRUE(server->WaitForClient(nullptr, nullptr));
    const unsigned char header[8] = {4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F};
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(raw.get(), header, sizeof header, &written, nullptr));
    WireMessage received;
    EXPECT_FALSE(server->Read(received, nullptr));
    EXPECT_TRUE(received.payload.empty());
}

// The process starts in the background, so a renderer that cannot start is not a failed
// launch but one that closes at once.
TEST(RendererHostLaunch, AProcessThatCannotStartIsReportedAsClosed)
{
    const UniqueKernelHandle closed(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<int> received{0};
    RendererHost::Owner host = RendererHost::Launch(L"C:\\no such folder\\renderer.exe", L"",
        [&received](WireMessage) { ++received; }, [event = closed.get()] { (void)::SetEvent(event); });
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(::WaitForSingleObject(closed.get(), 20000), WAIT_OBJECT_0);  // a generous bound: only a hang fails
    host.reset();
    EXPECT_EQ(received, 0);
}

} // namespace
} // namespace engine
