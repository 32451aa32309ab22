// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fused_kernel.h"
#include "formulas/inline_steps.h"
#include "formulas/kernels.h"
#include "formulas/steps.h"
#include "formulas/tangent_rows.h"

namespace morv {

namespace {

namespace is = inline_steps;
using is::LateZMap;
using is::PlaneMap;
using is::SineMap;
using namespace tangent;

// What the formulas know of a type: its step, the fused kernels of a type
// whose step only returns a pixel, and its map written out with its Jacobian
// for the measurements that follow tangent vectors (or why it has none). Its
// data is its catalogue row.
struct Registration {
    TypeId type;
    StepFn step;
    FusedKernels kernels; // empty: the one-call driver runs every step
    TangentModel tangent;
};

// A type the driver steps one call at a time.
constexpr Registration driven(TypeId type, StepFn step, TangentModel tangent) {
    return {type, step, {}, tangent};
}

// A type whose step only returns a pixel (never draws, never reads the
// buffers): fused kernels for "Speed - Points" and "Hit Count", and several
// orbits in morvane-render. Steps may resolve the map once per run
// (inline_steps.h).
template <StepFn Step, class Steps = fused::TableStep<Step>>
constexpr Registration with_kernels(TypeId type, TangentModel tangent) {
    return {type, Step, fused_kernels_of<Step, Steps>(), tangent};
}

constexpr TangentModel kBasinModel{.dim = 2,
                                   .start = start_point,
                                   .map = basin_map,
                                   .jacobian = basin_jacobian,
                                   .refusal = basin_refusal};

// Every type once, by its id.
constexpr Registration kTypes[] = {
    with_kernels<henon, PlaneMap<is::henon_point>>(kTypeHenon, map2(henon_map, henon_jacobian)),
    with_kernels<ikeda>(kTypeIkeda, map2(ikeda_map, ikeda_jacobian)),
    driven(kTypeBifurcation, bifurcation,
           uncovered("it scans a range of the logistic map's parameter, one orbit for each")),
    with_kernels<lorenz>(kTypeLorenz, with_field(flow(3, 0.005, lorenz_map, lorenz_jacobian),
                                                 lorenz_field, lorenz_field_jacobian)),
    with_kernels<ganymede, SineMap<is::ganymede_point, LateZMap<is::ganymede_plane, is::sine_z>>>(
        kTypeGanymede, map2(ganymede_map, ganymede_jacobian)),
    with_kernels<pickover3d, SineMap<is::pickover3d_point>>(
        kTypePickover, flow(3, 0.0, pickover_map, pickover_jacobian)),
    with_kernels<dejong, SineMap<is::dejong_point, LateZMap<is::dejong_plane, is::sine_z>>>(
        kTypeDeJong, map2(dejong_map, dejong_jacobian)),
    with_kernels<hpd>(kTypeHenonPhase, map2(hpd_map, hpd_jacobian)),
    driven(kTypeSierpinski, sierpinski, uncovered(kRandomBranch)),
    driven(kTypeIfs, fern, uncovered(kRandomBranch)),
    with_kernels<feather>(kTypeFeather, map2(feather_map, feather_jacobian)),
    with_kernels<duffing>(kTypeDuffing,
                          flow(2, kDuffingDt, duffing_map, duffing_jacobian, duffing_start)),
    with_kernels<hopalong>(kTypeHopalong, map2(hopalong_map, hopalong_jacobian)),
    driven(kTypeSierpinskiWeb, web, uncovered(kGridScan)),
    driven(kTypeVolterraLotka, vl, uncovered(kGridScan)),
    driven(kTypeLace, lace, uncovered(kRandomBranch)),
    driven(kTypePopcorn, popcorn, map2(popcorn_map, popcorn_jacobian)),
    driven(kTypePgm, pgm, map2(pgm_map, pgm_jacobian, pgm_start)),
    driven(kTypeBasin, frothybasin, kBasinModel),
    driven(kTypeUnity, unity, uncovered(kGridScan)),
    driven(kTypeChrysanthemum, chrysanthemum, uncovered(kCurve)),
    driven(kTypeRossler, rossler,
           with_field(flow(3, 0.005, rossler_map, rossler_jacobian), rossler_field,
                      rossler_field_jacobian)),
    driven(kTypeButterfly, butterfly, uncovered(kCurve)),
    driven(kTypeKamTorus, kamtorus,
           uncovered("it stacks many short orbits, each with its own start, into one picture")),
    driven(kTypeSamardzija, samardzija,
           flow(3, 0.05, samardzija_map, samardzija_jacobian, samardzija_start)),
    driven(kTypeLissajous, lissajous, uncovered(kCurve)),
    with_kernels<iris, PlaneMap<is::iris_point>>(kTypeIris, map2(iris_map, iris_jacobian)),
    with_kernels<atom, PlaneMap<is::atom_point>>(kTypeAtom, map2(atom_map, atom_jacobian)),
    driven(kTypeRandomKamTorus, rpkamtorus,
           uncovered("it draws a whole picture of many orbits of a randomly chosen map in one "
                     "call")),
    with_kernels<wings>(kTypeWings, map2(wings_map, wings_jacobian)),
    with_kernels<medusa>(kTypeMedusa, map2(medusa_map, medusa_jacobian)),
    with_kernels<disk>(kTypeDisk, map2(disk_map, disk_jacobian)),
    with_kernels<ikedaifs>(kTypeIkedaIfs, uncovered(kRandomBranch)),
    with_kernels<stormjulia>(kTypeStormJulia, uncovered(kRandomBranch)),
    with_kernels<frostjulia>(kTypeFrostJulia, uncovered(kRandomBranch)),
    with_kernels<star>(kTypeStar, map2(star_map, star_jacobian)),
    with_kernels<spirals>(kTypeSpirals, map2(spirals_map, spirals_jacobian)),
    with_kernels<cosinewaves>(kTypeCosineWaves, map2(cosinewaves_map, cosinewaves_jacobian)),
};

// No slot of the tables is left empty or filled twice, and a tangent model
// either covers its type or says why not.
constexpr bool every_type_once() {
    std::array<int, NTYPES> seen{};
    for (const Registration& r : kTypes) {
        ++seen[static_cast<std::size_t>(r.type)];
        if ((r.tangent.dim == 0) == (r.tangent.uncovered == nullptr)) return false;
    }
    for (int n : seen)
        if (n != 1) return false;
    return std::size(kTypes) == NTYPES;
}
static_assert(every_type_once(), "every TypeId is registered exactly once");

template <class Table, class Field> constexpr Table table_of(Field Registration::*field) {
    Table table{};
    for (const Registration& r : kTypes)
        table[static_cast<std::size_t>(r.type)] = r.*field;
    return table;
}

} // namespace

const StepTable fpointer = table_of<StepTable>(&Registration::step);
const FusedKernelTable fused_kernels = table_of<FusedKernelTable>(&Registration::kernels);
const TangentTable tangent_models = table_of<TangentTable>(&Registration::tangent);

bool plots_points_only(int type) {
    return valid_type(type) && fused_kernels[static_cast<std::size_t>(type)].step != nullptr;
}

} // namespace morv
