#pragma once

namespace morv {

struct State;

inline constexpr const char* kHitcountAllocText =
    "Not enough memory to allocate hit count buffer.\nFree up more system memory, or\n   set a "
    "smaller image resolution.";
inline constexpr const char* kHitcountAllocCaption = "Memory allocation problem";

// One iteration of the current type. Returns 1 when the hit-count buffer could
// not be allocated (the caller shows kHitcountAllocText), otherwise 0. Pauses
// by posting the Render / Pause / Resume command, never by touching okrun.
int fractaldriver(State& s);

} // namespace morv
