// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/gallery.h"

#include "analysis/random.h"
#include "cli/interrupt.h"
#include "cli/messages.h"
#include "cli/render_run.h"
#include "cli/session.h"
#include "core/catalogue.h"
#include "core/platform.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/png.h"
#include "formulas/steps.h"

#include <cmath>
#include <cstdio>

namespace morv {

namespace {

constexpr int kExitWrite = 1;
constexpr int kExitUsage = 2;
constexpr int kExitNotFound = 3;
constexpr int kExitMemory = 4;
constexpr int kExitSignalBase = 128;
constexpr int kMostSheetSide = 16384;

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return status;
}

// Candidate i, drawn by the search from the options' parameters with the
// clock at `clock`, written to its record.
int draw_candidate(const CliOptions& o, std::int64_t clock, const std::string& record,
                   ChaosMeasure& measure) {
    State s;
    s.steps = &fpointer;
    if (auto e = prepare(s, o)) return fail(kExitUsage, *e);
    if (!random_search_offered(s))
        return fail(kExitUsage, "--random: " + std::string(catalogue[s.type].name) + " (type " +
                                    std::to_string(s.type) + ") offers no random parameter search");
    s.platform.now_seconds = [clock] { return clock; };
    const RandomResult r = randomparams(s, ChaosMeasure{});
    if (r.code != kRandomAccepted)
        return fail(kExitNotFound, "--random: no parameter set accepted among 99 candidates for " +
                                       record + "; try another --seed");
    measure = r.measure;
    std::string reason;
    if (const int rc = write_parameter_file(s, record, &reason); rc != kAtrWriteOk)
        return fail(kExitWrite,
                    std::string(kCliSaveError[rc - 1]) + " (" + record + "): " + reason);
    return 0;
}

// The thumbnail of a record: rendered as a lone render of it would be.
int draw_thumbnail(const CliOptions& o, const std::string& record, State& s) {
    s.steps = &fpointer;
    if (!set_resolution(s, o.res)) return fail(kExitMemory, "not enough memory for a thumbnail");
    CliOptions one = o;
    one.atr_in = record;
    if (auto e = prepare(s, one)) return fail(kExitUsage, *e);
    RenderDone done;
    RenderFailure failure = RenderFailure::Usage;
    if (auto e = render(s, o.iterations, o.engine, false, done, failure))
        return fail(failure == RenderFailure::Memory ? kExitMemory : kExitUsage, *e);
    if (const int sig = stop_signal(); sig != 0) return kExitSignalBase + sig;
    return 0;
}

} // namespace

std::string gallery_record_path(const std::string& sheet, int i) {
    const auto slash = sheet.rfind('/');
    const auto dot = sheet.rfind('.');
    const std::string stem =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)
            ? sheet.substr(0, dot)
            : sheet;
    return stem + "-" + std::to_string(i) + ".atr";
}

int gallery(const CliOptions& o) {
    const int n = static_cast<int>(o.explore.gallery);
    const int cols = static_cast<int>(std::lround(std::sqrt(n)));
    const int side = cols * o.res;
    if (side > kMostSheetSide)
        return fail(kExitUsage, "--gallery: a sheet of " + std::to_string(cols) + " x " +
                                    std::to_string(o.res) + " pixels is wider than " +
                                    std::to_string(kMostSheetSide) + "; lower --res");
    const std::int64_t base = o.seed ? *o.seed : Platform::real().now_seconds();
    catch_stop_signals();
    Surface sheet(side, side);
    for (int i = 0; i < n; ++i) {
        const std::string record = gallery_record_path(o.output, i + 1);
        ChaosMeasure m{};
        if (const int rc = draw_candidate(o, base + i, record, m); rc != 0) return rc;
        State s;
        if (const int rc = draw_thumbnail(o, record, s); rc != 0) return rc;
        sheet.copy_from(s.canvas, Rect{0, 0, o.res, o.res},
                        Point{(i % cols) * o.res, (i / cols) * o.res});
        if (!o.quiet) std::printf("%s: LExp %.6f FD %.6f\n", record.c_str(), m.lexp, m.fd);
    }
    std::string reason;
    if (const int rc = writepng(sheet, side, o.output, {}, "Morvane random gallery", &reason);
        rc != 0)
        return fail(kExitWrite,
                    std::string(kCliSaveError[rc - 1]) + " (" + o.output + "): " + reason);
    if (!o.quiet)
        std::printf("%d candidates from seed %lld, wrote %s\n", n, static_cast<long long>(base),
                    o.output.c_str());
    return 0;
}

} // namespace morv
