// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: a parameter record as a file would bring it, then, when
// the checks let it in, a few thousand driver calls of its type. The bytes
// after the record choose the settings a record leaves out. Every input ends:
// the calls are counted, and each call's work is bounded by its type.
#include "core/driver.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/record_check.h"
#include "formulas/steps.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace morv;

namespace {

constexpr int kCalls = 3000;
constexpr int kRes = 200; // the smallest image a user can ask for

// The settings outside the record, each inside its range, from up to four
// more bytes.
void apply_extras(State& s, std::span<const std::uint8_t> extra) {
    auto byte = [&](std::size_t i) { return i < extra.size() ? extra[i] : std::uint8_t{0}; };
    const TypeInfo& t = catalogue[s.type];
    const int method = byte(0) % 5;
    if (method == t.method || (t.okmethod & okmethod_bit(method)) != 0) s.method[s.type] = method;
    s.rotationorder = byte(1) % 6;
    const std::uint8_t flags = byte(2);
    s.oddflag = flags & 1, s.basinflag = (flags >> 1) & 1, s.unityflag = (flags >> 2) & 1;
    s.unitybasin = (flags >> 3) & 1, s.rosslerflag = (flags >> 4) & 1,
    s.showorbits = (flags >> 5) & 1;
    s.vlcoloring = byte(3) % 3;
    s.linewidth = 1 + (byte(3) >> 4) % 3;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kAtrSize) return 0;
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    if (!set_resolution(s, kRes)) std::abort();
    std::string reason;
    if (load_atr_bytes(s, std::span<const std::uint8_t>(data, kAtrSize), &reason) != kAtrLoadOk)
        return 0;
    apply_extras(s, std::span<const std::uint8_t>(data + kAtrSize, size - kAtrSize));
    if (check_settings(s)) std::abort(); // a loaded record is always a usable state
    for (int i = 0; i < kCalls; ++i) {
        // A pause is resumed at once, as the renderer does.
        if (render_step(s) == Outcome::Complete) break;
    }
    return 0;
}
