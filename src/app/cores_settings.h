// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv::app {

// The desktop program's render on every core: off, the picture is the one
// orbit the driver draws on the window's thread. On, K orbits share the
// points on worker threads, as `morvane-render --orbits K [--fast]` draws
// them for the same seed.
struct CoresSettings {
    bool on = false;
    bool fast = false;              // the orbits in vector lanes
    long long orbits = 64;          // K
    long long points = 100'000'000; // driver calls over all K orbits
    int threads = 0;                // 0: one per processor core
    bool operator==(const CoresSettings&) const = default;
};

} // namespace morv::app
