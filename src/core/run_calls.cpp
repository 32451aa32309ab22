#include "core/run_calls.h"

#include "core/driver.h"
#include "core/state.h"

namespace morv {

namespace {

// The kernel for the state's type, method and step function, if there is one.
FusedKernel kernel_for(const State& s, const FusedKernelTable* kernels) {
    if (kernels == nullptr || s.firstloop || !valid_type(s.type)) return nullptr;
    const FusedKernels& k = (*kernels)[s.type];
    const int m = s.method[s.type];
    if (k.step == nullptr || k.step != step_of(s) || m < 0 ||
        m >= static_cast<int>(k.by_method.size()))
        return nullptr;
    // The kernels draw straight into a canvas of the image's size, and their
    // speed colouring is the step length's.
    if (s.canvas.width() != s.res || s.canvas.height() != s.res) return nullptr;
    if (m == kMethodSpeedPoints && catalogue[s.type].speed != SpeedRule::Step) return nullptr;
    return k.by_method[m];
}

} // namespace

RunOutcome run_calls(State& s, long long n, const FusedKernelTable* kernels, const bool* held) {
    RunOutcome out;
    while (out.calls < n) {
        if (const FusedKernel k = kernel_for(s, kernels)) {
            out.calls += k(s, s, n - out.calls, held, out.last);
        } else {
            out.last = fractaldriver(s);
            ++out.calls;
        }
        if (pauses(out.last) || (held != nullptr && *held)) break;
    }
    return out;
}

} // namespace morv
