#include "RecycledBlocks.h"

#include <algorithm>
#include <cassert>

namespace engine {
namespace {

// A page of several megabytes of text fills two arena blocks of about that size each.
constexpr std::size_t kSharedKeptBytes = 32u << 20;

} // namespace

RecycledBlocks::RecycledBlocks(std::size_t maxKeptBytes, std::pmr::memory_resource* upstream) noexcept
    : m_maxKeptBytes(maxKeptBytes), m_upstream(upstream)
{
}

RecycledBlocks::~RecycledBlocks()
{
    for (const Block& block : m_kept) {
        m_upstream->deallocate(block.pointer, block.bytes, block.alignment);
    }
}

RecycledBlocks& RecycledBlocks::Shared()
{
    static auto* const shared = new RecycledBlocks(kSharedKeptBytes, std::pmr::new_delete_resource());
    return *shared;
}

std::size_t RecycledBlocks::KeptBytes() const
{
    const std::lock_guard lock(m_mutex);
    return m_keptBytes;
}

// The smallest kept block that fits serves a request of at least half its size, so
// that a small page does not tie up the block of a large one, and a tree whose blocks
// differ in size gets each of them back (the first fit would hand a later, larger
// request's block to the first, smaller one).
bool RecycledBlocks::TakeKept(std::size_t bytes, std::size_t alignment, Block& taken)
{
    auto found = m_kept.end();
    for (auto block = m_kept.begin(); block != m_kept.end(); ++block) {
        const bool fits = block->bytes >= bytes && block->bytes / 2 <= bytes && block->alignment >= alignment;
        if (fits && (found == m_kept.end() || block->bytes < found->bytes)) {
            found = block;
        }
    }
    if (found == m_kept.end()) {
        return false;
    }
    taken = *found;
    m_kept.erase(found);
    m_keptBytes -= taken.bytes;
    return true;
}

void* RecycledBlocks::do_allocate(std::size_t bytes, std::size_t alignment)
{
    const std::lock_guard lock(m_mutex);
    Block block{};
    if (!TakeKept(bytes, alignment, block)) {
        block = Block{m_upstream->allocate(bytes, alignment), bytes, alignment};
    }
    m_lent.push_back(block);
    return block.pointer;
}

void RecycledBlocks::do_deallocate(void* pointer, std::size_t, std::size_t)
{
    const std::lock_guard lock(m_mutex);
    const auto lent = std::find_if(m_lent.begin(), m_lent.end(), [pointer](const Block& b) { return b.pointer == pointer; });
    assert(lent != m_lent.end() && "a block goes back to the resource that gave it");
    const Block block = *lent;
    m_lent.erase(lent);
    if (m_keptBytes + block.bytes <= m_maxKeptBytes) {
        m_kept.push_back(block);
        m_keptBytes += block.bytes;
        return;
    }
    m_upstream->deallocate(block.pointer, block.bytes, block.alignment);
}

bool RecycledBlocks::do_is_equal(const std::pmr::memory_resource& other) const noexcept
{
    return this == &other;
}

} // namespace engine
