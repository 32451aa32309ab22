#pragma once

#include "core/types.h"

#include <array>
#include <string_view>

namespace morv {

struct State;

// One iteration of a type's formula; see docs/step-contract.md.
using StepFn = int (*)(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);

// Step results as the driver treats them.
enum StepResult : int {
    kPlot = 0,      // a point for the plotter
    kAccepted = 1,  // accepted, drawn or skipped by the step
    kTransient = 2, // accepted, nothing to plot
    kComplete = 3,  // image complete: pause and start afresh on Resume
    kStop = 4,      // pause here; Resume continues
};

// poptions bits
enum : int {
    kOptSpeed = 0x1,
    kOptAbcd = 0x2,
    kOptRotation = 0x4,
    kOptSpecial = 0x8,
    kOptWindow = 0x10,
    kOptRandom = 0x20,
};

// Colouring methods (values of method[type]) and their okmethod bits.
enum : int {
    kMethodSelf = 0,
    kMethodSpeedPoints = 1,
    kMethodSpeedLines = 2,
    kMethodHitCount = 3,
    kMethodZPlane = 4,
};
constexpr int okmethod_bit(int method) {
    return method >= 1 && method <= 4 ? 1 << (method - 1) : 0;
}

struct TypeInfo {
    std::string_view name;
    PARAM pdef;
    MINMAX mmdef;
    MINMAX mmrange;
    std::array<double, 4> abcdrange;
    std::array<double, 4> sprange;
    int poptions;
    int method; // default colouring method
    int okmethod;
};

extern const std::array<TypeInfo, NTYPES> catalogue;

// Step functions by type; nullptr where a type is not available in this build.
extern const std::array<StepFn, NTYPES> fpointer;

inline bool valid_type(int type) {
    return type >= 0 && type < NTYPES;
}

// The random search draws every coefficient of the types from Iris on afresh,
// each within [-2, 2]; the earlier types draw a..d from their abcdrange.
inline constexpr int kFirstFreshRandomType = 26;
inline constexpr double kFreshRandomBound = 2.0;

} // namespace morv
