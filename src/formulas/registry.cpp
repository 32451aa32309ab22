// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fused_kernel.h"
#include "formulas/inline_steps.h"
#include "formulas/kernels.h"
#include "formulas/steps.h"

namespace morv {

namespace {

namespace is = inline_steps;
using is::LateZMap;
using is::PlaneMap;
using is::SineMap;

// What the formulas know of a type: its step, and the fused kernels of a type
// whose step only returns a pixel. Its data is its catalogue row.
struct Registration {
    TypeId type;
    StepFn step;
    FusedKernels kernels{}; // empty: the one-call driver runs every step
};

// A type the driver steps one call at a time.
constexpr Registration driven(TypeId type, StepFn step) {
    return {type, step};
}

// A type whose step only returns a pixel (never draws, never reads the
// buffers): fused kernels for "Speed - Points" and "Hit Count", and several
// orbits in morvane-render. Steps may resolve the map once per run
// (inline_steps.h).
template <StepFn Step, class Steps = fused::TableStep<Step>>
constexpr Registration with_kernels(TypeId type) {
    return {type, Step, fused_kernels_of<Step, Steps>()};
}

// Every type once, by its id.
constexpr Registration kTypes[] = {
    with_kernels<henon, PlaneMap<is::henon_point>>(kTypeHenon),
    with_kernels<ikeda>(kTypeIkeda),
    driven(kTypeBifurcation, bifurcation),
    with_kernels<lorenz>(kTypeLorenz),
    with_kernels<ganymede, SineMap<is::ganymede_point, LateZMap<is::ganymede_plane, is::sine_z>>>(
        kTypeGanymede),
    with_kernels<pickover3d, SineMap<is::pickover3d_point>>(kTypePickover),
    with_kernels<dejong, SineMap<is::dejong_point, LateZMap<is::dejong_plane, is::sine_z>>>(
        kTypeDeJong),
    with_kernels<hpd>(kTypeHenonPhase),
    driven(kTypeSierpinski, sierpinski),
    driven(kTypeIfs, fern),
    with_kernels<feather>(kTypeFeather),
    with_kernels<duffing>(kTypeDuffing),
    with_kernels<hopalong>(kTypeHopalong),
    driven(kTypeSierpinskiWeb, web),
    driven(kTypeVolterraLotka, vl),
    driven(kTypeLace, lace),
    driven(kTypePopcorn, popcorn),
    driven(kTypePgm, pgm),
    driven(kTypeBasin, frothybasin),
    driven(kTypeUnity, unity),
    driven(kTypeChrysanthemum, chrysanthemum),
    driven(kTypeRossler, rossler),
    driven(kTypeButterfly, butterfly),
    driven(kTypeKamTorus, kamtorus),
    driven(kTypeSamardzija, samardzija),
    driven(kTypeLissajous, lissajous),
    with_kernels<iris, PlaneMap<is::iris_point>>(kTypeIris),
    with_kernels<atom, PlaneMap<is::atom_point>>(kTypeAtom),
    driven(kTypeRandomKamTorus, rpkamtorus),
    with_kernels<wings>(kTypeWings),
    with_kernels<medusa>(kTypeMedusa),
    with_kernels<disk>(kTypeDisk),
    with_kernels<ikedaifs>(kTypeIkedaIfs),
    with_kernels<stormjulia>(kTypeStormJulia),
    with_kernels<frostjulia>(kTypeFrostJulia),
    with_kernels<star>(kTypeStar),
    with_kernels<spirals>(kTypeSpirals),
    with_kernels<cosinewaves>(kTypeCosineWaves),
};

// No slot of the tables is left empty or filled twice.
constexpr bool every_type_once() {
    std::array<int, NTYPES> seen{};
    for (const Registration& r : kTypes)
        ++seen[static_cast<std::size_t>(r.type)];
    for (int n : seen)
        if (n != 1) return false;
    return std::size(kTypes) == NTYPES;
}
static_assert(every_type_once(), "every TypeId is registered exactly once");

constexpr StepTable step_table() {
    StepTable table{};
    for (const Registration& r : kTypes)
        table[static_cast<std::size_t>(r.type)] = r.step;
    return table;
}

constexpr FusedKernelTable kernel_table() {
    FusedKernelTable table{};
    for (const Registration& r : kTypes)
        table[static_cast<std::size_t>(r.type)] = r.kernels;
    return table;
}

} // namespace

const StepTable fpointer = step_table();
const FusedKernelTable fused_kernels = kernel_table();

bool plots_points_only(int type) {
    return valid_type(type) && fused_kernels[static_cast<std::size_t>(type)].step != nullptr;
}

} // namespace morv
