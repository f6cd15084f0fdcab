#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

namespace enginetest {
namespace {

[[nodiscard]] SOCKET ListenOnLoopback(unsigned short& port)
{
    WSADATA data;
    (void)::WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (s == INVALID_SOCKET || ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(s, 16) != 0 || ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (s != INVALID_SOCKET) {
            ::closesocket(s);
        }
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

[[nodiscard]] std::string ReasonFor(int status)
{
    return status == 200 ? "OK" : status == 404 ? "Not Found" : "Status";
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer()
{
    m_listener = ListenOnLoopback(m_port);
    m_thread = std::thread([this] { AcceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_stopping = true;
    Release();
    ::closesocket(m_listener);
    m_thread.join();
    for (const SOCKET held : m_held) {
        ::closesocket(held);
    }
    ::WSACleanup();
}

unsigned short LoopbackHttpServer::ClosedPort()
{
    unsigned short port = 0;
    const SOCKET s = ListenOnLoopback(port);
    ::closesocket(s);
    ::WSACleanup();
    return port;
}

void LoopbackHttpServer::Serve(const std::string& path, Response response)
{
    const std::lock_guard lock(m_mutex);
    m_responses[path] = std::move(response);
}

void LoopbackHttpServer::Release()
{
    {
        const std::lock_guard lock(m_mutex);
        m_releasing = true;
    }
    m_released.notify_all();
}

std::wstring LoopbackHttpServer::Url(const std::string& path) const
{
    return L"http://127.0.0.1:" + std::to_wstring(m_port) + std::wstring(path.begin(), path.end());
}

std::vector<std::string> LoopbackHttpServer::RequestHeads() const
{
    const std::lock_guard lock(m_mutex);
    return m_heads;
}

void LoopbackHttpServer::AcceptLoop()
{
    while (!m_stopping) {
        const SOCKET client = ::accept(m_listener, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            continue;
        }
        if (Answer(client)) {
            ::closesocket(client);
        } else {
            m_held.push_back(client);
        }
    }
}

bool LoopbackHttpServer::Answer(SOCKET client)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) {
            return true;
        }
        head.append(buffer, static_cast<std::size_t>(got));
    }
    const auto pathStart = head.find(' ') + 1;
    const std::string path = head.substr(pathStart, head.find(' ', pathStart) - pathStart);
    Response response;
    {
        const std::lock_guard lock(m_mutex);
        m_heads.push_back(head);
        const auto it = m_responses.find(path);
        response = it != m_responses.end() ? it->second : Response{404, "text/html", "", "<title>missing</title>"};
    }
    if (response.delivery == Delivery::NeverAnswer) {
        return false;
    }
    if (response.delivery == Delivery::WhenReleased) {
        std::unique_lock lock(m_mutex);
        m_released.wait(lock, [this] { return m_releasing; });
    }
    const std::string reply = "HTTP/1.0 " + std::to_string(response.status) + " " + ReasonFor(response.status) +
        "\r\nContent-Type: " + response.contentType + "\r\nContent-Length: " + std::to_string(response.body.size()) +
        "\r\n" + response.extraHeaders + "Connection: close\r\n\r\n";
    const std::string& body = response.body;
    switch (response.delivery) {
    case Delivery::StallMidBody:
        (void)Send(client, reply + body.substr(0, body.size() / 2));
        return false;
    case Delivery::Trickle:
        if (Send(client, reply)) {
            const std::size_t piece = body.size() / kTricklePieces + 1;
            for (std::size_t at = 0; at < body.size() && Send(client, body.substr(at, piece)); at += piece) {
                ::Sleep(kTricklePauseMs);
            }
        }
        break;
    default:
        (void)Send(client, reply + body);
        break;
    }
    ::shutdown(client, SD_SEND);
    return true;
}

bool LoopbackHttpServer::Send(SOCKET client, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = ::send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace enginetest
