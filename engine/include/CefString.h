#pragma once
// The engine's string: UTF-16 code units, converted from and to UTF-8 on request.

#include <cstddef>
#include <string>
#include <string_view>

class CefString final {
public:
    using char_type = wchar_t;

    CefString() = default;
    CefString(const wchar_t* text) : m_text(text != nullptr ? text : L"") {}
    CefString(std::wstring text) : m_text(std::move(text)) {}
    CefString(std::wstring_view text) : m_text(text) {}
    // UTF-8 input.
    CefString(const char* text) : CefString(std::string_view(text != nullptr ? text : "")) {}
    CefString(const std::string& text) : CefString(std::string_view(text)) {}
    explicit CefString(std::string_view utf8);

    [[nodiscard]] const wchar_t* c_str() const noexcept { return m_text.c_str(); }
    [[nodiscard]] std::size_t length() const noexcept { return m_text.length(); }
    [[nodiscard]] std::size_t size() const noexcept { return m_text.size(); }
    [[nodiscard]] bool empty() const noexcept { return m_text.empty(); }
    void clear() noexcept { m_text.clear(); }

    [[nodiscard]] const std::wstring& ToWString() const noexcept { return m_text; }
    // UTF-8; unpaired surrogates become U+FFFD.
    [[nodiscard]] std::string ToString() const;
    operator std::wstring() const { return m_text; }

    [[nodiscard]] int compare(const CefString& other) const noexcept { return m_text.compare(other.m_text); }
    friend bool operator==(const CefString& a, const CefString& b) noexcept { return a.m_text == b.m_text; }
    friend bool operator!=(const CefString& a, const CefString& b) noexcept { return a.m_text != b.m_text; }
    friend bool operator<(const CefString& a, const CefString& b) noexcept { return a.m_text < b.m_text; }

private:
    std::wstring m_text;
};
