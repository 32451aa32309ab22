// Several orbits on one and on two threads: the speed-up of the second
// thread (wall time; the machine's other load counts against it) and the
// rate per processor second (what a busy machine still measures fairly).
// Where the Debian package fyre is installed, its rate on the same map and
// coefficients beside ours. Prints figures; never part of the tests.
#include "cli/orbits.h"
#include "formulas/steps.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr long long kCalls = 40000000;
constexpr int kRes = 600;

double process_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Timing {
    double wall, processor;
};

Timing render(int threads, std::uint64_t& sink) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    s.type = morv::kTypeDeJong;
    s.method[s.type] = morv::kMethodHitCount;
    s.rot[s.type] = {};
    morv::set_resolution(s, kRes);
    morv::OrbitJob job;
    job.orbits = 8;
    job.end = 8;
    job.threads = threads;
    job.iterations = kCalls;
    job.clock = 1;
    morv::OrbitTotals totals;
    totals.counts.assign(static_cast<std::size_t>(kRes) * kRes, 0);
    const double cpu = process_seconds();
    const auto start = std::chrono::steady_clock::now();
    morv::render_orbits(s, job, totals, {});
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    for (std::uint64_t c : totals.counts)
        sink += c;
    return {wall, process_seconds() - cpu};
}

// A process's processor seconds so far, from /proc.
double child_seconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(in, line);
    const std::size_t name_end = line.rfind(')');
    if (name_end == std::string::npos) return 0;
    std::istringstream fields(line.substr(name_end + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i) // state .. cmajflt
        fields >> skip;
    long long utime = 0, stime = 0;
    fields >> utime >> stime;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// fyre's iterations per second of wall and of processor time, from its
// status lines ("percent iterations rate ...") between its first and last.
struct FyreRate {
    double wall, processor;
};

std::optional<FyreRate> fyre_rate(const morv::PARAM& p) {
    const char* fyre = "/usr/bin/fyre";
    if (access(fyre, X_OK) != 0 || access("/usr/bin/stdbuf", X_OK) != 0) return std::nullopt;
    char dir[] = "/tmp/bench-fyre-XXXXXX";
    if (mkdtemp(dir) == nullptr) return std::nullopt;
    const std::string png = std::string(dir) + "/dejong.png";
    auto arg = [](const char* key, double v) { return std::string(key) + "=" + std::to_string(v); };
    const std::string a = arg("a", p.a), b = arg("b", p.b), c = arg("c", p.c), d = arg("d", p.d);
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        close(out[0]);
        // Unbuffered: a status line must arrive when it is written.
        execl("/usr/bin/stdbuf", "stdbuf", "-o0", fyre, "-o", png.c_str(), "-s", "600", "-q", "12",
              "-p", a.c_str(), "-p", b.c_str(), "-p", c.c_str(), "-p", d.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    struct Sample {
        double iterations, wall, processor;
    };
    std::vector<Sample> samples;
    const auto start = std::chrono::steady_clock::now();
    std::string line;
    char ch;
    while (read(out[0], &ch, 1) == 1) {
        if (ch != '\r' && ch != '\n') {
            line += ch;
            continue;
        }
        double percent = 0, iterations = 0;
        if (std::sscanf(line.c_str(), " %lf%% %lf", &percent, &iterations) == 2)
            samples.push_back(
                {iterations,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                 child_seconds(pid)});
        line.clear();
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    std::remove(png.c_str());
    rmdir(dir);
    if (samples.size() < 2 || samples.back().processor <= samples.front().processor)
        return std::nullopt;
    const Sample &first = samples.front(), &last = samples.back();
    const double n = last.iterations - first.iterations;
    return FyreRate{n / (last.wall - first.wall), n / (last.processor - first.processor)};
}

} // namespace

int main() {
    std::uint64_t sink = 0;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("Peter de Jong hit count at %d x %d, 8 orbits, %.0e calls, %u cores\n", kRes, kRes,
                static_cast<double>(kCalls), cores);
    const Timing one = render(1, sink), two = render(2, sink);
    auto rate = [](double seconds) { return kCalls / seconds / 1e6; };
    std::printf("threads 1: %.2f s (%.1f M/s)  threads 2: %.2f s (%.1f M/s)  speed-up %.2f\n",
                one.wall, rate(one.wall), two.wall, rate(two.wall), one.wall / two.wall);
    const double per_core = rate(two.processor);
    std::printf("per processor second: threads 1 %.1f M/s, threads 2 %.1f M/s\n",
                rate(one.processor), per_core);
    if (const auto fyre = fyre_rate(morv::catalogue[morv::kTypeDeJong].pdef)) {
        std::printf("fyre, same map: %.1f M/s wall, %.1f M/s per processor second\n",
                    fyre->wall / 1e6, fyre->processor / 1e6);
        std::printf("ours / fyre: %.2f wall (threads 2), %.2f for all %u cores at our rate per "
                    "processor second (target 1.5)\n",
                    rate(two.wall) * 1e6 / fyre->wall, per_core * 1e6 * cores / fyre->processor,
                    cores);
    } else {
        std::printf("fyre: not installed or gave no status lines, skipped\n");
    }
    std::printf("(checksum %llu)\n", static_cast<unsigned long long>(sink));
    return 0;
}
