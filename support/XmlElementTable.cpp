#include "support/XmlElementTable.h"

void XmlElementTable::Reset(uint32_t capacity)
{
    m_count = 0;
    m_capacity = 0;
    Grow(std::max<uint32_t>(capacity, 1));
    (void)Add(XmlElement{}); // the document record; its index is always 0
}

// Segments of an earlier document are kept for the next one.
void XmlElementTable::Grow(uint32_t capacity)
{
    const size_t segments = (static_cast<size_t>(capacity) + kSegmentSize - 1) / kSegmentSize;
    while (m_segments.size() < segments) {
        // Left uninitialised: each record is written whole when it is added.
        m_segments.emplace_back(new XmlElement[kSegmentSize]);
    }
    m_capacity = capacity;
}
