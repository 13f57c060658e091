#include "cli/usable_cpus.h"

#include <sched.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>
#include <thread>

#include "text/trimming.h"

namespace orvanto::cli {
namespace {

constexpr std::string_view kCgroupRoot = "/sys/fs/cgroup";

std::string fileText(const std::string& path) {
    std::ifstream file{path};
    std::string text;
    std::getline(file, text);
    return text;
}

std::optional<std::int64_t> integer(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size() ? std::optional{value}
                                                                    : std::nullopt;
}

// The smallest quota of the cgroup `path` (in the hierarchy at `root`) and of every cgroup above
// it: each one's quota bounds all below it. `quotaOf` reads one folder's.
template <typename QuotaOf>
std::optional<unsigned> smallestQuota(const std::string& root, std::string_view path,
                                      QuotaOf quotaOf) {
    std::optional<unsigned> smallest;
    for (std::string folder = root + std::string{path};;) {
        if (const auto cpus = quotaCpus(quotaOf(folder + "/"))) {
            smallest = std::min(smallest.value_or(*cpus), *cpus);
        }
        const std::size_t slash = folder.rfind('/');
        if (folder.size() <= root.size() || slash == std::string::npos) {
            return smallest;
        }
        folder.resize(slash);
    }
}

// The quota of the cgroups this process is in, under cgroup v2 ("0::/path" in /proc/self/cgroup)
// or under v1's cpu controller ("4:cpu,cpuacct:/path").
std::optional<unsigned> cgroupQuota() {
    std::ifstream groups{"/proc/self/cgroup"};
    std::optional<unsigned> smallest;
    for (std::string line; std::getline(groups, line);) {
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) {
            continue;
        }
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const std::string_view path = trimmed(std::string_view{line}.substr(second + 1), "/");
        const std::string relative = path.empty() ? "" : "/" + std::string{path};
        std::optional<unsigned> quota;
        if (controllers.empty()) {
            quota = smallestQuota(
                std::string{kCgroupRoot}, relative,
                [](const std::string& folder) { return fileText(folder + "cpu.max"); });
        } else if (("," + controllers + ",").find(",cpu,") != std::string::npos) {
            quota = smallestQuota(std::string{kCgroupRoot} + "/" + controllers, relative,
                                  [](const std::string& folder) {
                                      return fileText(folder + "cpu.cfs_quota_us") + " " +
                                             fileText(folder + "cpu.cfs_period_us");
                                  });
        }
        if (quota) {
            smallest = std::min(smallest.value_or(*quota), *quota);
        }
    }
    return smallest;
}

}  // namespace

std::optional<unsigned> quotaCpus(std::string_view quotaAndPeriod) {
    const std::string_view text = trimmed(quotaAndPeriod, " \n");
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const auto quota = integer(text.substr(0, space));
    const auto period = integer(trimmed(text.substr(space + 1), " "));
    if (!quota || !period || *quota <= 0 || *period <= 0) {
        return std::nullopt;
    }
    const std::int64_t cpus = (*quota + *period - 1) / *period;
    return static_cast<unsigned>(
        std::min<std::int64_t>(cpus, std::numeric_limits<unsigned>::max()));
}

unsigned usableCpus() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    unsigned cpus = sched_getaffinity(0, sizeof allowed, &allowed) == 0
                        ? static_cast<unsigned>(CPU_COUNT(&allowed))
                        : std::thread::hardware_concurrency();
    if (const auto quota = cgroupQuota()) {
        cpus = std::min(cpus, *quota);
    }
    return std::max(cpus, 1U);
}

}  // namespace orvanto::cli
