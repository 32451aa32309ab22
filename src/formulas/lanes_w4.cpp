// SPDX-License-Identifier: GPL-3.0-or-later
// Four lanes in AVX2 registers. Only what follows the target switch uses
// AVX2 and FMA; the caller checks the processor before running it.
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
#pragma clang attribute push(__attribute__((target("avx2,fma"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2,fma")
#endif

// The deterministic AVX2 sine, cosine, arc tangent and square root of the vector library (declared
// here: its header shows them only to files built for AVX).
extern "C" {
__m256d Sleef_finz_sind4_u35avx2(__m256d);
__m256d Sleef_finz_cosd4_u35avx2(__m256d);
__m256d Sleef_finz_atand4_u35avx2(__m256d);
__m256d Sleef_finz_sqrtd4_u05avx2(__m256d);
}

#include "formulas/lane_kernel.h"

namespace morv::lanes {

namespace {

struct Width4 {
    using V = __m256d;
    using Wide = long long __attribute__((vector_size(32)));
    using Narrow = int __attribute__((vector_size(16)));
    static constexpr int kWidth = 4;
    static V load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, V v) { _mm256_storeu_pd(p, v); }
    using Seeds = unsigned __attribute__((vector_size(16)));
    static Seeds load_seeds(const std::uint32_t* p) {
        Seeds s;
        std::memcpy(&s, p, sizeof s);
        return s;
    }
    static void store_seeds(std::uint32_t* p, Seeds s) { std::memcpy(p, &s, sizeof s); }
    static double lane(V v, int l) { return v[l]; }
    static V sin(V v) { return Sleef_finz_sind4_u35avx2(v); }
    static V cos(V v) { return Sleef_finz_cosd4_u35avx2(v); }
    static V atan(V v) { return Sleef_finz_atand4_u35avx2(v); }
    static V sqrt(V v) { return Sleef_finz_sqrtd4_u05avx2(v); }
};

} // namespace

LaneKernel kernel_w4(int type, int method) {
    return kernel_of<Width4>(type, method);
}

} // namespace morv::lanes

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
