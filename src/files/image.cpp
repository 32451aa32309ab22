// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/image.h"

#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/byte_codec.h"
#include "files/png.h"
#include "files/record_check.h"
#include "files/tga.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace morv {

namespace {

void append_value(std::string& out, const char* name, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s %.10g", name, v);
    if (!out.empty()) out += ", ";
    out += buf;
}

constexpr std::size_t kViewSize = 32;

std::vector<std::uint8_t> encode_view(const MINMAX& m) {
    ByteSink out;
    for (double v : {m.xmin, m.xmax, m.ymin, m.ymax})
        out.f64(v);
    return out.take();
}

MINMAX decode_view(const std::vector<std::uint8_t>& bytes) {
    ByteSource in(bytes);
    MINMAX m;
    for (double* v : {&m.xmin, &m.xmax, &m.ymin, &m.ymax})
        *v = in.f64();
    return m;
}

// Why the view chunk cannot go with the record, or nothing when it can. A
// record that is itself unusable is left for the record's own checks to name.
std::optional<std::string> view_fault(const PngContents& png) {
    if (png.view->size() != kViewSize)
        return "the view window of a PNG image has " + std::to_string(kViewSize) +
               " bytes, this one " + std::to_string(png.view->size());
    if (png.record->size() != kAtrSize) return std::nullopt;
    AtrBytes raw{};
    std::memcpy(raw.data(), png.record->data(), kAtrSize);
    const int type = decode_atr(raw).type;
    return valid_type(type) ? check_window(type, decode_view(*png.view)) : std::nullopt;
}

} // namespace

bool is_png_path(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".png";
}

std::string png_description(const Params& s) {
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
    return std::string(short_type_name(s.type)) + " (type " + std::to_string(s.type) +
           "): " + values + ", method " + std::to_string(s.method[s.type]) + ", res " +
           std::to_string(s.res);
}

int writeimage(const State& s, const std::string& path, std::string* reason) {
    if (!is_png_path(path)) return writetga(s.canvas, s.res, path, reason);
    const AtrBytes record = encode_atr(atr_from_state(s));
    const auto view = encode_view(s.mm[s.type]);
    return writepng(s.canvas, s.res, path, record, png_description(s), reason, view);
}

int writeimage(const State& s, const PngPixels& pixels, const std::string& path,
               std::string* reason) {
    if (!is_png_path(path)) return writetga(s.canvas, s.res, path, reason);
    const AtrBytes record = encode_atr(atr_from_state(s));
    const auto view = encode_view(s.mm[s.type]);
    return writepng(pixels, path, record, png_description(s), reason, view);
}

int load_png_parameters(Params& s, const std::string& path, std::string* reason) {
    PngContents png;
    std::string why;
    int rc = kAtrLoadBadValue;
    if (!readpng(path, png, false, why))
        rc = kAtrLoadOpenFailed;
    else if (!png.record)
        why = "a PNG image without Morvane parameters";
    else if (auto fault = png.view ? view_fault(png) : std::nullopt)
        why = *fault;
    else if ((rc = load_atr_bytes(s, *png.record, &why)) == kAtrLoadOk && png.view)
        s.mm[s.type] = decode_view(*png.view);
    if (rc != kAtrLoadOk && reason != nullptr) *reason = why;
    return rc;
}

} // namespace morv
