// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/recipe_run.h"

#include "cli/hits_file.h"
#include "cli/std_streams.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/image.h"
#include "files/png.h"

#include <algorithm>

namespace morv {

namespace {

bool given(const CliOptions& o, const char* name) {
    return std::find(o.given.begin(), o.given.end(), name) != o.given.end();
}

// Whether the options turn toning on (the last "tone" value they set).
bool toning_given(const CliOptions& o) {
    bool on = false;
    for (const auto& [name, value] : o.sets)
        if (name == "tone") on = value != "none" && value != "0";
    return on;
}

} // namespace

void take_recipe_defaults(CliOptions& o) {
    const std::string path =
        o.atr_in == kStdStream ? o.stdin_copy : atr_path_from_argument(o.atr_in);
    if (path.empty() || path == kStdStream) return;
    PngContents png;
    std::string why;
    if (!readpng(path, png, false, why) || !png.recipe) return;
    Params scratch;
    std::optional<RecipeRun> run;
    if (load_png_contents(scratch, png, &why, &run) != kAtrLoadOk || !run) return;
    if (!given(o, "--res")) o.res = run->res;
    if (!given(o, "--iterations") && run->calls >= 0) o.iterations = run->calls;
    if (!given(o, "--seed") && run->seed) o.seed = *run->seed;
    // Toning asked for here draws one orbit and no filter, whatever the image
    // was drawn with.
    const bool toning_asked = toning_given(o);
    if (!given(o, "--filter") && !toning_asked) o.filter = run->filter;
    if (!given(o, "--orbits") && !toning_asked) o.engine.orbits = run->orbits;
    if (!given(o, "--fast") && !toning_asked) o.engine.fast = run->fast;
    o.keep_palette = !given(o, "--palette");
}

RecipeRun recipe_run_of(const State& s, const CliOptions& o, long long calls,
                        const ClockLog& clock) {
    RecipeRun run;
    run.res = s.res;
    run.calls = calls;
    run.filter = o.filter;
    run.seed = o.seed ? std::optional<std::int64_t>(*o.seed) : clock.seed();
    run.orbits = o.engine.orbits;
    run.fast = o.engine.fast;
    // Merged parts were drawn elsewhere: their header says how.
    if (HitsPart first; o.engine.merging && !read_part_header(o.engine.merge.front(), first)) {
        run.orbits = static_cast<long long>(first.orbits);
        run.calls = static_cast<long long>(first.iterations);
        run.seed = first.clock;
    }
    return run;
}

} // namespace morv
