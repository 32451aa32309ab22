// SPDX-License-Identifier: GPL-3.0-or-later
// Eight lanes in AVX-512 registers. Only what follows the target switch uses
// AVX-512 and FMA; the caller checks the processor before running it.
#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/type_ids.h"
#include "formulas/lane_types.h"
#include "formulas/lane_width_kernels.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f,fma"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f,fma")
#endif

// The deterministic AVX-512 sine, cosine, arc tangent and square root of the vector library
// (declared here: its header shows them only to files built for AVX).
extern "C" {
__m512d Sleef_finz_sind8_u35avx512f(__m512d);
__m512d Sleef_finz_cosd8_u35avx512f(__m512d);
__m512d Sleef_finz_atand8_u35avx512f(__m512d);
__m512d Sleef_finz_sqrtd8_u05avx512f(__m512d);
}

#include "formulas/lane_kernel.h"

namespace morv::lanes {

namespace {

struct Width8 {
    using V = __m512d;
    using Wide = long long __attribute__((vector_size(64)));
    using Narrow = int __attribute__((vector_size(32)));
    static constexpr int kWidth = 8;
    static V load(const double* p) { return _mm512_loadu_pd(p); }
    static void store(double* p, V v) { _mm512_storeu_pd(p, v); }
    using Seeds = unsigned __attribute__((vector_size(32)));
    static Seeds load_seeds(const std::uint32_t* p) {
        Seeds s;
        std::memcpy(&s, p, sizeof s);
        return s;
    }
    static void store_seeds(std::uint32_t* p, Seeds s) { std::memcpy(p, &s, sizeof s); }
    static double lane(V v, int l) { return v[l]; }
    static V sin(V v) { return Sleef_finz_sind8_u35avx512f(v); }
    static V cos(V v) { return Sleef_finz_cosd8_u35avx512f(v); }
    static V atan(V v) { return Sleef_finz_atand8_u35avx512f(v); }
    static V sqrt(V v) { return Sleef_finz_sqrtd8_u05avx512f(v); }
};

} // namespace

LaneKernel kernel_w8(int type, int method) {
    return kernel_of<Width8>(type, method);
}

} // namespace morv::lanes

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
