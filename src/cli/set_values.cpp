#include "cli/set_values.h"

#include "cli/options.h"
#include "core/catalogue.h"
#include "core/options.h"
#include "core/params.h"

#include <cstdio>
#include <map>

namespace morv {

namespace {

using Result = std::optional<std::string>;

Result bad(const std::string& name, const std::string& value, const std::string& why) {
    return "--set " + name + "=" + value + ": " + why;
}

Result set_double(double& field, const std::string& name, const std::string& value) {
    double d = 0;
    if (!parse_double(value, d)) return bad(name, value, "not a number");
    field = d;
    return std::nullopt;
}

// Ranges are checked with every other setting once all values are in;
// only a value that is used as an index at once is checked here.
Result set_int(int& field, long long lo, long long hi, const std::string& name,
               const std::string& value) {
    long long n = 0;
    if (!parse_int(value, n)) return bad(name, value, "not a whole number");
    if (n < lo || n > hi)
        return name + " is " + value + "; it must lie in " + std::to_string(lo) + ".." +
               std::to_string(hi);
    field = static_cast<int>(n);
    return std::nullopt;
}

Result set_int(int& field, const std::string& name, const std::string& value) {
    return set_int(field, INT32_MIN, INT32_MAX, name, value);
}

Result set_color(COLORREF& field, const std::string& name, const std::string& value) {
    int r = 0, g = 0, b = 0, used = 0;
    if (std::sscanf(value.c_str(), "%d,%d,%d%n", &r, &g, &b, &used) != 3 ||
        used != static_cast<int>(value.size()))
        return bad(name, value, "expected R,G,B");
    if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
        return bad(name, value, "each component must be 0..255");
    field = rgb(r, g, b);
    return std::nullopt;
}

// f.I.J and fp.I: an index 0..5 after the prefix.
bool table_index(const std::string& text, int& out) {
    long long n = 0;
    if (!parse_int(text, n) || n < 0 || n > 5) return false;
    out = static_cast<int>(n);
    return true;
}

Result set_ifs(Params& s, const std::string& name, const std::string& value) {
    if (name.rfind("fp.", 0) == 0) {
        int i = 0;
        if (!table_index(name.substr(3), i)) return "--set: unknown name '" + name + "'";
        return set_int(s.fp[i], name, value);
    }
    const auto dot = name.find('.', 2);
    int i = 0, j = 0;
    if (dot == std::string::npos || !table_index(name.substr(2, dot - 2), i) ||
        !table_index(name.substr(dot + 1), j))
        return "--set: unknown name '" + name + "'";
    return set_double(s.f[i][j], name, value);
}

Result set_method(Params& s, const std::string& name, const std::string& value) {
    int m = 0;
    if (Result r = set_int(m, 0, 4, name, value)) return r;
    const TypeInfo& t = catalogue[s.type];
    if (m != t.method && (t.okmethod & okmethod_bit(m)) == 0)
        return bad(name, value, "this colouring method is not offered for " + std::string(t.name));
    s.method[s.type] = m;
    return std::nullopt;
}

// The colouring modes of Sierpinski, IFS and Frothy Basin choose their type's
// method, as their option dialogs do.
void follow_option_dialogs(Params& s, const std::string& name) {
    if (name == "scmode") s.method[kTypeSierpinski] = s.scmode != 0 ? kMethodHitCount : kMethodSelf;
    if (name == "ifscmode") s.method[kTypeIfs] = s.ifscmode != 0 ? kMethodHitCount : kMethodSelf;
    if (name == "basinflag")
        s.method[kTypeBasin] = s.basinflag != 0 ? kMethodSpeedPoints : kMethodSelf;
}

} // namespace

std::optional<std::string> set_state_value(Params& s, const std::string& name,
                                           const std::string& value) {
    PARAM& p = s.p[s.type];
    MINMAX& mm = s.mm[s.type];
    VOXEL& rot = s.rot[s.type];
    const std::map<std::string, double*> doubles{
        {"p.xstart", &p.xstart},
        {"p.ystart", &p.ystart},
        {"p.zstart", &p.zstart},
        {"p.a", &p.a},
        {"p.b", &p.b},
        {"p.c", &p.c},
        {"p.d", &p.d},
        {"p.sp0", &p.sp0},
        {"p.sp1", &p.sp1},
        {"mm.xmin", &mm.xmin},
        {"mm.xmax", &mm.xmax},
        {"mm.ymin", &mm.ymin},
        {"mm.ymax", &mm.ymax},
        {"vlmaxsize", &s.vlmaxsize},
        {"vlradius", &s.vlradius},
        {"pgmscale", &s.pgmscale},
    };
    if (auto it = doubles.find(name); it != doubles.end())
        return set_double(*it->second, name, value);

    const std::map<std::string, int*> ints{
        {"rotationorder", &s.rotationorder},
        {"speed", &s.speed},
        {"linewidth", &s.linewidth},
        {"smode", &s.smode},
        {"scmode", &s.scmode},
        {"ifscmode", &s.ifscmode},
        {"oddflag", &s.oddflag},
        {"basinflag", &s.basinflag},
        {"unityflag", &s.unityflag},
        {"unitybasin", &s.unitybasin},
        {"rosslerflag", &s.rosslerflag},
        {"showorbits", &s.showorbits},
        {"vlmaxiter", &s.vlmaxiter},
        {"vlcoloring", &s.vlcoloring},
    };
    if (auto it = ints.find(name); it != ints.end()) {
        if (Result r = set_int(*it->second, name, value)) return r;
        follow_option_dialogs(s, name);
        return std::nullopt;
    }
    // pgmx0 and pgmy0 are read at the formula this names.
    if (name == "pgmindex") return set_int(s.pgmindex, 0, kPgmFormulas - 1, name, value);

    if (name == "rot.x") return set_double(rot.x, name, value);
    if (name == "rot.y") return set_double(rot.y, name, value);
    if (name == "rot.z") return set_double(rot.z, name, value);
    if (name == "method") return set_method(s, name, value);
    if (name == "back") return set_color(s.back, name, value);
    if (name == "fore") return set_color(s.fore, name, value);
    if (name == "pgmx0") return set_double(s.pgmx0[s.pgmindex], name, value);
    if (name == "pgmy0") return set_double(s.pgmy0[s.pgmindex], name, value);
    if (name.rfind("f.", 0) == 0 || name.rfind("fp.", 0) == 0) return set_ifs(s, name, value);
    return "--set: unknown name '" + name + "'";
}

} // namespace morv
