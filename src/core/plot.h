#pragma once

namespace morv {

struct State;

// Colours the new pixel (and for "Speed - Lines" the segment from the previous
// one) by the current type's colouring method. Always returns 0.
int plot(State& s, int xplot1, int yplot1, int xplot0, int yplot0);

} // namespace morv
