#include "files/record_check.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/options.h"
#include "core/state.h"
#include "files/atr.h"

#include <algorithm>
#include <charconv>

namespace morv {

namespace {

// Start points are edited by no dialog; any finite value of a size the steps
// can square without overflowing passes.
constexpr Limits kStartLimits{-1e6, 1e6};
constexpr Limits kAngleLimits{0, 360};
constexpr Limits kIfsCoefficientLimits{-1, 2};
constexpr Limits kIfsProbabilityLimits{0, 100};
constexpr Limits kVlSizeLimits{2, 256};
constexpr Limits kVlRadiusLimits{0.01, 0.5};
constexpr Limits kPgmStartLimits{-10, 10};
constexpr Limits kPgmScaleLimits{1, 50};
// The Parameters dialog refuses a narrower plot window.
constexpr double kMinimumWindowSpan = 0.05;
// Delays in ms the speed levels 1..10 give: 17, 15, ..., 1 and 0.
constexpr int kSlowestSpeed = 17;

Limits widened(Limits l, double v) {
    return {std::min(l.lo, v), std::max(l.hi, v)};
}

Limits widened(Limits l, Limits by) {
    return {std::min(l.lo, by.lo), std::max(l.hi, by.hi)};
}

bool draws_fresh_random_sets(int type) {
    const RandomScheme r = catalogue[type].random;
    return r == RandomScheme::Coefficients || r == RandomScheme::Spirals;
}

std::string number_text(double v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// Collects the first value outside its limits.
class Checker {
  public:
    void real(const std::string& name, double v, Limits l) {
        if (!first_ && !l.admits(v)) first_ = out_of_range_text(name, v, l.lo, l.hi);
    }
    void whole(const std::string& name, long long v, long long lo, long long hi) {
        if (!first_ && (v < lo || v > hi))
            first_ = name + " is " + std::to_string(v) + "; it must lie in " + std::to_string(lo) +
                     ".." + std::to_string(hi);
    }
    void fail(std::string text) {
        if (!first_) first_ = std::move(text);
    }
    bool failed() const { return first_.has_value(); }
    std::optional<std::string> result() { return std::move(first_); }

  private:
    std::optional<std::string> first_;
};

void check_parameters(Checker& c, const ATR& r) {
    const char* const coefficient[4] = {"p.a", "p.b", "p.c", "p.d"};
    const double abcd[4] = {r.a, r.b, r.c, r.d};
    for (int k = 0; k < 4; ++k)
        c.real(coefficient[k], abcd[k], coefficient_limits(r.type, k));
    c.real("p.sp0", r.sp0, special_limits(r.type, 0));
    c.real("p.sp1", r.sp1, special_limits(r.type, 1));
    c.real("p.xstart", r.xstart, kStartLimits);
    c.real("p.ystart", r.ystart, kStartLimits);
    c.real("p.zstart", r.zstart, kStartLimits);
    c.real("rot.x", r.xrot, kAngleLimits);
    c.real("rot.y", r.yrot, kAngleLimits);
    c.real("rot.z", r.zrot, kAngleLimits);
}

void check_colours(Checker& c, const ATR& r) {
    c.whole("back", r.back, 0, 0xFFFFFF);
    c.whole("redback", r.redback, 0, 255);
    c.whole("greenback", r.greenback, 0, 255);
    c.whole("blueback", r.blueback, 0, 255);
    c.whole("fore", r.fore, 0, 0xFFFFFF);
    c.whole("redfore", r.redfore, 0, 255);
    c.whole("greenfore", r.greenfore, 0, 255);
    c.whole("bluefore", r.bluefore, 0, 255);
}

void check_option_settings(Checker& c, const ATR& r) {
    int chances = 0;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 6; ++j)
            c.real("f." + std::to_string(i) + "." + std::to_string(j), r.f[i][j],
                   kIfsCoefficientLimits);
        c.real("fp." + std::to_string(i), r.fp[i], kIfsProbabilityLimits);
        if (!c.failed()) chances += trunc32(r.fp[i]);
    }
    if (!c.failed() && chances == 0) c.fail("fp.0 to fp.5 are all 0; at least one must not be");
    c.whole("vlmaxiter", r.vlmaxiter, 2, 1024);
    c.real("vlmaxsize", r.vlmaxsize, kVlSizeLimits);
    c.real("vlradius", r.vlradius, kVlRadiusLimits);
    c.whole("pgmindex", r.pgmindex, 0, kPgmFormulas - 1);
    for (int i = 0; i < kPgmFormulas; ++i) {
        c.real("pgmx0[" + std::to_string(i) + "]", r.pgmx0[i], kPgmStartLimits);
        c.real("pgmy0[" + std::to_string(i) + "]", r.pgmy0[i], kPgmStartLimits);
    }
    c.whole("smode", r.smode, 0, kSierpinskiModes - 1);
}

// One axis of the plot window: inside its limits, and at least as wide as
// the Parameters dialog allows unless it is the type's own default.
void check_span(Checker& c, const char* lo_name, const char* hi_name, double lo, double hi,
                Limits limits, double default_lo, double default_hi) {
    c.real(lo_name, lo, limits);
    c.real(hi_name, hi, limits);
    if (c.failed() || (lo == default_lo && hi == default_hi) || !(hi - lo < kMinimumWindowSpan))
        return;
    c.fail(std::string(hi_name) + " - " + lo_name + " is " + number_text(hi - lo) +
           "; it must be at least " + number_text(kMinimumWindowSpan));
}

void check_window(Checker& c, int type, const MINMAX& mm) {
    const MINMAX& def = catalogue[type].mmdef;
    check_span(c, "mm.xmin", "mm.xmax", mm.xmin, mm.xmax, window_x_limits(type), def.xmin,
               def.xmax);
    check_span(c, "mm.ymin", "mm.ymax", mm.ymin, mm.ymax, window_y_limits(type), def.ymin,
               def.ymax);
}

} // namespace

