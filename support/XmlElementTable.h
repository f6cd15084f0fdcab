#pragma once
// Storage for the navigator's element records, in segments of 65536 records so that
// a large document never needs one huge block. Records are always addressed by
// index, which splits into segment (high 16 bits) and slot (low 16 bits).

#include <cstdint>
#include <memory>
#include <vector>

struct XmlElement {
    int start = 0;          // offset of the "<"
    int length = 0;         // from "<" to the end of the end tag (or empty-element tag)
    int startTagLength = 0;
    int endTagLength = 0;
    uint32_t flags = 0;     // depth in the low 16 bits, state bits above
    uint32_t parent = 0;
    uint32_t firstChild = 0;
    uint32_t next = 0;
    uint32_t prev = 0;      // on a first child: the last child, so appending is direct

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
    // Appends a zeroed record and returns its index.
    [[nodiscard]] uint32_t Add();
    [[nodiscard]] uint32_t Count() const noexcept { return m_count; }
    [[nodiscard]] uint32_t Capacity() const noexcept { return m_capacity; }

    [[nodiscard]] XmlElement& operator[](uint32_t index) noexcept;
    [[nodiscard]] const XmlElement& operator[](uint32_t index) const noexcept;

private:
    void Grow(uint32_t capacity);

    std::vector<std::vector<XmlElement>> m_segments;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};
