#pragma once

namespace morv {

struct State;

// What one driver call did. The driver only reports; whoever runs it decides
// what a pause means (the desktop program pauses, the renderer resumes at once).
enum class Outcome {
    Plotted,   // a point was accepted (drawn, or kept as the previous pixel)
    Transient, // accepted, nothing to plot yet
    Paused,    // the step or the start-up image asked to pause; Resume continues
    Complete,  // the image is complete; Resume starts afresh
    NoMemory,  // the hit-count buffer could not be had; pause
};

inline bool pauses(Outcome o) {
    return o == Outcome::Paused || o == Outcome::Complete || o == Outcome::NoMemory;
}

// One iteration of the current type. Never touches okrun.
Outcome fractaldriver(State& s);

} // namespace morv
