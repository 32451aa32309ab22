#include "formulas/kernels.h"

#include "core/fused_kernel.h"
#include "formulas/inline_steps.h"
#include "formulas/steps.h"

namespace morv {

namespace {

constexpr FusedKernelTable make_table() {
    FusedKernelTable t{};
    t[kTypeHenon] = fused_kernels_of<henon, inline_steps::PlaneMap<inline_steps::henon_point>>();
    t[kTypeIkeda] = fused_kernels_of<ikeda>();
    t[kTypeLorenz] = fused_kernels_of<lorenz>();
    t[kTypeGanymede] = fused_kernels_of<
        ganymede, inline_steps::SineMap<inline_steps::ganymede_point, inline_steps::ganymede_plane,
                                        inline_steps::sine_z>>();
    t[kTypePickover] =
        fused_kernels_of<pickover3d, inline_steps::SineMap<inline_steps::pickover3d_point>>();
    t[kTypeDeJong] =
        fused_kernels_of<dejong,
                         inline_steps::SineMap<inline_steps::dejong_point,
                                               inline_steps::dejong_plane, inline_steps::sine_z>>();
    t[kTypeHenonPhase] = fused_kernels_of<hpd>();
    t[kTypeFeather] = fused_kernels_of<feather>();
    t[kTypeDuffing] = fused_kernels_of<duffing>();
    t[kTypeHopalong] = fused_kernels_of<hopalong>();
    t[kTypeIris] = fused_kernels_of<iris, inline_steps::PlaneMap<inline_steps::iris_point>>();
    t[kTypeAtom] = fused_kernels_of<atom, inline_steps::PlaneMap<inline_steps::atom_point>>();
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
