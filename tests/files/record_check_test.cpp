// SPDX-License-Identifier: GPL-3.0-or-later
// Every state the dialogs and the random search can reach saves a record
// that loads again: the checks refuse only what the program cannot produce.
#include "files/record_check.h"

#include "analysis/random.h"
#include "app/app_state.h"
#include "app/forms/ifs_form.h"
#include "app/forms/param_form.h"
#include "app/forms/pgm_form.h"
#include "app/forms/sierpinski_form.h"
#include "app/forms/vl_form.h"
#include "files/atr.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace morv {
namespace {

using namespace morv::app;

// What a user may type: numbers well inside, around and far beyond every
// range, and text that reads as 0.
class Typist {
  public:
    explicit Typist(unsigned seed) : gen_(seed) {}
    std::string any() {
        const int k = pick(6);
        if (k < 3) return std::array{"1e400", "-1e9", "junk"}[k];
        if (k == 3) return std::to_string(pick(300) - 50);
        return std::to_string(std::uniform_real_distribution<double>(-12, 12)(gen_));
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(gen_); }
    void fill(Fields& f, int first, int count) {
        for (int id = first; id < first + count; ++id)
            f.text[id] = any();
    }
    void choose(Fields& f, int first, int count) {
        const int k = pick(count);
        for (int i = 0; i < count; ++i)
            f.checked[first + i] = i == k;
    }

  private:
    std::mt19937 gen_;
};

void parameters_ok(app::Instance& s, Typist& t) {
    ParamForm form([](State&) { return ChaosMeasure{1.0, 1.5}; });
    Fields f = form.open(s, s);
    t.fill(f, kParamResolution, kParamXmin + 4 - kParamResolution);
    t.choose(f, kParamOrder, 6);
    if (t.pick(3) == 0) // the window left as it was
        f = form.open(s, s);
    if (!form.ok(s, f).close) form.cancel(s, f);
}

void ifs_ok(app::Instance& s, Typist& t) {
    IfsForm form;
    Fields f = form.open(s, s);
    t.fill(f, kIfsCoefficient, 36);
    t.fill(f, kIfsRed, 3);
    int left = 100;
    for (int i = 0; i < 5; ++i) {
        const int p = t.pick(left + 1);
        f.text[kIfsProbability + i] = std::to_string(p);
        left -= p;
    }
    f.text[kIfsProbability + 5] = std::to_string(left);
    ASSERT_TRUE(form.ok(s, f).close);
}

// Types into the text fields [first, first + count), picks one radio button of
// each group [first, first + count) and presses OK.
void type_into(Form&& form, app::Instance& s, Typist& t,
               std::initializer_list<std::pair<int, int>> texts,
               std::initializer_list<std::pair<int, int>> radios = {}) {
    Fields f = form.open(s, s);
    for (const auto& [first, count] : texts)
        t.fill(f, first, count);
    for (const auto& [first, count] : radios)
        t.choose(f, first, count);
    form.ok(s, f);
}

void option_dialogs_ok(app::Instance& s, Typist& t) {
    type_into(VlForm{}, s, t, {{kVlH, 5}}, {{kVlColoring, 3}});
    type_into(PgmFormulaForm{}, s, t, {}, {{kPgmFormula, 8}});
    type_into(PgmParamsForm{}, s, t, {{kPgmScale, 1}, {kPgmX0, 1}, {kPgmY0, 1}});
    type_into(SierpinskiForm{}, s, t, {{kSierpinskiRed, 3}}, {{kSierpinskiShape, 6}});
}

TEST(RecordCheck, EveryReachableStateSavesARecordThatLoadsAgain) {
    Typist t(2026);
    int searched = 0;
    for (int trial = 0; trial < 400; ++trial) {
        app::Instance s;
        s.steps = &fpointer;
        s.type = t.pick(NTYPES);
        s.platform.now_seconds = [trial] { return std::int64_t{trial}; };
        for (int step = 0; step < 3; ++step) {
            const int edit = t.pick(4);
            if (edit == 0) parameters_ok(s, t);
            if (edit == 1) ifs_ok(s, t);
            if (edit == 2) option_dialogs_ok(s, t);
            if (edit == 3 && random_search_offered(s) &&
                randomparams(s, ChaosMeasure{}).code == kRandomAccepted)
                ++searched;
        }
        SCOPED_TRACE("trial " + std::to_string(trial) + ", type " + std::to_string(s.type));
        EXPECT_EQ(check_settings(s), std::nullopt);
        State loaded;
        std::string reason;
        ASSERT_EQ(load_atr_bytes(loaded, encode_atr(atr_from_state(s)), &reason), kAtrLoadOk)
            << reason;
        EXPECT_EQ(test::record_bytes(loaded), test::record_bytes(s));
    }
    EXPECT_GT(searched, 20); // the random sets were part of it
    for (int type = 0; type < NTYPES; ++type) {
        State s;
        s.type = type;
        EXPECT_EQ(check_settings(s), std::nullopt) << "defaults of type " << type;
    }
}

} // namespace
} // namespace morv
