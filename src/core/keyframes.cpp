// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keyframes.h"

#include "core/settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace morv {

namespace {

constexpr double kTurn = 360.0;

// The tone curves that move between keys, each kept within its setting's
// limits (a spline may overshoot the keys).
struct ToneCurve {
    double PictureSettings::*field;
    Limits limits;
};
constexpr std::array kMovingToneCurves{
    ToneCurve{&PictureSettings::exposure, setting_named("exposure").limits},
    ToneCurve{&PictureSettings::gamma, setting_named("gamma").limits},
    ToneCurve{&PictureSettings::gamma_threshold, setting_named("gammathreshold").limits},
    ToneCurve{&PictureSettings::vibrancy, setting_named("vibrancy").limits},
    ToneCurve{&PictureSettings::contrast, setting_named("contrast").limits},
    ToneCurve{&PictureSettings::filter_width, setting_named("filterwidth").limits},
};

// The value at t in [0, 1) between b (t = 0) and c, with a before b and d
// after c for the spline.
double ease(double a, double b, double c, double d, double t, Easing e) {
    if (t == 0) return b;
    if (e == Easing::Linear) return b + (c - b) * t;
    const double t2 = t * t, t3 = t2 * t;
    return 0.5 *
           (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (3 * b - a - 3 * c + d) * t3);
}

// The angle of key k unwrapped against the one before it: consecutive keys
// then never differ by more than half a turn, so the motion takes the short
// way round.
std::vector<double> unwrapped(const std::vector<double>& angles) {
    std::vector<double> out = angles;
    for (std::size_t k = 1; k < out.size(); ++k) {
        double step = std::fmod(angles[k] - angles[k - 1], kTurn);
        if (step > kTurn / 2) step -= kTurn;
        if (step < -kTurn / 2) step += kTurn;
        out[k] = out[k - 1] + step;
    }
    return out;
}

double into_turn(double angle) {
    double a = std::fmod(angle, kTurn);
    if (a < 0) a += kTurn;
    return a;
}

// One coefficient over the keys, by a member pointer chain.
template <class Get>
double eased(std::span<const Params> keys, std::size_t seg, double t, Easing e, Get get,
             bool angle) {
    std::vector<double> v;
    for (const Params& k : keys)
        v.push_back(get(k));
    if (angle) v = unwrapped(v);
    const std::size_t last = v.size() - 1;
    const double a = v[seg == 0 ? 0 : seg - 1], b = v[seg], c = v[seg + 1];
    const double d = v[std::min(seg + 2, last)];
    const double x = ease(a, b, c, d, t, e);
    return angle ? into_turn(x) : x;
}

} // namespace

Params interpolate_keys(std::span<const Params> keys, long long frame, long long frames,
                        Easing easing) {
    const std::size_t last = keys.size() - 1;
    if (keys.size() == 1 || frames <= 1) return keys.front();
    // Products of whole numbers below 2^53 are exact, so the frames on keys
    // land on them exactly.
    const double u =
        static_cast<double>(frame) * static_cast<double>(last) / static_cast<double>(frames - 1);
    const auto seg = std::min(static_cast<std::size_t>(std::floor(u)), last);
    if (seg == last) return keys[last];
    const double t = u - static_cast<double>(seg);
    Params out = keys[seg];
    const auto type = static_cast<std::size_t>(out.type);
    const auto each = [&](auto field, bool angle) {
        return eased(keys, seg, t, easing, field, angle);
    };
    using Coefficient = double TypeParams::*;
    for (Coefficient c :
         {&TypeParams::xstart, &TypeParams::ystart, &TypeParams::zstart, &TypeParams::a,
          &TypeParams::b, &TypeParams::c, &TypeParams::d, &TypeParams::sp0, &TypeParams::sp1})
        out.p[type].*c = each([&](const Params& k) { return k.p[type].*c; }, false);
    for (double ViewWindow::*c :
         {&ViewWindow::xmin, &ViewWindow::xmax, &ViewWindow::ymin, &ViewWindow::ymax})
        out.mm[type].*c = each([&](const Params& k) { return k.mm[type].*c; }, false);
    for (double Point3::*c : {&Point3::x, &Point3::y, &Point3::z})
        out.rot[type].*c = each([&](const Params& k) { return k.rot[type].*c; }, true);
    // The tone curves move too where the keys differ in them; a value all
    // keys share stays exactly that value (a spline through equal values
    // need not give it back to the last bit).
    for (const ToneCurve& c : kMovingToneCurves) {
        const auto get = [&](const Params& k) { return k.picture.*c.field; };
        const bool shared = std::all_of(keys.begin(), keys.end(),
                                        [&](const Params& k) { return get(k) == get(keys[0]); });
        if (!shared) out.picture.*c.field = std::clamp(each(get, false), c.limits.lo, c.limits.hi);
    }
    return out;
}

} // namespace morv
