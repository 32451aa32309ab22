// morvane-render: renders one image without a window.
#include "cli/options.h"
#include "cli/set_values.h"
#include "core/driver.h"
#include "core/state.h"
#include "files/tga.h"

#include <chrono>
#include <cstdio>
#include <unistd.h>

namespace morv {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitWrite = 1;

int usage_error(const std::string& message) {
    std::fprintf(stderr, "morvane-render: %s\n", message.c_str());
    return kExitUsage;
}

std::optional<std::string> not_yet(const CliOptions& o) {
    if (!o.atr_in.empty()) return "parameter files (FILE.atr) are not available yet";
    if (!o.atr_out.empty()) return "--atr-out is not available yet";
    if (o.palette != "1" && o.palette != "2") return "--palette FILE is not available yet";
    if (!o.filter.empty()) return "--filter is not available yet";
    return std::nullopt;
}

// Sets up the state as the program starts, then applies the options in order.
std::optional<std::string> prepare(State& s, const CliOptions& o) {
    if (auto e = not_yet(o)) return e;
    s.intro = 0; // the start-up image of the desktop program pauses at 25000; not here
    s.platform.now_seconds = [seed = o.seed, real = Platform::real().now_seconds] {
        return seed ? *seed : real();
    };
    if (o.pacing) s.platform.sleep_ms = Platform::real().sleep_ms;
    set_resolution(s, o.res);
    if (o.type) s.type = *o.type;
    if (fpointer[s.type] == nullptr)
        return "type " + std::to_string(s.type) + " is not available yet";
    for (const auto& [name, value] : o.sets)
        if (auto e = set_state_value(s, name, value)) return e;
    if (o.palette == "2") genpalette(s.palette, defpal2);
    return std::nullopt;
}

class Progress {
  public:
    Progress(bool enabled, long long total)
        : enabled_(enabled && ::isatty(2) != 0), total_(total) {}
    void update(long long done) {
        if (!enabled_ || total_ <= 0) return;
        const int pct = static_cast<int>(done * 100 / total_);
        if (pct == shown_) return;
        shown_ = pct;
        const int bar = pct / 2;
        std::fprintf(stderr, "\r[%-50.*s] %3d%%", bar,
                     "##################################################", pct);
        std::fflush(stderr);
    }
    ~Progress() {
        if (enabled_ && shown_ >= 0) std::fprintf(stderr, "\r%60s\r", "");
    }

  private:
    bool enabled_;
    long long total_;
    int shown_ = -1;
};

int run(int argc, char** argv) {
    CliOptions o;
    if (auto e = parse_options(argc, argv, o)) return usage_error(*e + "\n" + kUsage);
    if (o.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    State s;
    if (auto e = prepare(s, o)) return usage_error(*e);

    const auto start = std::chrono::steady_clock::now();
    Progress progress(!o.quiet && o.iterations >= 2000000, o.iterations);
    long long calls = 0;
    for (; calls < o.iterations; ++calls) {
        if (fractaldriver(s) != 0) {
            std::fprintf(stderr, "morvane-render: %s\n", kHitcountAllocText);
            return kExitWrite;
        }
        s.posted.clear(); // a pause is resumed at once
        if (s.lastresult == kComplete) {
            ++calls;
            break;
        }
        if ((calls & 0xFFFF) == 0) progress.update(calls);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    if (const int rc = writetga(s.canvas, s.res, o.output); rc != 0) {
        std::fprintf(stderr, "morvane-render: %s (%s)\n", saveerror[rc - 1], o.output.c_str());
        return kExitWrite;
    }
    if (!o.quiet)
        std::printf("%s: %lld iterations in %.3f s (%.0f per second), hitmax %u, wrote %s\n",
                    std::string(catalogue[s.type].name).c_str(), calls, seconds,
                    seconds > 0 ? calls / seconds : 0.0, s.hitmax, o.output.c_str());
    return 0;
}

} // namespace
} // namespace morv

int main(int argc, char** argv) {
    return morv::run(argc, argv);
}
