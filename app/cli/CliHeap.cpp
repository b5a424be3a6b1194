// The heap of wabolex-cli, tuned for loading a table.
#include "app/cli/CliCommands.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Cli {

// A command loads a table of some megabytes, indexes it and ends. On virtual
// machines each first touch of a 4 KB page can cost the kernel more than the
// work done on it (about a thousand of them for the general vocabulary), so
// the heap goes on in 2 MB pages from the next 2 MB boundary, and what is
// freed stays for the next allocation. Where the kernel gives no huge pages,
// nothing changes but the addresses.
void PrepareHeap() {
    constexpr size_t kReserve = 24u << 20;
    constexpr uintptr_t kHugePage = 2u << 20;
    constexpr uintptr_t kMade = 4u << 20; // what the general vocabulary takes, and more
    mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest glibc takes
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // The break moves to the boundary; malloc takes the room above it as a
    // new piece of its heap the next time it grows.
    const auto end = reinterpret_cast<uintptr_t>(::sbrk(0));
    const uintptr_t boundary = (end + kHugePage - 1) & ~(kHugePage - 1);
    if (end == static_cast<uintptr_t>(-1) ||
        ::sbrk(static_cast<intptr_t>(boundary - end)) == reinterpret_cast<void*>(-1)) {
        return;
    }
    // Through a volatile pointer, so that the compiler keeps the pair.
    void* volatile reserve = std::malloc(kReserve);
    std::free(reserve);
    const auto top = reinterpret_cast<uintptr_t>(::sbrk(0));
    if (top <= boundary ||
        ::madvise(reinterpret_cast<void*>(boundary), top - boundary, MADV_HUGEPAGE) != 0) {
        return;
    }
    // The first pages are made now, in one call; left to faults, the kernel
    // gave most of them as small pages all the same.
    ::madvise(reinterpret_cast<void*>(boundary), std::min<uintptr_t>(top - boundary, kMade),
              MADV_POPULATE_WRITE);
}

} // namespace Cli
