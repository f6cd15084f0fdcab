#include "support/XmlElementTable.h"

#include <algorithm>
#include <cassert>

void XmlElementTable::Reset(uint32_t capacity)
{
    m_segments.clear();
    m_count = 0;
    m_capacity = 0;
    Grow(std::max<uint32_t>(capacity, 1));
    (void)Add(); // the document record; its index is always 0
}

uint32_t XmlElementTable::Add()
{
    if (m_count == m_capacity) {
        Grow(std::max(m_count + m_count / 2, m_count + 1));
    }
    m_segments[m_count >> 16][m_count & 0xFFFF] = XmlElement{};
    return m_count++;
}

// Fills the last segment up to kSegmentSize before opening a new one.
void XmlElementTable::Grow(uint32_t capacity)
{
    while (m_capacity < capacity) {
        if (m_segments.empty() || m_segments.back().size() == kSegmentSize) {
            m_segments.emplace_back();
        }
        auto& segment = m_segments.back();
        const auto room = std::min<uint32_t>(kSegmentSize - static_cast<uint32_t>(segment.size()), capacity - m_capacity);
        segment.resize(segment.size() + room);
        m_capacity += room;
    }
}

XmlElement& XmlElementTable::operator[](uint32_t index) noexcept
{
    assert(index < m_count && "element index out of range");
    return m_segments[index >> 16][index & 0xFFFF];
}

const XmlElement& XmlElementTable::operator[](uint32_t index) const noexcept
{
    assert(index < m_count && "element index out of range");
    return m_segments[index >> 16][index & 0xFFFF];
}
