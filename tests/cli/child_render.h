// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render as a real child process, signalled while it works.
#pragma once

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace morv::test {

// Whether the process has its own handler for `sig` yet (the caught-signals
// mask of /proc/PID/status), so that a signal sent now tests it and not the
// default action.
inline bool catches_signal(pid_t pid, int sig) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (sig - 1)) & 1;
    return false;
}

struct SignalledRun {
    int status = -1;   // the exit status; -1 when ended by a signal
    std::string error; // what it wrote to stderr
};

// Starts morvane-render with `args`, sends `sig` once the renderer catches it
// and has drawn for `after_ms`, and waits for the end.
inline SignalledRun signalled_render(const std::vector<std::string>& args, int sig,
                                     const std::string& error_file, int after_ms = 50) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(MORVANE_RENDER_PATH)};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(MORVANE_RENDER_PATH, argv.data());
        ::_exit(127);
    }
    for (int i = 0; i < 2000 && !catches_signal(pid, sig); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(after_ms));
    ::kill(pid, sig);
    int status = 0;
    ::waitpid(pid, &status, 0);
    std::ifstream in(error_file);
    SignalledRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                   std::string(std::istreambuf_iterator<char>(in), {})};
    ::unlink(error_file.c_str());
    return r;
}

} // namespace morv::test
