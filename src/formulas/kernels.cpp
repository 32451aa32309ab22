#include "formulas/kernels.h"

#include "core/fused_kernel.h"
#include "formulas/inline_steps.h"
#include "formulas/steps.h"

namespace morv {

namespace {

// The cheapest maps resolved once per run (see inline_steps.h).
using inline_steps::LateZMap;
using inline_steps::PlaneMap;
using inline_steps::SineMap;

constexpr FusedKernelTable make_table() {
    namespace is = inline_steps;
    FusedKernelTable t{};
    t[kTypeHenon] = fused_kernels_of<henon, PlaneMap<is::henon_point>>();
    t[kTypeIkeda] = fused_kernels_of<ikeda>();
    t[kTypeLorenz] = fused_kernels_of<lorenz>();
    t[kTypeGanymede] =
        fused_kernels_of<ganymede,
                         SineMap<is::ganymede_point, LateZMap<is::ganymede_plane, is::sine_z>>>();
    t[kTypePickover] = fused_kernels_of<pickover3d, SineMap<is::pickover3d_point>>();
    t[kTypeDeJong] =
        fused_kernels_of<dejong,
                         SineMap<is::dejong_point, LateZMap<is::dejong_plane, is::sine_z>>>();
    t[kTypeHenonPhase] = fused_kernels_of<hpd>();
    t[kTypeFeather] = fused_kernels_of<feather>();
    t[kTypeDuffing] = fused_kernels_of<duffing>();
    t[kTypeHopalong] = fused_kernels_of<hopalong>();
    t[kTypeIris] = fused_kernels_of<iris, PlaneMap<is::iris_point>>();
    t[kTypeAtom] = fused_kernels_of<atom, PlaneMap<is::atom_point>>();
    t[kTypeWings] = fused_kernels_of<wings>();
    t[kTypeMedusa] = fused_kernels_of<medusa>();
    t[kTypeDisk] = fused_kernels_of<disk>();
    t[kTypeIkedaIfs] = fused_kernels_of<ikedaifs>();
    t[kTypeStormJulia] = fused_kernels_of<stormjulia>();
    t[kTypeFrostJulia] = fused_kernels_of<frostjulia>();
    t[kTypeStar] = fused_kernels_of<star>();
    t[kTypeSpirals] = fused_kernels_of<spirals>();
    t[kTypeCosineWaves] = fused_kernels_of<cosinewaves>();
    return t;
}

} // namespace

const FusedKernelTable fused_kernels = make_table();

bool plots_points_only(int type) {
    return valid_type(type) && fused_kernels[type].step != nullptr;
}

} // namespace morv
