// SPDX-License-Identifier: GPL-3.0-or-later
// Hit-count parts on disk: the size of a Peter de Jong part (and of a toned
// one with its density, as of 600 x 600 at --oversample 3) stored plain and
// deflated at 600 x 600 and 4000 x 4000, and the wall time to write and to
// read each. Never part of the tests.
#include "cli/hits_file.h"
#include "core/state.h"
#include "formulas/orbits.h"
#include "formulas/steps.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

double ms_since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t).count();
}

// Orbits 0..3 of 8 of a de Jong render of `calls` on a grid of res x res,
// toned (with its density) or by hit count.
morv::HitsPart dejong_part(int res, long long calls, bool toned) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    morv::set_resolution(s, res);
    morv::OrbitTotals totals;
    totals.counts.assign(static_cast<std::size_t>(s.res) * s.res, 0);
    if (toned) {
        s.picture.tone = 1;
        s.density.want(
            true, morv::DensitySettings{morv::ColorBy::Speed, static_cast<std::uint64_t>(calls)});
        totals.density.frac_bits = morv::color_fraction_bits(calls);
        totals.density.cells.assign(totals.counts.size(), morv::SumCell{});
    }
    const morv::OrbitJob job{.orbits = 8, .end = 4, .threads = 2, .iterations = calls, .clock = 7};
    morv::render_orbits(s, job, totals, nullptr);
    morv::DensitySums sums = std::move(totals.density);
    morv::HitsPart part = morv::make_part(s, job, job.clock, std::move(totals));
    if (toned) {
        part.density.emplace();
        part.density->frac_bits = sums.frac_bits;
        part.density->cells = std::move(sums.cells);
        part.density->index_span = static_cast<std::uint64_t>(calls);
        part.density->picture = s.picture;
    }
    return part;
}

void store(const char* what, const morv::HitsPart& part) {
    const std::string path = std::filesystem::temp_directory_path() / "bench_parts.hits";
    for (const morv::BodyForm form : {morv::BodyForm::Plain, morv::BodyForm::Deflated}) {
        auto t = std::chrono::steady_clock::now();
        if (auto e = morv::write_part(part, path, form)) std::printf("%s\n", e->c_str());
        const double written = ms_since(t);
        t = std::chrono::steady_clock::now();
        morv::HitsPart back;
        if (auto e = morv::read_part(path, back)) std::printf("%s\n", e->c_str());
        std::printf("%-34s %-8s %9.2f MB, written in %7.1f ms, read in %7.1f ms\n", what,
                    form == morv::BodyForm::Plain ? "plain" : "deflated",
                    std::filesystem::file_size(path) / 1e6, written, ms_since(t));
        std::fflush(stdout);
    }
    std::filesystem::remove(path);
}

} // namespace

int main() {
    store("de Jong 600, 10^6 points", dejong_part(600, 2000000, false));
    store("de Jong toned, grid 1800, 10^6 points", dejong_part(1800, 2000000, true));
    store("de Jong 4000, 2 x 10^7 points", dejong_part(4000, 40000000, false));
}
