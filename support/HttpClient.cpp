#include "support/HttpClient.h"

#include <cstring>

namespace {

constexpr wchar_t kUserAgent[] = L"Http-connect";
constexpr wchar_t kRequestFailed[] = L"发送请求失败，请检查网络";
constexpr char kHttpScheme[] = "http://";
constexpr char kHttpsScheme[] = "https://";
constexpr DWORD kReadBlock = 1024;
constexpr DWORD kHeaderBuffer = 1024;

// Parses the digits after "host:"; 0 means the port is missing or out of range.
INTERNET_PORT ParsePort(const std::string& digits)
{
    if (digits.empty() || digits.size() > 5) {
        return 0;
    }
    unsigned long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    return value <= 65535 ? static_cast<INTERNET_PORT>(value) : 0;
}

} // namespace

std::string CHttpClient::Get(const std::string& url, const std::string& headers)
{
    if (url.empty()) {
        return {};
    }
    CloseHandles();
    m_hInternet.reset(::InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    const bool sent = m_hInternet && SplitUrl(url) && OpenRequest() && SendRequest(headers)
        && ResponseHeadersAccepted();
    if (!sent) {
        m_strError = kRequestFailed;
        return {};
    }
    return ReadBody();
}

// Splits at the first scheme marker (either one, whichever comes first) and the
// first "/" after it. A URL without a path keeps the previous path.
bool CHttpClient::SplitUrl(const std::string& url)
{
    const auto http = url.find(kHttpScheme);
    const auto https = url.find(kHttpsScheme);
    std::string rest = url;
    m_secure = https != std::string::npos && (http == std::string::npos || https < http);
    if (m_secure) {
        rest = url.substr(https + std::strlen(kHttpsScheme));
    } else if (http != std::string::npos) {
        rest = url.substr(http + std::strlen(kHttpScheme));
    }
    const auto slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    if (slash != std::string::npos) {
        m_strPath = rest.substr(slash);
    }
    m_port = m_secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    const auto colon = authority.find(':');
    if (colon != std::string::npos) {
        m_port = ParsePort(authority.substr(colon + 1));
        authority.resize(colon);
    }
    m_strHost = authority;
    return m_port != 0 && !m_strHost.empty();
}

bool CHttpClient::OpenRequest()
{
    m_hConnect.reset(::InternetConnectA(m_hInternet.get(), m_strHost.c_str(), m_port, nullptr, nullptr,
        INTERNET_SERVICE_HTTP, 0, 0));
    if (!m_hConnect) {
        return false;
    }
    DWORD flags = INTERNET_FLAG_RELOAD;
    if (m_secure) {
        flags |= INTERNET_FLAG_SECURE;
    }
    m_hRequest.reset(::HttpOpenRequestA(m_hConnect.get(), "GET", m_strPath.c_str(), "HTTP/1.1", nullptr,
        nullptr, flags, 0));
    return static_cast<bool>(m_hRequest);
}

bool CHttpClient::SendRequest(const std::string& headers)
{
    const std::string block = headers.empty() ? DefaultHeaders() : headers;
    return ::HttpSendRequestA(m_hRequest.get(), block.c_str(), static_cast<DWORD>(block.size()), nullptr, 0)
        != FALSE;
}

// A response whose header text is longer than the buffer counts as failed, and so
// does one that mentions "404" anywhere (status line or not).
bool CHttpClient::ResponseHeadersAccepted()
{
    char buffer[kHeaderBuffer + 1] = {};
    DWORD size = kHeaderBuffer;
    if (!::HttpQueryInfoA(m_hRequest.get(), HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &size, nullptr)) {
        return false;
    }
    const std::string text(buffer, size < kHeaderBuffer ? size : kHeaderBuffer);
    return text.find("404") == std::string::npos;
}

// A read that fails part-way ends the body; what arrived until then is kept.
std::string CHttpClient::ReadBody()
{
    std::string body;
    char block[kReadBlock];
    DWORD read = 0;
    while (::InternetReadFile(m_hRequest.get(), block, kReadBlock, &read) && read > 0) {
        body.append(block, read);
    }
    return body;
}

std::string CHttpClient::DefaultHeaders() const
{
    return "Referer: " + m_strHost + "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
        + "Accept: */*\r\n" + "Connection: Keep-Alive\r\n\r\n";
}

void CHttpClient::CloseHandles() noexcept
{
    m_hRequest.reset();
    m_hConnect.reset();
    m_hInternet.reset();
}
