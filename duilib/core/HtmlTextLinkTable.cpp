#include "duilib/core/HtmlTextLinkTable.h"

#include "duilib/core/DuiRect.h"

#include <algorithm>

namespace DuiLib {

HtmlTextLinkTable::HtmlTextLinkTable(RECT* rects, CDuiString* texts, int capacity) noexcept
    : m_rects(rects), m_texts(texts), m_capacity(std::max(capacity, 0))
{
    if (m_rects == nullptr && m_texts == nullptr) {
        m_capacity = 0;
    }
}

void HtmlTextLinkTable::SetText(int index, LPCTSTR text, int length)
{
    if (m_texts != nullptr && index >= 0 && index < m_capacity) {
        m_texts[index].Assign(text, length);
    }
}

void HtmlTextLinkTable::SetRect(int index, const RECT& rc) noexcept
{
    if (m_rects != nullptr && index >= 0 && index < m_capacity) {
        m_rects[index] = rc;
    }
}

int HtmlTextLinkTable::Recorded(int nextIndex) const noexcept
{
    return std::clamp(nextIndex, 0, m_capacity);
}

bool HtmlTextLinkTable::FindTextAt(POINT pt, CDuiString& text) const
{
    if (m_rects == nullptr || m_texts == nullptr) {
        return false;
    }
    for (int i = 0; i < m_capacity; ++i) {
        if (CDuiRect(m_rects[i]).Contains(pt)) {
            text = m_texts[i];
            return true;
        }
    }
    return false;
}

} // namespace DuiLib
