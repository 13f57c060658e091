// The heap of a command that builds large tables in memory (a route's rows and cells) on huge pages
// where the system grants them: a page fault is costly on a virtual machine, and such a command
// touches tens of megabytes of fresh memory, 4 KiB a fault otherwise.
#pragma once

namespace orvanto::cli {

// Takes 30 MiB of heap at once, marked for huge pages, which later allocations take from and
// freeing gives back to the heap rather than to the system. A hint: where the C library or the
// kernel does not take it, nothing changes but the speed. Untouched, the pages cost no memory.
void reserveHeapOnHugePages();

}  // namespace orvanto::cli
