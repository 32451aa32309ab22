// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

// Every catchable signal whose default action ends the process (SIGINT,
// SIGTERM, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, ...): from this call on they no
// longer end the process at once; the handler records the signal and the
// render loop, which asks stop_signal() between driver calls, stops, writes
// nothing or the image so far, and exits with 128 + the signal. A save under
// way is finished first, so no temporary file is left behind.
void catch_stop_signals();

// SIGPIPE (a reader that went away) and SIGXFSZ (the file size limit) would
// end the process in the middle of a write; ignored, the write fails instead,
// and the save is reported and cleaned up like any other failure.
void ignore_write_signals();

// The signal that asked the render to stop, or 0.
int stop_signal();

} // namespace morv
