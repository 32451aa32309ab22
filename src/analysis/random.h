// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/lyapunov.h"
#include "core/catalogue.h"
#include "core/types.h"

#include <functional>
#include <string>

namespace morv {

struct State;

// Results of randomparams.
inline constexpr int kRandomAccepted = 0;   // the new set stands in p[type]
inline constexpr int kRandomDeclined = 1;   // the user declined it; p[type] restored
inline constexpr int kRandomNotFound = 2;   // no set among 99 candidates; p[type] restored
inline constexpr int kRandomNotOffered = 3; // the type offers no random search; nothing changed

// Asked in debug mode with the text of the accepted set; true means Yes.
using ConfirmFn = std::function<bool(const std::string& text)>;

// Rounds a, b, c, d, sp0 and sp1 (not the start point) down to a multiple of
// 1e-12, the floor taken in extended precision.
void paramclip(TypeParams* RP);

// Whether the current type offers the search (its options carry the
// random-parameters bit and it can be measured).
bool random_search_offered(const State& s);

// The confirmation text: count, a, b, c, d, LExp and FD.
std::string random_confirm_text(int count, const TypeParams& RP, double LExp, double FD);

// What a search ended with.
struct RandomResult {
    int code = kRandomNotOffered; // a kRandom* code
    TypeParams set{};             // the last candidate drawn; on kRandomAccepted the new p[type]
    ChaosMeasure measure{};       // the last measurement taken, else the one handed in
};

// Draws up to 99 candidate sets for the current type, screens them (for most
// types by their Lyapunov exponent) and leaves the first accepted one in
// p[type]. `previous` is the measurement in force, which a search that
// measures nothing (Spirals) reports again. The generator is seeded from the
// clock first. `confirm`, when given, is asked about the accepted set (the
// parameter display mode).
RandomResult randomparams(State& s, const ChaosMeasure& previous, const ConfirmFn& confirm = {});
// The same with a given step function for the Lyapunov test.
RandomResult randomparams(State& s, StepFn step, const ChaosMeasure& previous,
                          const ConfirmFn& confirm = {});

} // namespace morv
