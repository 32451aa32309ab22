// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: --set values as a user would type them, through the
// renderer's own option handling; what it accepts is rendered for a few
// hundred driver calls. Input: a type byte, then lines of a name byte (which
// --set name) and the value text.
#include "cli/options.h"
#include "cli/session.h"
#include "core/driver.h"
#include "core/state.h"
#include "formulas/steps.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace morv;

namespace {

constexpr int kCalls = 500;
constexpr const char* kNames[] = {
    "p.xstart",  "p.ystart",  "p.zstart",  "p.a",        "p.b",        "p.c",
    "p.d",       "p.sp0",     "p.sp1",     "mm.xmin",    "mm.xmax",    "mm.ymin",
    "mm.ymax",   "rot.x",     "rot.y",     "rot.z",      "method",     "rotationorder",
    "speed",     "linewidth", "back",      "fore",       "smode",      "scmode",
    "ifscmode",  "oddflag",   "basinflag", "unityflag",  "unitybasin", "rosslerflag",
    "vlmaxiter", "vlmaxsize", "vlradius",  "vlcoloring", "showorbits", "pgmindex",
    "pgmscale",  "pgmx0",     "pgmy0",     "f.1.2",      "f.5.5",      "fp.0",
    "fp.3"};
constexpr std::size_t kNameCount = sizeof kNames / sizeof kNames[0];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<std::string> args{"morvane-render",
                                  "--res",
                                  "200",
                                  "--seed",
                                  "1",
                                  "--type",
                                  std::to_string(data[0] % NTYPES)};
    for (std::size_t i = 1; i < size;) {
        const char* name = kNames[data[i++] % kNameCount];
        std::string value;
        while (i < size && data[i] != '\n')
            value += static_cast<char>(data[i++]);
        ++i;
        args.insert(args.end(), {"--set", std::string(name) + "=" + value});
    }
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    CliOptions o;
    if (parse_options(static_cast<int>(argv.size()), argv.data(), o)) return 0;
    State s;
    s.steps = &fpointer;
    if (!set_resolution(s, o.res)) std::abort();
    if (prepare(s, o)) return 0;
    for (int i = 0; i < kCalls; ++i) {
        if (render_step(s) == Outcome::Complete) break;
    }
    return 0;
}
