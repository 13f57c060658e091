#include "cli/heap_pages.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>  // which C library: __GLIBC__

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace orvanto::cli {

void reserveHeapOnHugePages() {
#if defined(__GLIBC__) && defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    // glibc's heap takes blocks up to 32 MiB on a 64-bit system (mallopt refuses a larger
    // threshold); the block is just under it, so that the heap, not a mapping, holds it.
    constexpr std::size_t kLargestFromHeap = std::size_t{32} << 20;
    constexpr std::size_t kReserved = kLargestFromHeap - kHugePage;
    // Large blocks from the heap rather than from mappings of their own, which freeing unmaps, and
    // a freed heap kept: the pages marked below then serve the allocations that follow.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kLargestFromHeap));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * kLargestFromHeap));
    void* block = std::malloc(kReserved);
    if (block == nullptr) {
        return;
    }
    // The whole huge pages within the block: from its first 2 MiB boundary on.
    const std::size_t intoPage = reinterpret_cast<std::uintptr_t>(block) % kHugePage;
    const std::size_t skipped = intoPage == 0 ? 0 : kHugePage - intoPage;
    const std::size_t marked = (kReserved - skipped) / kHugePage * kHugePage;
    madvise(static_cast<char*>(block) + skipped, marked, MADV_HUGEPAGE);
    std::free(block);
#endif
}

}  // namespace orvanto::cli
