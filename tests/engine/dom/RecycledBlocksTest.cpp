#include "engine/dom/RecycledBlocks.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "engine/dom/HtmlParser.h"

namespace engine {
namespace {

// Counts what reaches the heap.
class CountingResource final : public std::pmr::memory_resource {
public:
    int allocations = 0;
    int deallocations = 0;

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override
    {
        ++allocations;
        return std::pmr::new_delete_resource()->allocate(bytes, alignment);
    }
    void do_deallocate(void* pointer, std::size_t bytes, std::size_t alignment) override
    {
        ++deallocations;
        std::pmr::new_delete_resource()->deallocate(pointer, bytes, alignment);
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }
};

struct ReuseCase {
    const char* name;
    std::size_t freed;  // size of the block given back
    std::size_t next;   // size asked for next
    bool reused;
};

// A freed block serves the next request that fits it and needs at least half of it;
// blocks beyond the cap go back to the heap, the kept ones when the resource ends.
TEST(RecycledBlocks, FreedBlocksServeTheNextTreeUpToTheCap)
{
    const ReuseCase cases[] = {
        {"same size", 4096, 4096, true},
        {"smaller", 4096, 2048, true},
        {"less than half", 4096, 2047, false},
        {"larger", 4096, 4097, false},
    };
    for (const ReuseCase& c : cases) {
        CountingResource heap;
        {
            RecycledBlocks blocks(8192, &heap);
            void* first = blocks.allocate(c.freed, 16);
            blocks.deallocate(first, c.freed, 16);
            void* second = blocks.allocate(c.next, 16);
            EXPECT_EQ(second == first, c.reused) << c.name;
            EXPECT_EQ(heap.allocations, c.reused ? 1 : 2) << c.name;
            blocks.deallocate(second, c.next, 16);
        }
        EXPECT_EQ(heap.deallocations, heap.allocations) << c.name;
    }
    CountingResource heap;
    RecycledBlocks blocks(6000, &heap);
    void* a = blocks.allocate(4096, 16);
    void* b = blocks.allocate(4096, 16);
    blocks.deallocate(a, 4096, 16);
    blocks.deallocate(b, 4096, 16);
    EXPECT_EQ(blocks.KeptBytes(), 4096u);
    EXPECT_EQ(heap.deallocations, 1);
}

// A tree of a small and a larger block gets both back, whichever was freed first.
TEST(RecycledBlocks, EachRequestTakesTheSmallestBlockThatFits)
{
    CountingResource heap;
    RecycledBlocks blocks(1 << 20, &heap);
    void* small = blocks.allocate(4096, 16);
    void* large = blocks.allocate(6144, 16);
    blocks.deallocate(large, 6144, 16);
    blocks.deallocate(small, 4096, 16);
    EXPECT_EQ(blocks.allocate(4096, 16), small);
    EXPECT_EQ(blocks.allocate(6144, 16), large);
    EXPECT_EQ(heap.allocations, 2);
    blocks.deallocate(small, 4096, 16);
    blocks.deallocate(large, 6144, 16);
}

// A parsed page that ends leaves its arena (64 KB at least) for the next page.
TEST(RecycledBlocks, AParsedPageLeavesItsArenaForTheNext)
{
    (void)ParseHtml(L"<p>match</p>");
    EXPECT_GE(RecycledBlocks::Shared().KeptBytes(), 64u * 1024);
}

} // namespace
} // namespace engine
