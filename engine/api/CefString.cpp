#include "CefString.h"

#include <climits>

#include "common/Win32.h"

CefString::CefString(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return;
    }
    const int inLength = static_cast<int>(utf8.size());
    const int outLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, nullptr, 0);
    if (outLength <= 0) {
        return;
    }
    m_text.resize(static_cast<std::size_t>(outLength));
    (void)::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inLength, m_text.data(), outLength);
}

std::string CefString::ToString() const
{
    if (m_text.empty() || m_text.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int inLength = static_cast<int>(m_text.size());
    const int outLength = ::WideCharToMultiByte(CP_UTF8, 0, m_text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(outLength), '\0');
    (void)::WideCharToMultiByte(CP_UTF8, 0, m_text.data(), inLength, out.data(), outLength, nullptr, nullptr);
    return out;
}
