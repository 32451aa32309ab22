#pragma once

namespace morv {

// What the step functions of bifurcation diagram, Rossler, parametric curves, KAM tori and the
// animated oscillators keep between calls of one render. Reset by each step function when it is
// called with iter 0.
struct SelfDrawScratch2 {};

} // namespace morv
