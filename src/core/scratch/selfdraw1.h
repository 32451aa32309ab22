#pragma once

namespace morv {

// What the step functions of chaos games, grid scans, self-scaled orbits and Unity keep between
// calls of one render. Reset by each step function when it is called with iter 0.
struct SelfDrawScratch1 {};

} // namespace morv
