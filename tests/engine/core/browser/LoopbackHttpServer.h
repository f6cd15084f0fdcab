#pragma once
// A one-thread HTTP/1.0 server on 127.0.0.1 for the engine's tests. Each path maps
// to a canned response; every request's head is kept for inspection.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <winsock2.h>

namespace enginetest {

class LoopbackHttpServer final {
public:
    struct Response {
        int status = 200;
        std::string contentType = "text/html; charset=utf-8";
        std::string extraHeaders;  // each line ending in "\r\n"
        std::string body;
    };

    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    void Serve(const std::string& path, Response response);
    [[nodiscard]] std::wstring Url(const std::string& path) const;
    [[nodiscard]] std::vector<std::string> RequestHeads() const;
    // A port on which nothing listens.
    [[nodiscard]] static unsigned short ClosedPort();

private:
    void AcceptLoop();
    void Answer(SOCKET client);

    SOCKET m_listener = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Response> m_responses;
    std::vector<std::string> m_heads;
    std::thread m_thread;
};

} // namespace enginetest
