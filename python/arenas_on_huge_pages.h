// Python keeps its small objects in arenas of 1 MiB that it maps one at a time, each page faulting
// in on its first write. A batch of a million rows makes two million result str objects, some 110
// MB of arenas: on a virtual machine their 27,000 faults cost as much as computing the rows. While
// an ArenasOnHugePages lives, the arenas Python maps come out of regions marked for huge pages
// instead, 2 MiB a fault; when it ends, Python's own arena allocator is back.
#pragma once

#include <Python.h>

namespace orvanto::python {

// Only while the GIL is held, around making objects, never across a release of it: the arenas
// of other threads are their own. It changes nothing where the allocator in place is not
// Python's own (whose free, munmap, works on any part of a mapping), nor where the platform has
// no huge pages.
class ArenasOnHugePages {
  public:
    ArenasOnHugePages();
    ~ArenasOnHugePages();
    ArenasOnHugePages(const ArenasOnHugePages&) = delete;
    ArenasOnHugePages& operator=(const ArenasOnHugePages&) = delete;
    ArenasOnHugePages(ArenasOnHugePages&&) = delete;
    ArenasOnHugePages& operator=(ArenasOnHugePages&&) = delete;

  private:
    PyObjectArenaAllocator previous_{};
    bool installed_ = false;
};

}  // namespace orvanto::python
