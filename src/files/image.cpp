// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/image.h"

#include "core/catalogue.h"
#include "core/settings.h"
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

std::vector<std::uint8_t> encode_view(const ViewWindow& m) {
    ByteSink out;
    for (double v : {m.xmin, m.xmax, m.ymin, m.ymax})
        out.f64(v);
    return out.take();
}

ViewWindow decode_view(const std::vector<std::uint8_t>& bytes) {
    ByteSource in(bytes);
    ViewWindow m;
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

std::uint32_t palette_checksum(const Palette& palette) {
    std::uint32_t h = 2166136261u; // FNV-1a: a short name for the palette in the summary
    for (const RGB& entry : palette)
        for (unsigned char c : entry)
            h = (h ^ c) * 16777619u;
    return h;
}

PngPixels canvas_pixels(const State& s) {
    PngPixels pixels;
    pixels.side = s.res;
    pixels.row = [&s](int y, std::uint16_t* values) {
        for (int x = 0; x < s.res; ++x) {
            const Rgb c = s.canvas.get_pixel(x, y);
            values[3 * x] = static_cast<std::uint16_t>(red_of(c));
            values[3 * x + 1] = static_cast<std::uint16_t>(green_of(c));
            values[3 * x + 2] = static_cast<std::uint16_t>(blue_of(c));
        }
    };
    return pixels;
}

} // namespace

bool is_png_path(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".png";
}

std::string png_description(const Params& ps) {
    const TypeParams& p = ps.p[ps.type];
    const ViewWindow& m = ps.mm[ps.type];
    const Point3& r = ps.rot[ps.type];
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
    return std::string(short_type_name(ps.type)) + " (type " + std::to_string(ps.type) +
           "): " + values + ", method " + std::to_string(ps.method[ps.type]) + ", res " +
           std::to_string(ps.res);
}

std::string recipe_summary(const Params& ps, const RecipeRun& run) {
    std::string text = "type: " + std::to_string(ps.type) + " (" +
                       std::string(short_type_name(ps.type)) +
                       ")\nmethod: " + std::to_string(ps.method[ps.type]) +
                       "\nresolution: " + std::to_string(run.res) +
                       "\ncalls: " + (run.calls >= 0 ? std::to_string(run.calls) : "not known") +
                       "\nseed: " + (run.seed ? std::to_string(*run.seed) : "the clock") +
                       "\norbits: " + std::to_string(run.orbits) +
                       "\nfilter: " + (run.filter.empty() ? "none" : run.filter);
    const PictureSettings& p = ps.picture;
    if (p.tone != 0) {
        std::string tone;
        for (const auto& [name, v] : {std::pair{"exposure", p.exposure},
                                      {"gamma", p.gamma},
                                      {"gamma threshold", p.gamma_threshold},
                                      {"vibrancy", p.vibrancy},
                                      {"contrast", p.contrast},
                                      {"oversample", static_cast<double>(p.oversample)},
                                      {"filter width", p.filter_width},
                                      {"depth", static_cast<double>(p.depth)}})
            append_value(tone, name, v);
        text += "\ntone: log, " + tone + ", colour by " +
                std::string(kColorCoordinates[std::clamp(p.color_by, 0, 3)]) +
                (p.alpha != 0 ? ", transparent" : "");
    } else {
        text += "\ntone: none";
    }
    char palette[32];
    std::snprintf(palette, sizeof palette, "%08x", palette_checksum(ps.palette));
    return text + "\npalette: 256 entries, checksum " + palette;
}

int writeimage(const State& s, const std::string& path, std::string* reason, const RecipeRun* run) {
    if (!is_png_path(path)) return writetga(s.canvas, s.res, path, reason);
    const PngPixels pixels = canvas_pixels(s);
    return writeimage(s, pixels, path, reason, run);
}

int writeimage(const State& s, const PngPixels& pixels, const std::string& path,
               std::string* reason, const RecipeRun* run) {
    if (!is_png_path(path)) return writetga(s.canvas, s.res, path, reason);
    const AtrBytes record = encode_atr(atr_from_state(s));
    const auto view = encode_view(s.mm[s.type]);
    RecipeRun own;
    own.res = s.res;
    const RecipeRun& used = run != nullptr ? *run : own;
    const auto recipe = encode_recipe(s, used, record, view);
    return writepng(pixels, path, record, png_description(s), reason, view, recipe,
                    recipe_summary(s, used));
}

int load_png_contents(Params& ps, const PngContents& png, std::string* reason,
                      std::optional<RecipeRun>* run) {
    std::string why;
    int rc = kAtrLoadBadValue;
    Params candidate = ps;
    RecipeRun taken;
    if (!png.record)
        why = "a PNG image without Morvane parameters";
    else if (auto fault = png.view ? view_fault(png) : std::nullopt)
        why = *fault;
    else if ((rc = load_atr_bytes(candidate, *png.record, &why)) == kAtrLoadOk) {
        if (png.view) candidate.mm[candidate.type] = decode_view(*png.view);
        const std::span<const std::uint8_t> view =
            png.view ? std::span<const std::uint8_t>(*png.view) : std::span<const std::uint8_t>{};
        if (png.recipe)
            if (auto e = apply_recipe(candidate, taken, *png.recipe, *png.record, view)) {
                why = *e;
                rc = kAtrLoadBadValue;
            }
    }
    if (rc != kAtrLoadOk) {
        if (reason != nullptr) *reason = why;
        return rc;
    }
    ps = candidate;
    if (run != nullptr) *run = png.recipe ? std::optional<RecipeRun>(taken) : std::nullopt;
    return kAtrLoadOk;
}

int load_png_parameters(Params& ps, const std::string& path, std::string* reason,
                        std::optional<RecipeRun>* run) {
    PngContents png;
    std::string why;
    if (!readpng(path, png, false, why)) {
        if (reason != nullptr) *reason = why;
        return kAtrLoadOpenFailed;
    }
    return load_png_contents(ps, png, reason, run);
}

} // namespace morv
