#pragma once

namespace morv {

// What the step functions of the two- and three-dimensional point maps, plane maps and
// random-branch maps keep between calls of one render. Reset by each step function when it is
// called with iter 0.
struct PointMapScratch {};

} // namespace morv
