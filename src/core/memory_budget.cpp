// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/memory_budget.h"

#include "core/parse.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace morv {

namespace {

// What the system reports as available, or the machine's memory.
unsigned long long available_memory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line))
        if (line.rfind("MemAvailable:", 0) == 0) {
            std::istringstream in(line.substr(13));
            unsigned long long kb = 0;
            if (in >> kb) return kb * 1024;
        }
    const long pages = ::sysconf(_SC_PHYS_PAGES), page = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && page > 0 ? static_cast<unsigned long long>(pages) * page : ~0ull;
}

// The address space the process may still take under its limit (ulimit -v),
// or no bound when there is none.
unsigned long long address_space_left() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return ~0ull;
    std::ifstream statm("/proc/self/statm");
    unsigned long long pages = 0;
    statm >> pages;
    const long page = ::sysconf(_SC_PAGESIZE);
    const unsigned long long used = page > 0 ? pages * static_cast<unsigned long long>(page) : 0;
    const auto cap = static_cast<unsigned long long>(limit.rlim_cur);
    return cap > used ? cap - used : 0;
}

} // namespace

unsigned long long memory_budget() {
    if (const char* limit = std::getenv("MORVANE_MEMORY_LIMIT")) {
        long long n = 0;
        if (parse_int(limit, n) && n >= 0) return static_cast<unsigned long long>(n);
    }
    return std::min(available_memory(), address_space_left());
}

} // namespace morv
