// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run_calls.h"

#include "core/driver.h"
#include "core/state.h"

namespace morv {

namespace {

// The kernel for the context's type, method and step function, if there is one.
FusedKernel kernel_for(const Params& ps, const RenderContext& rc, const FusedKernelTable* kernels) {
    if (kernels == nullptr || rc.fresh_image || !valid_type(ps.type)) return nullptr;
    const FusedKernels& k = (*kernels)[ps.type];
    const int m = ps.method[ps.type];
    if (k.step == nullptr || k.step != step_of(ps, rc) || m < 0 ||
        m >= static_cast<int>(k.by_method.size()))
        return nullptr;
    // The kernels draw straight into a canvas of the image's size (when one
    // is painted at all), and their speed colouring is the step length's.
    if (rc.paints_canvas && (rc.canvas.width() != ps.res || rc.canvas.height() != ps.res))
        return nullptr;
    if (m == kMethodSpeedPoints && catalogue[ps.type].speed != SpeedRule::Step) return nullptr;
    return k.by_method[m];
}

// `driver` makes one call of the one-call driver.
template <class Driver>
RunOutcome run(const Params& ps, RenderContext& rc, long long n, const FusedKernelTable* kernels,
               const bool* held, Driver driver) {
    RunOutcome out;
    while (out.calls < n) {
        if (const FusedKernel k = kernel_for(ps, rc, kernels)) {
            out.calls += k(ps, rc, n - out.calls, held, out.last);
        } else {
            out.last = driver();
            ++out.calls;
        }
        if (pauses(out.last) || (held != nullptr && *held)) break;
    }
    return out;
}

} // namespace

RunOutcome run_calls(State& s, long long n, const FusedKernelTable* kernels, const bool* held) {
    return run(s, s, n, kernels, held, [&s] { return render_step(s); });
}

RunOutcome run_calls(const Params& ps, RenderContext& rc, long long n,
                     const FusedKernelTable* kernels, const bool* held) {
    return run(ps, rc, n, kernels, held, [&ps, &rc] { return render_step(ps, rc); });
}

} // namespace morv
