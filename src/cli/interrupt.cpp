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

} // namespace

void catch_stop_signals() {
    struct sigaction action {};
    action.sa_handler = record_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a save under way carries on undisturbed
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

int stop_signal() {
    return g_stop_signal;
}

} // namespace morv
