// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's main loop on Qt's offscreen platform: driver calls per
// second while the main window renders Henon ("Speed - Points"), beside the
// driver alone in the same run; the delay between a key press arriving and
// its handling while rendering; the processor time used while paused.
#include "app/app_state.h"
#include "app/command_ids.h"
#include "core/driver.h"
#include "formulas/steps.h"
#include "ui/main_window.h"
#include "ui/render_pump.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QShortcut>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double thread_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double seconds_since(Clock::time_point t) {
    return std::chrono::duration<double>(Clock::now() - t).count();
}

void run_events_for(int ms) {
    QTimer::singleShot(ms, qApp, [] { QApplication::exit(0); });
    QApplication::exec();
}

struct Rate {
    double per_second;     // by the clock on the wall
    double per_cpu_second; // by the processor time this thread got
};

Rate headless_rate(double seconds) {
    morv::State s;
    s.steps = &morv::fpointer;
    s.intro = 0;
    long long calls = 0;
    const auto start = Clock::now();
    const double cpu = thread_cpu_seconds();
    while (seconds_since(start) < seconds) {
        for (int i = 0; i < 4096; ++i)
            morv::render_step(s);
        calls += 4096;
    }
    return {static_cast<double>(calls) / seconds_since(start),
            static_cast<double>(calls) / (thread_cpu_seconds() - cpu)};
}

// Presses R from another thread at random moments while rendering runs, and
// measures until the window has handled it; each pause is resumed the same way.
std::vector<double> key_latencies_ms(morv::ui::MainWindow& w, int samples) {
    std::vector<double> out;
    std::atomic<long long> posted_ns{0};
    const QMetaObject::Connection counting =
        QObject::connect(w.shortcut(morv::app::kCmdRender), &QShortcut::activated, &w, [&] {
            const long long sent = posted_ns.exchange(0);
            if (sent == 0) return;
            const long long now = Clock::now().time_since_epoch().count();
            out.push_back(static_cast<double>(now - sent) * 1e-6);
        });
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> delay_ms(20, 60);
    for (int i = 0; i < samples; ++i) {
        if (!w.state().rendering) w.command(morv::app::kCmdRender);
        // The key is queued from another thread, as the window system
        // queues a real one while a slice runs.
        std::thread presser([&, wait = delay_ms(gen)] {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
            posted_ns = Clock::now().time_since_epoch().count();
            QMetaObject::invokeMethod(
                &w,
                [&w] {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::NoModifier);
                    QApplication::sendEvent(&w, &press);
                },
                Qt::QueuedConnection);
        });
        run_events_for(100);
        presser.join();
    }
    QObject::disconnect(counting); // `out` ends here
    return out;
}

} // namespace

// The machine may be shared: headless and window runs alternate, and the
// medians are reported, by the wall clock and by the processor time the
// thread got.
Rate window_rate(morv::ui::MainWindow& w, int ms) {
    if (!w.state().rendering) w.command(morv::app::kCmdRender);
    const long long calls0 = w.pump()->calls();
    const auto start = Clock::now();
    const double cpu = thread_cpu_seconds();
    run_events_for(ms);
    const double calls = static_cast<double>(w.pump()->calls() - calls0);
    const Rate r{calls / seconds_since(start), calls / (thread_cpu_seconds() - cpu)};
    w.command(morv::app::kCmdRender);
    return r;
}

Rate median(std::vector<Rate> v) {
    std::sort(v.begin(), v.end(), [](Rate a, Rate b) { return a.per_second < b.per_second; });
    const double wall = v[v.size() / 2].per_second;
    std::sort(v.begin(), v.end(),
              [](Rate a, Rate b) { return a.per_cpu_second < b.per_cpu_second; });
    return {wall, v[v.size() / 2].per_cpu_second};
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    morv::app::Instance s;

    s.steps = &morv::fpointer;
    morv::ui::MainWindow w(s, morv::ui::MainWindow::Options{false});
    if (!w.create("")) return 1;
    run_events_for(300); // the start-up image renders and pauses itself

    std::vector<Rate> headless_runs, window_runs;
    const long long slice0 = w.pump()->slice_ns();
    double window_wall = 0;
    for (int round = 0; round < 5; ++round) {
        headless_runs.push_back(headless_rate(1.0));
        const auto t = Clock::now();
        window_runs.push_back(window_rate(w, 1000));
        window_wall += seconds_since(t);
    }
    const double in_slices =
        static_cast<double>(w.pump()->slice_ns() - slice0) * 1e-9 / window_wall;
    const Rate headless = median(headless_runs), gui = median(window_runs);

    std::vector<double> lat = key_latencies_ms(w, 40);
    std::sort(lat.begin(), lat.end());

    // Types that wait between their steps must not hold keys up either.
    struct Paced {
        const char* name;
        int type;
        std::vector<double> lat;
    };
    std::vector<Paced> paced{{"Duffing", morv::kTypeDuffing, {}},
                             {"Lorenz", morv::kTypeLorenz, {}},
                             {"bifurcation diagram", morv::kTypeBifurcation, {}}};
    for (Paced& p : paced) {
        if (s.rendering) w.command(morv::app::kCmdRender);
        s.type = p.type;
        s.fresh_image = true;
        p.lat = key_latencies_ms(w, 20);
        std::sort(p.lat.begin(), p.lat.end());
    }
    if (s.rendering) w.command(morv::app::kCmdRender);
    s.type = morv::kTypeHenon;

    if (s.rendering) w.command(morv::app::kCmdRender);
    const double cpu0 = cpu_seconds();
    const auto paused = Clock::now();
    run_events_for(2000);
    const double cpu_paused = (cpu_seconds() - cpu0) / seconds_since(paused) * 100.0;

    std::printf(
        "GUI loop, Henon \"Speed - Points\", res %d, window %dx%d (offscreen), medians of 5\n",
        s.res, s.window.width(), s.window.height());
    std::printf("  headless driver      %12.0f calls/s  %12.0f per CPU second\n",
                headless.per_second, headless.per_cpu_second);
    std::printf("  main window          %12.0f calls/s  %12.0f per CPU second\n", gui.per_second,
                gui.per_cpu_second);
    std::printf("  main window / headless  %.0f%% by the clock, %.0f%% by CPU time\n",
                100.0 * gui.per_second / headless.per_second,
                100.0 * gui.per_cpu_second / headless.per_cpu_second);
    std::printf("  time in driver slices %.0f%% of the main window's run\n", 100.0 * in_slices);
    if (!lat.empty())
        std::printf("  key latency (R)      median %.2f ms, max %.2f ms over %zu presses\n",
                    lat[lat.size() / 2], lat.back(), lat.size());
    for (const Paced& p : paced)
        if (!p.lat.empty())
            std::printf("  key latency, %-20s median %.2f ms, max %.2f ms over %zu presses\n",
                        p.name, p.lat[p.lat.size() / 2], p.lat.back(), p.lat.size());
    std::printf("  CPU while paused     %.2f%% of one core\n", cpu_paused);
    return 0;
}
