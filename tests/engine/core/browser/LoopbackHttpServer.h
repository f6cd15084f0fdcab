#pragma once
// A one-thread HTTP/1.0 server on 127.0.0.1 for the engine's tests. Each path maps
// to a canned response; every request's head is kept for inspection. A response may
// stall, its connection then held open without another byte until the server dies, or
// trickle in slowly.

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <winsock2.h>

namespace enginetest {

class LoopbackHttpServer final {
public:
    enum class Delivery {
        Whole,
        NeverAnswer,  // reads the request and sends nothing
        StallMidBody,  // sends the headers and half the body
        Trickle,  // the body in kTricklePieces pieces, kTricklePauseMs apart
        WhenReleased,  // the whole response once Release() is called; nothing is answered meanwhile
    };
    static constexpr int kTricklePieces = 20;
    static constexpr unsigned kTricklePauseMs = 100;

    struct Response {
        int status = 200;
        std::string contentType = "text/html; charset=utf-8";
        std::string extraHeaders;  // each line ending in "\r\n"
        std::string body;
        Delivery delivery = Delivery::Whole;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    void Serve(const std::string& path, Response response);
    // Lets WhenReleased responses go, the one held and any later ones.
    void Release();
    [[nodiscard]] std::wstring Url(const std::string& path) const;
    [[nodiscard]] std::vector<std::string> RequestHeads() const;
    // A port on which nothing listens.
    [[nodiscard]] static unsigned short ClosedPort();

private:
    void AcceptLoop();
    // False when the connection is to be held open.
    [[nodiscard]] bool Answer(SOCKET client);
    [[nodiscard]] static bool Send(SOCKET client, const std::string& bytes);

    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_releasing = false;
    std::map<std::string, Response> m_responses;
    std::vector<std::string> m_heads;
    std::vector<SOCKET> m_held;  // stalled connections; only the accept thread touches it
    std::thread m_thread;
};

} // namespace enginetest
