// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/types.h"

#include <array>
#include <span>
#include <string_view>

namespace morv {

struct Params;
struct RenderContext;

// One iteration of a type's formula over a parameter set it only reads, in a
// render context that holds everything it writes; see docs/step-contract.md.
using StepFn = int (*)(const Params& ps, RenderContext& rc, Point3 old, Point3* next, int iter,
                       int* xpos, int* ypos);

// Step functions by type number. The engine does not know the formulas: whoever
// builds an instance hands it their table.
using StepTable = std::array<StepFn, NTYPES>;

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

// How the speed colouring methods turn the latest step into a palette index.
enum class SpeedRule {
    Step,   // the length of the step in the plane
    Depth,  // how far the point lies along z, scaled to the image
    Height, // z itself
};

// How a random parameter search draws a candidate.
enum class RandomScheme {
    None,         // no search offered
    Pickover,     // a..d from the type's ranges, kept off collapsing sets
    Coefficients, // a..d, sp0 and sp1 drawn afresh around zero
    Spirals,      // as Coefficients, sp1 near 1 and every draw accepted
};

// What choosing a type in the type dialog opens or does next. The
// application maps each to its dialog or command.
enum class FollowUp {
    None,
    BifurcationBox, // classic or odd function
    SierpinskiForm, // polygon and colouring
    FernForm,       // IFS coefficients
    PgmFormula,     // the formula dialog, then its parameters
    BasinBox,       // escape time or finite attractor
    VolterraLotkaForm,
    UnityBox,      // original or inversion
    RosslerBox,    // projection or orthogonal
    StormDefaults, // the next image starts from one of the type's start sets
};

// A built-in set a type may start from: the first call of the next run takes
// (x, y) as its point, and a..d replace the working parameters for good.
struct StartSet {
    double x, y, a, b, c, d;
};

// A type's row: everything about it but its step, which the formulas register
// beside its id (formulas/registry.cpp).
struct TypeInfo {
    std::string_view name; // plain: the type list adds the marks (type_label)
    int mark_gap = 2;      // spaces between the name and its marks in the type list
    TypeParams pdef;
    ViewWindow mmdef;
    ViewWindow mmrange;
    std::array<double, 4> abcdrange{};
    std::array<double, 4> sprange{};
    int poptions = 0; // kOpt* bits
    int method;       // default colouring method
    int okmethod = 0; // okmethod_bit() of each method offered
    Point3 rotdef{};  // rotation angles at start-up
    // The Parameters dialog's labels of sp0 and sp1; empty where unused.
    std::string_view sp0_label{};
    std::string_view sp1_label{};
    SpeedRule speed = SpeedRule::Step;
    RandomScheme random = RandomScheme::None;
    FollowUp follow_up = FollowUp::None;
    // One is taken, by lrand() modulo their count, when a run starts while the
    // render context's stormflag is set; empty for the types that have none.
    std::span<const StartSet> start_sets{};
};

// The follow-ups that edit the type's numbers in a form of its own.
constexpr bool edits_numbers(FollowUp f) {
    return f == FollowUp::FernForm || f == FollowUp::VolterraLotkaForm || f == FollowUp::PgmFormula;
}

// Whether the user can change the type's parameters (the "+" of the type list):
// in the Parameters dialog, or in the type's own form.
constexpr bool changeable(const TypeInfo& t) {
    return t.poptions != 0 || edits_numbers(t.follow_up);
}

// A type that colours its own points unless an option says otherwise.
constexpr bool draws_by_itself(const TypeInfo& t) {
    return t.method == kMethodSelf;
}

extern const std::array<TypeInfo, NTYPES> catalogue;

inline bool valid_type(int type) {
    return type >= 0 && type < NTYPES;
}

// The type list's label of a valid type: its name, then "+" when changeable and
// "$" when it offers random sets ("Iris  + $").
std::string_view type_label(int type);

// A valid type's name without its " - 3D", as window titles and picture
// descriptions show it.
std::string_view short_type_name(int type);

// The Coefficients and Spirals schemes draw within [-this, this] (2u - 2v).
inline constexpr double kRandomCoefficientBound = 2.0;

} // namespace morv
