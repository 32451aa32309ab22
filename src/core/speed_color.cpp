// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/speed_color.h"

#include "core/catalogue.h"
#include "core/numeric.h"
#include "core/params.h"

#include <cmath>

namespace morv {

namespace {

// Colour index of the speed methods, before the 1..255 limit.
std::uint32_t speed_index(const Params& ps, const Point3& v, const Point3& oldv) {
    const SpeedRule rule = valid_type(ps.type) ? catalogue[ps.type].speed : SpeedRule::Step;
    switch (rule) {
    case SpeedRule::Depth:
        return static_cast<std::uint32_t>(
            trunc32((ps.res * 0.07518796992481203 + v.z) * 1300 / ps.res));
    case SpeedRule::Height:
        return static_cast<std::uint32_t>(trunc32(v.z * 10));
    case SpeedRule::Step:
        break;
    }
    const double dx = v.x - oldv.x, dy = v.y - oldv.y;
    return static_cast<std::uint32_t>(trunc32(std::sqrt(dx * dx + dy * dy) * 255 * (2.0 / 3.0)));
}

std::uint32_t limit_index(std::uint32_t c) {
    return c == 0 ? 1 : (c > 255 ? 255 : c);
}

} // namespace

std::uint32_t speed_color_index(const Params& ps, const Point3& v, const Point3& oldv) {
    return limit_index(speed_index(ps, v, oldv));
}

} // namespace morv
