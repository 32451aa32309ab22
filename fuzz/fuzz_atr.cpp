// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the parameter-record reader. A rejected record must leave
// the state exactly as it was; an accepted one must only hold values the
// program can use.
#include "core/state.h"
#include "files/atr.h"
#include "files/record_check.h"

#include <cstdint>
#include <cstdlib>
#include <span>

using namespace morv;

namespace {

// The type and everything a record carries, as bytes.
AtrBytes record_of(const State& s) {
    return encode_atr(atr_from_state(s));
}

// One instance for the whole run: building a State (its 600 x 600 canvas)
// under the fuzzer's instrumentation costs more than the reader itself. Any
// state is a valid starting point for a load.
State& fuzz_state() {
    static State s;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    State& s = fuzz_state();
    const AtrBytes before = record_of(s);
    std::string reason;
    const int rc = load_atr_bytes(s, std::span<const std::uint8_t>(data, size), &reason);
    if (rc != kAtrLoadOk) {
        if (record_of(s) != before || reason.empty()) std::abort();
        return 0;
    }
    if (check_record(atr_from_state(s))) std::abort(); // what loaded passes the checks
    // What was read writes back to the same type and settings.
    const ATR again = decode_atr(encode_atr(atr_from_state(s)));
    if (again.type != s.type || again.smode != s.smode) std::abort();
    return 0;
}
