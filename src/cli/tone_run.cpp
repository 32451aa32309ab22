// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/tone_run.h"

#include "cli/render_run.h"
#include "cli/set_values.h"
#include "cli/tone_options.h"
#include "color/bands.h"
#include "color/resample.h"
#include "files/image.h"

#include <algorithm>

namespace morv {

namespace {

std::string mib(unsigned long long bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

// Bytes a toned render holds at once: the defined drawing and the density at
// the finer grid (with several orbits or a part, besides it each thread's
// orbit's own and the whole-number totals), then the filtered density and the
// picture at its size.
unsigned long long toned_bytes(int res, int oversample, const EngineOptions& e) {
    const int fine = res * oversample;
    const unsigned long long px = static_cast<unsigned long long>(res) * res;
    const bool several = e.orbits > 1 || !e.save_hits.empty();
    const unsigned long long densities =
        several ? 2ULL + static_cast<unsigned>(thread_count(e)) : 1;
    return render_bytes(fine, e, thread_count(e)) + densities * Density::bytes_for(fine) +
           px * (sizeof(ToneCell) + 4 * sizeof(std::uint16_t));
}

// What a toned picture cannot be combined with, whether drawn or merged.
std::optional<std::string> toned_output_refusal(const PictureSettings& p, const CliOptions& o) {
    if (!o.filter.empty())
        return "--filter recolours the defined picture; --tone makes another: choose one";
    if (o.engine.save_hits.empty() && !is_png_path(o.output) && (p.depth != 8 || p.alpha != 0))
        return "16 bits per channel and a transparent background need a PNG output, not " +
               o.output;
    return std::nullopt;
}

bool given(const CliOptions& o, const char* name) {
    return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
}

} // namespace

std::optional<std::string> ready_toned_render(State& s, const CliOptions& o, bool& no_memory) {
    no_memory = false;
    const PictureSettings& p = s.picture;
    if (p.tone == 0) {
        for (const std::string& name : o.given)
            if (is_tone_option(name) && name != "--tone")
                return name + " tunes a toned picture: add --tone log";
        return std::nullopt;
    }
    if (!o.engine.checkpoint.empty())
        return std::string("--checkpoint keeps hit counts only; a toned render keeps no "
                           "checkpoints yet");
    if (auto e = toned_output_refusal(p, o)) return e;
    const int fine = s.res * p.oversample;
    if (fine > 16384)
        return "--oversample " + std::to_string(p.oversample) + " at --res " +
               std::to_string(s.res) + " draws on a grid of " + std::to_string(fine) +
               " pixels across; at most 16384";
    const unsigned long long need = toned_bytes(s.res, p.oversample, o.engine);
    if (need > memory_budget()) {
        no_memory = true;
        return "a toned " + std::to_string(s.res) + " x " + std::to_string(s.res) +
               " render at --oversample " + std::to_string(p.oversample) + " needs " + mib(need) +
               " of memory but only " + mib(memory_budget()) +
               " can be had; choose a smaller --res or --oversample";
    }
    if (fine != s.res && !set_resolution(s, fine)) {
        no_memory = true;
        return "not enough memory for a " + std::to_string(fine) + " x " + std::to_string(fine) +
               " grid";
    }
    DensitySettings d;
    d.color_by = static_cast<ColorBy>(std::clamp(p.color_by, 0, kColorByCount - 1));
    d.index_span = static_cast<std::uint64_t>(std::max(1LL, o.iterations));
    s.density.want(true, d);
    return std::nullopt;
}

std::optional<std::string> ready_toned_merge(State& s, const CliOptions& o,
                                             std::optional<PartDensity> density) {
    if (!density) {
        for (const std::string& name : o.given)
            if (is_tone_option(name))
                return "--merge: the parts carry no density to tone (they were drawn without "
                       "--tone); leave out " +
                       name;
        return std::nullopt;
    }
    const PictureSettings drawn = density->picture;
    s.picture = drawn;
    for (const auto& [name, value] : o.sets)
        if (auto e = set_state_value(s, name, value)) return e;
    if (s.picture.oversample != drawn.oversample || s.picture.color_by != drawn.color_by)
        return std::string("--merge: the parts' density was accumulated with its own "
                           "--oversample and --color-by; a merge cannot change them");
    if (s.picture.tone == 0) return std::nullopt; // the defined picture of the counts
    if (given(o, "--palette"))
        return std::string("--merge: the parts' colours are summed in their density; --palette "
                           "cannot recolour a toned picture");
    if (auto e = toned_output_refusal(s.picture, o)) return e;
    DensitySettings d;
    d.color_by = static_cast<ColorBy>(std::clamp(s.picture.color_by, 0, kColorByCount - 1));
    d.index_span = density->index_span;
    s.density.want(true, d);
    s.density.adopt(s.res, density_cells_of(*density));
    return std::nullopt;
}

std::optional<std::string> tone_render(State& s, TonedImage& img) {
    const int fine = s.res, side = fine / std::max(1, s.picture.oversample);
    FilteredDensity filtered;
    const ReconstructionFilter filter{s.picture.oversample, s.picture.filter_width};
    const std::vector<DensityCell>& cells = s.density.cells();
    const unsigned threads = pass_threads(cells.size());
    if (s.density.side() != fine || !downsample(cells, fine, filter, filtered, threads) ||
        !tone(filtered, tone_settings_of(s), img, threads))
        return std::string("not enough memory to tone the picture");
    s.density.want(false);
    s.density.start(s, 0); // the samples are no longer needed
    if (!set_resolution(s, side)) return std::string("not enough memory for the picture");
    std::uint32_t* px = s.canvas.data();
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            px[static_cast<std::size_t>(y) * side + x] = Surface::to_pixel(img.color_at(x, y));
    return std::nullopt;
}

} // namespace morv

namespace morv {

PngPixels png_pixels_of(const TonedImage& img) {
    PngPixels p;
    p.side = img.side;
    p.depth = img.depth;
    p.alpha = img.transparent;
    const std::size_t channels = img.transparent ? 4 : 3;
    p.row = [&img, channels](int y, std::uint16_t* values) {
        const std::size_t w = static_cast<std::size_t>(img.side);
        const std::uint16_t* src = img.rgba.data() + static_cast<std::size_t>(y) * w * 4;
        for (std::size_t x = 0; x < w; ++x)
            for (std::size_t c = 0; c < channels; ++c)
                values[x * channels + c] = src[x * 4 + c];
    };
    return p;
}

} // namespace morv
