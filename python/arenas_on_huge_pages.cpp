#include "python/arenas_on_huge_pages.h"

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <dlfcn.h>
#include <sys/mman.h>
#endif

namespace orvanto::python {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
namespace {

constexpr std::size_t kHugePage = std::size_t{1} << 21U;
// Address space only: a page of it costs memory once an arena on it is written.
constexpr std::size_t kRegionBytes = std::size_t{32} << 20U;

// What is left of the current region, its start on a huge page. Touched only by the allocator
// below, which Python calls with the GIL held. What a hand-over leaves waits for the next one.
struct Region {
    char* next = nullptr;
    std::size_t left = 0;
};
Region region;

bool mapRegion(std::size_t bytes) {
    void* mapped = mmap(nullptr, bytes + kHugePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        return false;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
    // The unaligned ends are given back; a region holds whole huge pages only.
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    if (const std::size_t tail = kHugePage - (aligned - start); tail > 0) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        munmap(reinterpret_cast<void*>(aligned + bytes), tail);
    }
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    region.next = reinterpret_cast<char*>(aligned);
    region.left = bytes;
    // Only a hint: where the kernel declines, the pages fault in 4 KiB at a time as before.
    madvise(region.next, bytes, MADV_HUGEPAGE);
    return true;
}

void* arenaFromRegion(void* /*context*/, std::size_t size) {
    if (region.left < size) {
        if (region.left > 0) {
            munmap(region.next, region.left);
        }
        region = {};
        const std::size_t wholePages = (size + kHugePage - 1) & ~(kHugePage - 1);
        if (!mapRegion(wholePages > kRegionBytes ? wholePages : kRegionBytes)) {
            return nullptr;
        }
    }
    void* arena = region.next;
    region.next += size;
    region.left -= size;
    return arena;
}

// An arena goes back as Python's own allocator gives one back, since that allocator may be the
// one in place when the arena's objects are all gone.
void arenaToKernel(void* /*context*/, void* arena, std::size_t size) {
    munmap(arena, size);
}

// Python's own arena allocator is a static function of the object that holds PyObject_Malloc; one
// that an embedding program or another module installed is not, or keeps a context.
bool isPythonsOwn(const PyObjectArenaAllocator& allocator) {
    Dl_info own{};
    Dl_info installed{};
    return allocator.ctx == nullptr &&
           dladdr(reinterpret_cast<void*>(&PyObject_Malloc), &own) != 0 &&
           dladdr(reinterpret_cast<void*>(allocator.alloc), &installed) != 0 &&
           own.dli_fbase == installed.dli_fbase;
}

}  // namespace

ArenasOnHugePages::ArenasOnHugePages() {
    PyObject_GetArenaAllocator(&previous_);
    if (isPythonsOwn(previous_)) {
        PyObjectArenaAllocator onHugePages{nullptr, arenaFromRegion, arenaToKernel};
        PyObject_SetArenaAllocator(&onHugePages);
        installed_ = true;
    }
}

ArenasOnHugePages::~ArenasOnHugePages() {
    if (installed_) {
        PyObject_SetArenaAllocator(&previous_);
    }
}

#else

ArenasOnHugePages::ArenasOnHugePages() = default;
ArenasOnHugePages::~ArenasOnHugePages() = default;

#endif
}  // namespace orvanto::python
