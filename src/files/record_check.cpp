// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/record_check.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/options.h"
#include "core/settings.h"
#include "core/state.h"
#include "files/record.h"

#include <array>
#include <charconv>

namespace morv {

namespace {

// Collects the first value outside its limits.
class Checker {
  public:
    // A real value of the row `row` (named `name` where the record names it
    // otherwise) in a record of type `type`.
    void value(const Setting& row, double v, int type, std::string_view name = {}) {
        if (!first_ && !limits_for(row, type).admits(v))
            first_ =
                out_of_limits_text(row, name.empty() ? row.name : name, v, type, SettingKind::Real);
    }
    void whole(std::string_view name, long long v, Limits l) {
        if (!first_ && !l.admits(static_cast<double>(v)))
            first_ = out_of_range_text(name, static_cast<double>(v), l, SettingKind::Whole);
    }
    void fail(std::string text) {
        if (!first_) first_ = std::move(text);
    }
    bool failed() const { return first_.has_value(); }
    std::optional<std::string> result() { return std::move(first_); }

  private:
    std::optional<std::string> first_;
};

std::string number_text(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

void check_parameters(Checker& c, const ATR& r) {
    const int t = r.type;
    c.value(setting_named("p.a"), r.a, t);
    c.value(setting_named("p.b"), r.b, t);
    c.value(setting_named("p.c"), r.c, t);
    c.value(setting_named("p.d"), r.d, t);
    c.value(setting_named("p.sp0"), r.sp0, t);
    c.value(setting_named("p.sp1"), r.sp1, t);
    c.value(setting_named("p.xstart"), r.xstart, t);
    c.value(setting_named("p.ystart"), r.ystart, t);
    c.value(setting_named("p.zstart"), r.zstart, t);
    c.value(setting_named("rot.x"), r.xrot, t);
    c.value(setting_named("rot.y"), r.yrot, t);
    c.value(setting_named("rot.z"), r.zrot, t);
}

// The record repeats each packed colour as its three components.
void check_colour(Checker& c, const char* name, std::uint32_t packed,
                  const std::array<std::int32_t, 3>& parts, const char* const part_names[3]) {
    const Limits l = setting_named("back").limits;
    c.whole(name, packed, packed_colour_limits(l));
    for (int k = 0; k < 3; ++k)
        c.whole(part_names[k], parts[static_cast<std::size_t>(k)], l);
}

void check_colours(Checker& c, const ATR& r) {
    const char* const back[3] = {"redback", "greenback", "blueback"};
    const char* const fore[3] = {"redfore", "greenfore", "bluefore"};
    check_colour(c, "back", r.back, {r.redback, r.greenback, r.blueback}, back);
    check_colour(c, "fore", r.fore, {r.redfore, r.greenfore, r.bluefore}, fore);
}

void check_ifs(Checker& c, const ATR& r) {
    const Setting& coefficient = setting_named("f.I.J");
    const Setting& probability = setting_named("fp.I");
    int chances = 0;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j)
            c.value(coefficient, r.f[i][j], r.type, setting_name(coefficient, 6 * i + j));
        c.value(probability, r.fp[i], r.type, setting_name(probability, i));
        if (!c.failed()) chances += trunc32(r.fp[i]);
    }
    if (!c.failed() && chances == 0) c.fail("fp.0 to fp.5 are all 0; at least one must not be");
}

void check_option_settings(Checker& c, const ATR& r) {
    check_ifs(c, r);
    c.whole("vlmaxiter", r.vlmaxiter, setting_named("vlmaxiter").limits);
    c.value(setting_named("vlmaxsize"), r.vlmaxsize, r.type);
    c.value(setting_named("vlradius"), r.vlradius, r.type);
    c.whole("pgmindex", r.pgmindex, setting_named("pgmindex").limits);
    for (int i = 0; i < kPgmFormulas; ++i) {
        const std::string index = "[" + std::to_string(i) + "]";
        c.value(setting_named("pgmx0"), r.pgmx0[i], r.type, "pgmx0" + index);
        c.value(setting_named("pgmy0"), r.pgmy0[i], r.type, "pgmy0" + index);
    }
    c.whole("smode", r.smode, setting_named("smode").limits);
}

// One axis of the plot window: inside its limits, and at least as wide as
// the Parameters dialog allows unless it is the type's own default.
void check_span(Checker& c, int type, const Setting& lo_row, const Setting& hi_row, double lo,
                double hi, double default_lo, double default_hi) {
    c.value(lo_row, lo, type);
    c.value(hi_row, hi, type);
    if (c.failed() || (lo == default_lo && hi == default_hi) || !(hi - lo < kMinimumWindowSpan))
        return;
    c.fail(std::string(hi_row.name) + " - " + std::string(lo_row.name) + " is " +
           number_text(hi - lo) + "; it must be at least " + number_text(kMinimumWindowSpan));
}

void check_window(Checker& c, int type, const ViewWindow& mm) {
    const ViewWindow& def = catalogue[type].mmdef;
    check_span(c, type, setting_named("mm.xmin"), setting_named("mm.xmax"), mm.xmin, mm.xmax,
               def.xmin, def.xmax);
    check_span(c, type, setting_named("mm.ymin"), setting_named("mm.ymax"), mm.ymin, mm.ymax,
               def.ymin, def.ymax);
}

} // namespace

std::optional<std::string> check_record(const ATR& r) {
    Checker c;
    c.whole("type", r.type, {0, NTYPES - 1});
    if (c.failed()) return c.result(); // every other check depends on the type
    check_parameters(c, r);
    check_colours(c, r);
    check_option_settings(c, r);
    return c.result();
}

std::optional<std::string> check_window(int type, const ViewWindow& mm) {
    Checker c;
    check_window(c, type, mm);
    return c.result();
}

std::optional<std::string> check_settings(const Params& ps) {
    if (!valid_type(ps.type))
        return "type is " + std::to_string(ps.type) + "; it must lie in 0.." +
               std::to_string(NTYPES - 1);
    if (auto bad = check_record(atr_from_state(ps))) return bad;
    if (auto bad = check_window(ps.type, ps.mm[ps.type])) return bad;
    for (const Setting& row : kSettings)
        if (auto bad = check_setting(row, ps)) return bad;
    return std::nullopt;
}

} // namespace morv
