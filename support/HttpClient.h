#pragma once
// Blocking HTTP(S) GET over WinINet that returns the response body as raw bytes.

#include "support/InternetHandle.h"

#include <string>

class CHttpClient final {
public:
    CHttpClient() = default;
    ~CHttpClient() noexcept = default;
    CHttpClient(const CHttpClient&) = delete;
    CHttpClient& operator=(const CHttpClient&) = delete;

    // url: "http://host[:port]/path?query" or "https://..."; headers: a complete CR LF
    // header block, or empty for the default block. Returns the body; empty on failure.
    // The handles of the request stay open until the next Get or the destructor.
    [[nodiscard]] std::string Get(const std::string& url, const std::string& headers);

    // "发送请求失败，请检查网络" after a failed request; never cleared by a later success.
    [[nodiscard]] const std::wstring& GetError() const noexcept { return m_strError; }

private:
    [[nodiscard]] bool SplitUrl(const std::string& url);
    [[nodiscard]] bool OpenRequest();
    [[nodiscard]] bool SendRequest(const std::string& headers);
    [[nodiscard]] bool ResponseHeadersAccepted();
    [[nodiscard]] std::string ReadBody();
    [[nodiscard]] std::string DefaultHeaders() const;
    void CloseHandles() noexcept;

    std::string m_strHost;
    std::string m_strPath;
    std::wstring m_strError;
    INTERNET_PORT m_port = INTERNET_DEFAULT_HTTP_PORT;
    bool m_secure = false;
    // Declared session, connection, request: destroyed in the reverse order.
    UniqueInternetHandle m_hInternet;
    UniqueInternetHandle m_hConnect;
    UniqueInternetHandle m_hRequest;
};
