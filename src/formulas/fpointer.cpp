#include "formulas/steps.h"

#include <utility>

namespace morv {

namespace {

// Each type's step function beside its id; by_id() orders them for indexing.
constexpr std::pair<TypeId, StepFn> kSteps[] = {
    {kTypeHenon, henon},
    {kTypeIkeda, ikeda},
    {kTypeBifurcation, bifurcation},
    {kTypeLorenz, lorenz},
    {kTypeGanymede, ganymede},
    {kTypePickover, pickover3d},
    {kTypeDeJong, dejong},
    {kTypeHenonPhase, hpd},
    {kTypeSierpinski, sierpinski},
    {kTypeIfs, fern},
    {kTypeFeather, feather},
    {kTypeDuffing, duffing},
    {kTypeHopalong, hopalong},
    {kTypeSierpinskiWeb, web},
    {kTypeVolterraLotka, vl},
    {kTypeLace, lace},
    {kTypePopcorn, popcorn},
    {kTypePgm, pgm},
    {kTypeBasin, frothybasin},
    {kTypeUnity, unity},
    {kTypeChrysanthemum, chrysanthemum},
    {kTypeRossler, rossler},
    {kTypeButterfly, butterfly},
    {kTypeKamTorus, kamtorus},
    {kTypeSamardzija, samardzija},
    {kTypeLissajous, lissajous},
    {kTypeIris, iris},
    {kTypeAtom, atom},
    {kTypeRandomKamTorus, rpkamtorus},
    {kTypeWings, wings},
    {kTypeMedusa, medusa},
    {kTypeDisk, disk},
    {kTypeIkedaIfs, ikedaifs},
    {kTypeStormJulia, stormjulia},
    {kTypeFrostJulia, frostjulia},
    {kTypeStar, star},
    {kTypeSpirals, spirals},
    {kTypeCosineWaves, cosinewaves},
};

constexpr std::array<StepFn, NTYPES> by_id() {
    std::array<StepFn, NTYPES> table{};
    for (const auto& [id, step] : kSteps)
        table[static_cast<std::size_t>(id)] = step;
    return table;
}

// Every type once: no slot of the table is left empty.
constexpr bool every_type_once() {
    std::array<int, NTYPES> seen{};
    for (const auto& entry : kSteps)
        ++seen[static_cast<std::size_t>(entry.first)];
    for (int n : seen)
        if (n != 1) return false;
    return std::size(kSteps) == NTYPES;
}
static_assert(every_type_once());

} // namespace

const StepTable fpointer = by_id();

} // namespace morv
