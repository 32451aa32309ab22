// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue.h"
#include "formulas/tangent_models.h"

#include <utility>

namespace morv {

namespace {

using namespace tangent;

constexpr double kDuffingDt = 0.15915494309189535; // 1/(2 pi)

constexpr TangentModel map2(VOXEL (*map)(const Params&, VOXEL),
                            Jacobian (*jacobian)(const Params&, VOXEL),
                            VOXEL (*start)(const Params&) = start_point) {
    return TangentModel{.dim = 2, .start = start, .map = map, .jacobian = jacobian};
}
constexpr TangentModel flow(int dim, double dt, VOXEL (*map)(const Params&, VOXEL),
                            Jacobian (*jacobian)(const Params&, VOXEL),
                            VOXEL (*start)(const Params&) = start_point) {
    return TangentModel{
        .dim = dim, .time_step = dt, .start = start, .map = map, .jacobian = jacobian};
}
constexpr TangentModel with_field(TangentModel m, VOXEL (*field)(const Params&, VOXEL),
                                  Jacobian (*field_jacobian)(const Params&, VOXEL)) {
    m.field = field;
    m.field_jacobian = field_jacobian;
    return m;
}
constexpr TangentModel uncovered(const char* why) {
    return TangentModel{.uncovered = why};
}

constexpr const char* kRandomBranch =
    "its next point depends on a random choice among several maps, so it has no single "
    "Jacobian";
constexpr const char* kGridScan = "it scans the plane row by row and follows no single orbit";
constexpr const char* kCurve = "it draws a parametric curve, not the orbit of a map";

constexpr std::pair<TypeId, TangentModel> kModels[] = {
    {kTypeHenon, map2(henon_map, henon_jacobian)},
    {kTypeIkeda, map2(ikeda_map, ikeda_jacobian)},
    {kTypeBifurcation,
     uncovered("it scans a range of the logistic map's parameter, one orbit for each")},
    {kTypeLorenz,
     with_field(flow(3, 0.005, lorenz_map, lorenz_jacobian), lorenz_field, lorenz_field_jacobian)},
    {kTypeGanymede, map2(ganymede_map, ganymede_jacobian)},
    {kTypePickover, flow(3, 0.0, pickover_map, pickover_jacobian)},
    {kTypeDeJong, map2(dejong_map, dejong_jacobian)},
    {kTypeHenonPhase, map2(hpd_map, hpd_jacobian)},
    {kTypeSierpinski, uncovered(kRandomBranch)},
    {kTypeIfs, uncovered(kRandomBranch)},
    {kTypeFeather, map2(feather_map, feather_jacobian)},
    {kTypeDuffing, flow(2, kDuffingDt, duffing_map, duffing_jacobian, duffing_start)},
    {kTypeHopalong, map2(hopalong_map, hopalong_jacobian)},
    {kTypeSierpinskiWeb, uncovered(kGridScan)},
    {kTypeVolterraLotka, uncovered(kGridScan)},
    {kTypeLace, uncovered(kRandomBranch)},
    {kTypePopcorn, map2(popcorn_map, popcorn_jacobian)},
    {kTypePgm, map2(pgm_map, pgm_jacobian, pgm_start)},
    {kTypeBasin, TangentModel{.dim = 2,
                              .start = start_point,
                              .map = basin_map,
                              .jacobian = basin_jacobian,
                              .refusal = basin_refusal}},
    {kTypeUnity, uncovered(kGridScan)},
    {kTypeChrysanthemum, uncovered(kCurve)},
    {kTypeRossler, with_field(flow(3, 0.005, rossler_map, rossler_jacobian), rossler_field,
                              rossler_field_jacobian)},
    {kTypeButterfly, uncovered(kCurve)},
    {kTypeKamTorus,
     uncovered("it stacks many short orbits, each with its own start, into one picture")},
    {kTypeSamardzija, flow(3, 0.05, samardzija_map, samardzija_jacobian, samardzija_start)},
    {kTypeLissajous, uncovered(kCurve)},
    {kTypeIris, map2(iris_map, iris_jacobian)},
    {kTypeAtom, map2(atom_map, atom_jacobian)},
    {kTypeRandomKamTorus,
     uncovered("it draws a whole picture of many orbits of a randomly chosen map in one call")},
    {kTypeWings, map2(wings_map, wings_jacobian)},
    {kTypeMedusa, map2(medusa_map, medusa_jacobian)},
    {kTypeDisk, map2(disk_map, disk_jacobian)},
    {kTypeIkedaIfs, uncovered(kRandomBranch)},
    {kTypeStormJulia, uncovered(kRandomBranch)},
    {kTypeFrostJulia, uncovered(kRandomBranch)},
    {kTypeStar, map2(star_map, star_jacobian)},
    {kTypeSpirals, map2(spirals_map, spirals_jacobian)},
    {kTypeCosineWaves, map2(cosinewaves_map, cosinewaves_jacobian)},
};

constexpr TangentTable by_id() {
    TangentTable table{};
    for (const auto& [id, model] : kModels)
        table[static_cast<std::size_t>(id)] = model;
    return table;
}

// Every type once, covered or with its reason.
constexpr bool every_type_once() {
    std::array<int, NTYPES> seen{};
    for (const auto& [id, model] : kModels) {
        ++seen[static_cast<std::size_t>(id)];
        if ((model.dim == 0) == (model.uncovered == nullptr)) return false;
    }
    for (int n : seen)
        if (n != 1) return false;
    return std::size(kModels) == NTYPES;
}
static_assert(every_type_once());

} // namespace

const TangentTable tangent_models = by_id();

} // namespace morv
