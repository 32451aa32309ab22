// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/interrupt.h"

#include <csignal>

namespace morv {

namespace {

// The one process-wide variable of the renderer: a signal handler may only
// leave its news in a volatile sig_atomic_t of static storage duration.
volatile std::sig_atomic_t g_stop_signal = 0;

extern "C" void record_stop_signal(int sig) {
    g_stop_signal = sig;
}

// The signals that end a process by default and may be caught. The faults
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGSYS, SIGTRAP) are left alone:
// going on after one of them is not safe.
constexpr int kStopSignals[] = {SIGINT,  SIGTERM,   SIGHUP,  SIGQUIT, SIGALRM, SIGUSR1,  SIGUSR2,
                                SIGPOLL, SIGVTALRM, SIGPROF, SIGXCPU, SIGPWR,  SIGSTKFLT};

} // namespace

void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = record_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a save under way carries on undisturbed
    for (const int sig : kStopSignals)
        sigaction(sig, &action, nullptr);
}

void ignore_write_signals() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
    sigaction(SIGXFSZ, &action, nullptr);
}

int stop_signal() {
    return g_stop_signal;
}

} // namespace morv
