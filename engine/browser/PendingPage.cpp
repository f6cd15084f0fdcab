#include "engine/browser/PendingPage.h"

#include <algorithm>

namespace engine {

PendingPage::PendingPage(std::uint32_t sequence, DomNodePtr document, int status, std::wstring baseUrl)
    : m_sequence(sequence), m_document(std::move(document)), m_status(status), m_baseUrl(std::move(baseUrl))
{
}

bool PendingPage::Arrived(const std::wstring& url, const std::string* bytes)
{
    const auto found = std::find(m_outstanding.begin(), m_outstanding.end(), url);
    if (found != m_outstanding.end()) {
        m_outstanding.erase(found);
        if (bytes != nullptr) {
            m_sheets[url] = *bytes;
        }
    }
    return Complete();
}

} // namespace engine
