// SPDX-License-Identifier: GPL-3.0-or-later
#include "formulas/lanes.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/rotation.h"
#include "core/type_ids.h"
#include "formulas/lane_width_kernels.h"

#include <cmath>

namespace morv {

namespace {

// The sine maps and Lorenz draw their points as the user turned them.
bool turns_its_points(int type) {
    return type == kTypeDeJong || type == kTypePickover || type == kTypeGanymede ||
           type == kTypeLorenz;
}

int axis_of(double Point3::*axis) {
    return axis == &Point3::x ? 0 : axis == &Point3::y ? 1 : 2;
}

// The view's turns with each angle's sine and cosine.
void take_turns(const Params& ps, LaneMap& m) {
    const RotationPlan plan = plan_rotation(ps.rot[ps.type], ps.rotationorder);
    m.turns = plan.turns;
    for (int i = 0; i < plan.turns; ++i) {
        const RotationPlan::Turn& t = plan.turn[i];
        m.turn[i] = {axis_of(t.sine_axis), axis_of(t.cosine_axis), std::sin(t.radians),
                     std::cos(t.radians)};
    }
}

// What Duffing's forcing adds, by its phase: the cosine of 0.01 per call,
// repeating every 628 calls.
std::vector<double> duffing_forcing() {
    constexpr int kPhases = 628;
    std::vector<double> cosines(kPhases);
    for (int a = 0; a < kPhases; ++a)
        cosines[static_cast<std::size_t>(a)] = std::cos(0.01 * a);
    return cosines;
}

} // namespace

void LaneDensity::add(std::uint32_t at, Point3 v, const Point3& oldv, std::uint64_t& dots) const {
    if (sine_z) v.z = std::sin(oldv.x);
    add_hit(cells[at], colors->color_at(*params, v, oldv, dots++), frac_bits);
}

LaneKernel lane_kernel(int type, int method, int width) {
    switch (width) {
    case 1:
        return lanes::kernel_w1(type, method);
    case 4:
        return lanes::kernel_w4(type, method);
    case 8:
        return lanes::kernel_w8(type, method);
    default:
        return nullptr;
    }
}

std::vector<int> lane_widths() {
    std::vector<int> widths;
    __builtin_cpu_init();
    const bool fma = __builtin_cpu_supports("fma") != 0;
    if (fma && __builtin_cpu_supports("avx512f") != 0) widths.push_back(8);
    if (fma && __builtin_cpu_supports("avx2") != 0) widths.push_back(4);
    widths.push_back(1);
    return widths;
}

LaneMap lane_map_of(const Params& ps) {
    const TypeParams& p = ps.p[ps.type];
    const ViewWindow& mm = ps.mm[ps.type];
    LaneMap m;
    m.a = p.a, m.b = p.b, m.c = p.c, m.d = p.d, m.sp0 = p.sp0, m.sp1 = p.sp1;
    if (ps.type == kTypeSpirals) {
        m.k0 = p.sp1 * std::sin(kTwoPi * p.sp0);
        m.k1 = p.sp1 * std::cos(kTwoPi * p.sp0);
    } else if (ps.type == kTypeHenonPhase) {
        const double rad = (kPi * p.sp0) * (1.0 / 180.0);
        m.k0 = std::cos(rad);
        m.k1 = std::sin(rad);
    } else if (ps.type == kTypeLorenz) {
        m.k0 = ps.res * (1.0 / 70.0);
        m.z_shift = wrap_mul(3, ps.res >> 3);
    } else if (ps.type == kTypeDuffing) {
        m.forcing = duffing_forcing();
    }
    m.xmin = mm.xmin;
    m.ymin = mm.ymin;
    m.xscale = ps.dres / (mm.xmax - mm.xmin);
    m.yscale = ps.dres / (mm.ymax - mm.ymin);
    m.res = ps.res;
    if (turns_its_points(ps.type) && rotated(ps)) take_turns(ps, m);
    return m;
}

bool lanes_leave_out_z(int type) {
    return type == kTypeDeJong || type == kTypeGanymede;
}

bool lanes_seed_from_clock(int type) {
    return type == kTypeHenonPhase || type == kTypeFeather;
}

std::optional<std::string> lane_refusal(const Params& ps) {
    const int method = ps.method[ps.type];
    if (lane_kernel(ps.type, method, 1) == nullptr)
        return std::string(type_label(ps.type)) +
               " has no vector lanes with this method; --fast draws the types --orbits draws "
               "(point, plane and random-branch maps) with Speed - Points or Hit Count";
    return std::nullopt;
}

} // namespace morv
