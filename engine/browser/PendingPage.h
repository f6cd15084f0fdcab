#pragma once
// A loaded page held back from the screen until its style sheets have arrived or
// failed, so that its first paint is styled.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/dom/DomNode.h"

namespace engine {

class PendingPage final {
public:
    // `baseUrl` is where the page came from, after redirects.
    PendingPage(std::uint32_t sequence, DomNodePtr document, int status, std::wstring baseUrl);

    // The absolute addresses of the sheets the page waits for.
    void Expect(std::vector<std::wstring> sheets) { m_outstanding = std::move(sheets); }
    // Records the outcome of one sheet: its bytes, or nothing when it failed. True once
    // no sheet is outstanding.
    [[nodiscard]] bool Arrived(const std::wstring& url, const std::string* bytes);
    [[nodiscard]] bool Complete() const noexcept { return m_outstanding.empty(); }

    [[nodiscard]] std::uint32_t Sequence() const noexcept { return m_sequence; }
    [[nodiscard]] int Status() const noexcept { return m_status; }
    [[nodiscard]] const std::wstring& BaseUrl() const noexcept { return m_baseUrl; }
    [[nodiscard]] const DomNode& Document() const { return *m_document; }
    [[nodiscard]] DomNodePtr TakeDocument() { return std::move(m_document); }
    // The sheets that arrived, by address.
    [[nodiscard]] std::map<std::wstring, std::string> TakeSheets() { return std::move(m_sheets); }

private:
    std::uint32_t m_sequence;
    DomNodePtr m_document;
    int m_status;
    std::wstring m_baseUrl;
    std::vector<std::wstring> m_outstanding;
    std::map<std::wstring, std::string> m_sheets;
};

} // namespace engine
