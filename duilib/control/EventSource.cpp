#include "duilib/control/EventSource.h"

#include <algorithm>

namespace DuiLib {

CEventSource::CEventSource(const CEventSource& src)
{
    *this = src;
}

CEventSource& CEventSource::operator=(const CEventSource& src)
{
    if (this == &src) {
        return *this;
    }
    std::vector<std::unique_ptr<CDelegateBase>> copies;
    for (const auto& d : src.m_aDelegates) {
        if (d) {
            copies.emplace_back(d->Copy());
        }
    }
    m_aDelegates = std::move(copies);
    return *this;
}

CEventSource::~CEventSource() noexcept = default;

void CEventSource::operator+=(const CDelegateBase& d)
{
    if (IndexOf(d) < 0) {
        m_aDelegates.emplace_back(d.Copy());
    }
}

void CEventSource::operator+=(FnType pFn)
{
    *this += CDelegateStatic(pFn);
}

void CEventSource::operator-=(const CDelegateBase& d)
{
    const int index = IndexOf(d);
    if (index < 0) {
        return;
    }
    // While firing, the slot is only emptied and the delegate kept until the firing ends:
    // erasing would move the delegates that have yet to run, and the one being removed
    // may be running right now.
    if (m_nFiring > 0) {
        m_aRemoved.push_back(std::move(m_aDelegates[static_cast<size_t>(index)]));
    } else {
        m_aDelegates.erase(m_aDelegates.begin() + index);
    }
}

void CEventSource::operator-=(FnType pFn)
{
    *this -= CDelegateStatic(pFn);
}

CEventSource::operator bool() const noexcept
{
    return std::any_of(m_aDelegates.begin(), m_aDelegates.end(), [](const auto& d) { return d != nullptr; });
}

bool CEventSource::operator()(void* param)
{
    ++m_nFiring;
    bool result = true;
    // Indexes, not iterators: a delegate may append to the list while it runs.
    for (size_t i = 0; i < m_aDelegates.size() && result; ++i) {
        CDelegateBase* d = m_aDelegates[i].get();
        result = d == nullptr || (*d)(param);
    }
    if (--m_nFiring == 0) {
        Compact();
    }
    return result;
}

int CEventSource::IndexOf(const CDelegateBase& d) const noexcept
{
    for (size_t i = 0; i < m_aDelegates.size(); ++i) {
        if (m_aDelegates[i] && m_aDelegates[i]->Equals(d)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CEventSource::Compact() noexcept
{
    m_aDelegates.erase(std::remove(m_aDelegates.begin(), m_aDelegates.end(), nullptr), m_aDelegates.end());
    m_aRemoved.clear();
}

} // namespace DuiLib
