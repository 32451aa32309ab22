#include "files/image.h"

#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/png.h"
#include "files/tga.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace morv {

namespace {

void append_value(std::string& out, const char* name, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %.10g", name, v);
    if (!out.empty()) out += ", ";
    out += buf;
}

} // namespace

bool is_png_path(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".png";
}

std::string plain_type_name(std::string_view name) {
    std::string s(name);
    for (const char* marker : {" $", " +", "- 3D"})
        if (const auto at = s.find(marker); at != std::string::npos) s.erase(at);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string png_description(const State& s) {
    const PARAM& p = s.p[s.type];
    const MINMAX& m = s.mm[s.type];
    const VOXEL& r = s.rot[s.type];
    std::string values;
    for (const auto& [name, v] : {std::pair{"a", p.a},
                                  {"b", p.b},
                                  {"c", p.c},
                                  {"d", p.d},
                                  {"sp0", p.sp0},
                                  {"sp1", p.sp1},
                                  {"xstart", p.xstart},
                                  {"ystart", p.ystart},
                                  {"zstart", p.zstart},
                                  {"xrot", r.x},
                                  {"yrot", r.y},
                                  {"zrot", r.z},
                                  {"xmin", m.xmin},
                                  {"xmax", m.xmax},
                                  {"ymin", m.ymin},
                                  {"ymax", m.ymax}})
        append_value(values, name, v);
    return plain_type_name(catalogue[s.type].name) + " (type " + std::to_string(s.type) +
           "): " + values + ", method " + std::to_string(s.method[s.type]) + ", res " +
           std::to_string(s.res);
}

int writeimage(const State& s, const std::string& path, std::string* reason) {
    if (!is_png_path(path)) return writetga(s.canvas, s.res, path, reason);
    const AtrBytes record = encode_atr(atr_from_state(s));
    return writepng(s.canvas, s.res, path, record, png_description(s), reason);
}

int load_png_parameters(State& s, const std::string& path, std::string* reason) {
    PngContents png;
    std::string why;
    int rc = kAtrLoadBadValue;
    if (!readpng(path, png, false, why))
        rc = kAtrLoadOpenFailed;
    else if (!png.record)
        why = "a PNG image without Morvane parameters";
    else
        rc = load_atr_bytes(s, *png.record, &why);
    if (rc != kAtrLoadOk && reason != nullptr) *reason = why;
    return rc;
}

} // namespace morv
