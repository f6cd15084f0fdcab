#pragma once
// A minimal HTTP server on 127.0.0.1 for tests: one thread accepts connections on a
// free port, records what each client sent up to the end of its header block, and
// answers with whatever the handler returns. Every connection is closed after one
// response, so a canned response may also be cut short on purpose.

#include "common/Win32.h"

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer final {
public:
    // Raw bytes received on one connection: the request line and headers with their
    // CR LF and the blank line, or the first bytes of anything that is not HTTP.
    struct Request {
        std::string raw;
        [[nodiscard]] std::string RequestLine() const;
        [[nodiscard]] std::string Path() const;
    };
    // Returns the complete raw response (status line, headers, body) to send.
    using Handler = std::function<std::string(const Request&)>;

    LoopbackHttpServer();
    ~LoopbackHttpServer() noexcept;
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    [[nodiscard]] bool IsListening() const noexcept { return m_listener != kNoSocket; }
    [[nodiscard]] unsigned short Port() const noexcept { return m_port; }
    // "http://127.0.0.1:<port>"
    [[nodiscard]] std::string Root() const;

    void SetHandler(Handler handler);
    // Answers every request with `response`.
    void SetResponse(std::string response);
    [[nodiscard]] std::vector<Request> Requests() const;

    // "HTTP/1.1 <status>" with Content-Length, Connection: close, `extraHeaders` (each
    // ending in CR LF) and the body.
    [[nodiscard]] static std::string MakeResponse(const std::string& status, const std::string& body,
        const std::string& extraHeaders = {});

private:
    static constexpr UINT_PTR kNoSocket = ~static_cast<UINT_PTR>(0);

    void Serve() noexcept;
    void HandleConnection(UINT_PTR client);

    UINT_PTR m_listener = kNoSocket;
    unsigned short m_port = 0;
    bool m_winsockStarted = false;
    mutable std::mutex m_mutex;
    Handler m_handler;
    std::vector<Request> m_requests;
    std::thread m_thread;
};
