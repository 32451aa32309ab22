#pragma once

namespace morv {

// Ctrl-C (SIGINT) and SIGTERM during a render: from this call on they no
// longer end the process at once; the handler records the signal and the
// render loop, which asks stop_signal() between driver calls, stops, writes
// nothing or the image so far, and exits with 128 + the signal.
void catch_stop_signals();

// The signal that asked the render to stop, or 0.
int stop_signal();

} // namespace morv
