#pragma once
// Storage for the navigator's element records, in segments of 65536 records so that
// a large document never needs one huge block and growing never moves a record.
// Records are always addressed by index, which splits into segment (high 16 bits)
// and slot (low 16 bits).

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <vector>

// Plain data without initialisers, so that a segment's memory is only touched when a
// record is added; XmlElement{} is all zeros.
struct XmlElement {
    int start;          // offset of the "<"
    int length;         // from "<" to the end of the end tag (or empty-element tag)
    int startTagLength;
    int endTagLength;
    uint32_t flags;     // depth in the low 16 bits, state bits above
    uint32_t parent;
    uint32_t firstChild;
    uint32_t next;
    uint32_t prev;      // on a first child: the last child, so appending is direct

    static constexpr uint32_t kDepthMask = 0xFFFF;
    static constexpr uint32_t kFirstChild = 1u << 16;
    static constexpr uint32_t kNotEnded = 1u << 17;
    static constexpr uint32_t kError = 1u << 18;
    static constexpr uint32_t kIllFormed = 1u << 19; // record 0 only

    [[nodiscard]] int Depth() const noexcept { return static_cast<int>(flags & kDepthMask); }
    void SetDepth(int depth) noexcept { flags = (flags & ~kDepthMask) | (static_cast<uint32_t>(depth) & kDepthMask); }
};

class XmlElementTable final {
public:
    static constexpr uint32_t kSegmentSize = 65536;

    // Drops every record and makes room for `capacity`; record 0 (the document) is added.
    void Reset(uint32_t capacity);
    // Appends `record` and returns its index.
    [[nodiscard]] uint32_t Add(const XmlElement& record)
    {
        if (m_count == m_capacity) {
            Grow(std::max(m_count + m_count / 2, m_count + 1));
        }
        m_segments[m_count >> 16][m_count & 0xFFFF] = record;
        return m_count++;
    }
    [[nodiscard]] uint32_t Count() const noexcept { return m_count; }
    [[nodiscard]] uint32_t Capacity() const noexcept { return m_capacity; }

    [[nodiscard]] XmlElement& operator[](uint32_t index) noexcept
    {
        assert(index < m_count && "element index out of range");
        return m_segments[index >> 16][index & 0xFFFF];
    }
    [[nodiscard]] const XmlElement& operator[](uint32_t index) const noexcept
    {
        assert(index < m_count && "element index out of range");
        return m_segments[index >> 16][index & 0xFFFF];
    }

private:
    void Grow(uint32_t capacity);

    // Whole segments; the capacity counts the records the growth rule has made room for.
    std::vector<std::unique_ptr<XmlElement[]>> m_segments;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};
