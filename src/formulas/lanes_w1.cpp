// SPDX-License-Identifier: GPL-3.0-or-later
// The scalar lanes: one orbit at a time, for processors without the vector
// instructions, with the same sine and cosine as the vector widths.
#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/type_ids.h"
#include "formulas/lane_types.h"
#include "formulas/lane_width_kernels.h"

#include <cstddef>
#include <cstdint>

// The vector library's deterministic scalar sine, cosine, arc tangent and square root, which use
// fused multiply-adds as its wider ones do (declared here: its header shows them only to files
// built for FMA).
extern "C" {
double Sleef_finz_sind1_u35purecfma(double);
double Sleef_finz_cosd1_u35purecfma(double);
double Sleef_finz_atand1_u35purecfma(double);
double Sleef_finz_sqrtd1_u05purecfma(double);
}

#include "formulas/lane_kernel.h"

namespace morv::lanes {

namespace {

struct Width1 {
    using V = double;
    static constexpr int kWidth = 1;
    static V load(const double* p) { return *p; }
    static void store(double* p, V v) { *p = v; }
    using Seeds = std::uint32_t;
    static Seeds load_seeds(const std::uint32_t* p) { return *p; }
    static void store_seeds(std::uint32_t* p, Seeds s) { *p = s; }
    static double lane(V v, int) { return v; }
    static V sin(V v) { return Sleef_finz_sind1_u35purecfma(v); }
    static V cos(V v) { return Sleef_finz_cosd1_u35purecfma(v); }
    static V atan(V v) { return Sleef_finz_atand1_u35purecfma(v); }
    static V sqrt(V v) { return Sleef_finz_sqrtd1_u05purecfma(v); }
};

} // namespace

LaneKernel kernel_w1(int type, int method) {
    return kernel_of<Width1>(type, method);
}

} // namespace morv::lanes
