// How many CPUs this process may keep busy, for the default of batch --jobs: those its affinity
// lets it run on (taskset, a container's cpuset), fewer where a cgroup's CPU quota allows less
// time than that (a container given 1.5 CPUs runs 2 threads, not one a core of the host).
#pragma once

#include <optional>
#include <string_view>

namespace orvanto::cli {

// At least 1.
unsigned usableCpus();

// The CPUs a quota allows, rounded up: "QUOTA PERIOD" in microseconds, as cgroup v2's cpu.max
// writes it (or v1's cpu.cfs_quota_us and cpu.cfs_period_us put together). Nothing for no quota
// ("max" or -1) or a text that is none.
std::optional<unsigned> quotaCpus(std::string_view quotaAndPeriod);

}  // namespace orvanto::cli