Limits coefficient_limits(int type, int k) {
    const TypeInfo& t = catalogue[type];
    const double defaults[4] = {t.pdef.a, t.pdef.b, t.pdef.c, t.pdef.d};
    const Limits range =
        k < 2 ? Limits{t.abcdrange[0], t.abcdrange[1]} : Limits{t.abcdrange[2], t.abcdrange[3]};
    const Limits l = widened(range, defaults[k]);
    return draws_fresh_random_sets(type)
               ? widened(l, {-kRandomCoefficientBound, kRandomCoefficientBound})
               : l;
}

Limits special_limits(int type, int k) {
    const TypeInfo& t = catalogue[type];
    const Limits range =
        k == 0 ? Limits{t.sprange[0], t.sprange[1]} : Limits{t.sprange[2], t.sprange[3]};
    const Limits l = widened(range, k == 0 ? t.pdef.sp0 : t.pdef.sp1);
    // Spirals draws its p2 inside the dialog's range.
    if (!draws_fresh_random_sets(type) || (type == kTypeSpirals && k == 1)) return l;
    return widened(l, {-kRandomCoefficientBound, kRandomCoefficientBound});
}

Limits window_x_limits(int type) {
    const TypeInfo& t = catalogue[type];
    return widened(widened({t.mmrange.xmin, t.mmrange.xmax}, t.mmdef.xmin), t.mmdef.xmax);
}

Limits window_y_limits(int type) {
    const TypeInfo& t = catalogue[type];
    return widened(widened({t.mmrange.ymin, t.mmrange.ymax}, t.mmdef.ymin), t.mmdef.ymax);
}

std::string out_of_range_text(std::string_view name, double value, double lo, double hi) {
    return std::string(name) + " is " + number_text(value) + "; it must lie in " + number_text(lo) +
           ".." + number_text(hi);
}

std::optional<std::string> check_record(const ATR& r) {
    Checker c;
    c.whole("type", r.type, 0, NTYPES - 1);
    if (c.failed()) return c.result(); // every other check depends on the type
    check_parameters(c, r);
    check_colours(c, r);
    check_option_settings(c, r);
    return c.result();
}

std::optional<std::string> check_window(int type, const MINMAX& mm) {
    Checker c;
    check_window(c, type, mm);
    return c.result();
}

std::optional<std::string> check_settings(const Params& s) {
    if (!valid_type(s.type))
        return "type is " + std::to_string(s.type) + "; it must lie in 0.." +
               std::to_string(NTYPES - 1);
    if (auto bad = check_record(atr_from_state(s))) return bad;
    Checker c;
    check_window(c, s.type, s.mm[s.type]);
    c.whole("speed", s.speed, 0, kSlowestSpeed);
    c.whole("linewidth", s.linewidth, 1, 3);
    c.whole("rotationorder", s.rotationorder, 0, 5);
    c.whole("vlcoloring", s.vlcoloring, 0, 2);
    c.real("pgmscale", s.pgmscale, kPgmScaleLimits);
    const std::pair<const char*, int> flags[] = {
        {"scmode", s.scmode},           {"ifscmode", s.ifscmode},    {"oddflag", s.oddflag},
        {"basinflag", s.basinflag},     {"unityflag", s.unityflag},  {"unitybasin", s.unitybasin},
        {"rosslerflag", s.rosslerflag}, {"showorbits", s.showorbits}};
    for (const auto& [name, value] : flags)
        c.whole(name, value, 0, 1);
    return c.result();
}

} // namespace morv
