#include "tests/support/LoopbackHttpServer.h"

#include <winsock2.h>

namespace {

constexpr size_t kMaxRequestBytes = 64 * 1024;

bool LooksLikeHttp(const std::string& raw)
{
    return raw.empty() || (raw[0] >= 'A' && raw[0] <= 'Z');
}

void SendAll(SOCKET socket, const std::string& data)
{
    size_t sent = 0;
    while (sent < data.size()) {
        const int chunk = static_cast<int>(std::min<size_t>(data.size() - sent, 1 << 16));
        const int n = ::send(socket, data.data() + sent, chunk, 0);
        if (n <= 0) {
            return;
        }
        sent += static_cast<size_t>(n);
    }
}

} // namespace

std::string LoopbackHttpServer::Request::RequestLine() const
{
    return raw.substr(0, raw.find("\r\n"));
}

std::string LoopbackHttpServer::Request::Path() const
{
    const std::string line = RequestLine();
    const auto first = line.find(' ');
    const auto last = line.rfind(' ');
    return first == std::string::npos || last <= first ? std::string() : line.substr(first + 1, last - first - 1);
}

LoopbackHttpServer::LoopbackHttpServer()
{
    WSADATA data{};
    m_winsockStarted = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (!m_winsockStarted || listener == INVALID_SOCKET) {
        return;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0; // let the system pick a free port
    int length = sizeof(address);
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0
        || ::listen(listener, SOMAXCONN) != 0
        || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::closesocket(listener);
        return;
    }
    m_listener = listener;
    m_port = ntohs(address.sin_port);
    m_handler = [](const Request&) { return MakeResponse("200 OK", {}); };
    m_thread = std::thread([this] { Serve(); });
}

LoopbackHttpServer::~LoopbackHttpServer() noexcept
{
    if (m_listener != kNoSocket) {
        // Closing the listener makes the blocked accept() fail, which ends Serve().
        ::closesocket(static_cast<SOCKET>(m_listener));
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (m_winsockStarted) {
        ::WSACleanup();
    }
}

std::string LoopbackHttpServer::Root() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void LoopbackHttpServer::SetHandler(Handler handler)
{
    const std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void LoopbackHttpServer::SetResponse(std::string response)
{
    SetHandler([response = std::move(response)](const Request&) { return response; });
}

std::vector<LoopbackHttpServer::Request> LoopbackHttpServer::Requests() const
{
    const std::lock_guard lock(m_mutex);
    return m_requests;
}

std::string LoopbackHttpServer::MakeResponse(const std::string& status, const std::string& body,
    const std::string& extraHeaders)
{
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size())
        + "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

void LoopbackHttpServer::Serve() noexcept
{
    for (;;) {
        const SOCKET client = ::accept(static_cast<SOCKET>(m_listener), nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return;
        }
        try {
            HandleConnection(client);
        } catch (...) { // NOLINT(bugprone-empty-catch)
            // A handler that throws only loses its own response; the server keeps going.
        }
        ::shutdown(client, SD_SEND);
        ::closesocket(client);
    }
}

// Reads up to the blank line after the headers (requests here carry no body), or
// stops early at bytes that cannot begin an HTTP request, such as a TLS hello.
void LoopbackHttpServer::HandleConnection(UINT_PTR socket)
{
    const SOCKET client = static_cast<SOCKET>(socket);
    Request request;
    char buffer[4096];
    while (request.raw.find("\r\n\r\n") == std::string::npos && request.raw.size() < kMaxRequestBytes
        && LooksLikeHttp(request.raw)) {
        const int n = ::recv(client, buffer, sizeof(buffer), 0);
        if (n <= 0) {
            break;
        }
        request.raw.append(buffer, static_cast<size_t>(n));
    }
    Handler handler;
    {
        const std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        handler = m_handler;
    }
    if (LooksLikeHttp(request.raw) && !request.raw.empty()) {
        SendAll(client, handler(request));
    }
}
