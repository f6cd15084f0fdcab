#pragma once
// Memory for the arenas of parsed and received pages.
//
// Under Wine, as on Windows, a block of a megabyte or more goes back to the system when
// it is freed, and the next one arrives as fresh pages whose first touch costs about as
// much as parsing the text that fills them. The blocks of a tree that has ended are
// kept, up to a cap, for the next tree, so a browser that loads page after page keeps
// writing into warm memory.

#include <cstddef>
#include <memory_resource>
#include <mutex>
#include <vector>

namespace engine {

class RecycledBlocks final : public std::pmr::memory_resource {
public:
    // Keeps at most `maxKeptBytes` of freed blocks; gets new blocks from `upstream`.
    RecycledBlocks(std::size_t maxKeptBytes, std::pmr::memory_resource* upstream) noexcept;
    ~RecycledBlocks() override;
    RecycledBlocks(const RecycledBlocks&) = delete;
    RecycledBlocks& operator=(const RecycledBlocks&) = delete;

    // The one every document arena of this process draws from. Never destroyed, so that
    // a tree that outlives static destruction can still give its blocks back.
    [[nodiscard]] static RecycledBlocks& Shared();

    [[nodiscard]] std::size_t KeptBytes() const;

private:
    struct Block {
        void* pointer;
        std::size_t bytes;  // as obtained from upstream
        std::size_t alignment;
    };

    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* pointer, std::size_t bytes, std::size_t alignment) override;
    [[nodiscard]] bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override;
    [[nodiscard]] bool TakeKept(std::size_t bytes, std::size_t alignment, Block& taken);

    const std::size_t m_maxKeptBytes;
    std::pmr::memory_resource* m_upstream;  // Borrowed; must outlive this.
    mutable std::mutex m_mutex;
    std::vector<Block> m_kept;  // free, ready for the next tree
    std::size_t m_keptBytes = 0;
    std::vector<Block> m_lent;  // in use; a kept block may be larger than asked for
};

} // namespace engine
