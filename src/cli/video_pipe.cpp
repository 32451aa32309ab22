// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/video_pipe.h"

#include "core/surface.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace morv {

namespace {

constexpr const char* kMissing =
    "ffmpeg was not found on PATH: install it (Debian package ffmpeg) to encode a video, or "
    "write frames with -o frames/f%04d.png";

std::string system_error(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// "dir/film.mp4" -> "dir/film.mp4.part.mp4": ffmpeg picks the format by the ending.
std::string temporary_for(const std::string& target) {
    return target + ".part" + target.substr(target.rfind('.'));
}

} // namespace

std::string find_ffmpeg() {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, end - start);
        const std::string candidate = (dir.empty() ? std::string(".") : dir) + "/ffmpeg";
        if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return std::string();
}

VideoPipe::~VideoPipe() {
    if (fd_ >= 0) ::close(fd_);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        wait_encoder();
    }
    if (!temp_.empty()) std::remove(temp_.c_str());
}

std::optional<std::string> VideoPipe::open(const std::string& target, int res, long long fps) {
    const std::string ffmpeg = find_ffmpeg();
    if (ffmpeg.empty()) return std::string(kMissing);
    target_ = target;
    temp_ = temporary_for(target);
    int fds[2];
    if (::pipe(fds) != 0) return system_error("pipe to ffmpeg");
    const std::string size = std::to_string(res) + "x" + std::to_string(res);
    const std::string rate = std::to_string(fps);
    // The surface holds 0xFFRRGGBB words: bytes B, G, R, A in memory. Codecs
    // want even sides, so an odd image gets one black row and column.
    std::vector<std::string> args{ffmpeg,
                                  "-nostdin",
                                  "-y",
                                  "-loglevel",
                                  "error",
                                  "-f",
                                  "rawvideo",
                                  "-pix_fmt",
                                  "bgra",
                                  "-s",
                                  size,
                                  "-framerate",
                                  rate,
                                  "-i",
                                  "-",
                                  "-vf",
                                  "pad=ceil(iw/2)*2:ceil(ih/2)*2",
                                  "-pix_fmt",
                                  "yuv420p",
                                  temp_};
    if (temp_.ends_with(".gif")) args.erase(args.end() - 3, args.end() - 1);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    const int rc = posix_spawn(&pid_, ffmpeg.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[0]);
    if (rc != 0) {
        ::close(fds[1]);
        pid_ = -1;
        errno = rc;
        return system_error("starting " + ffmpeg);
    }
    fd_ = fds[1];
    // A pipe whose reader died reports an error on write rather than ending us.
    std::signal(SIGPIPE, SIG_IGN);
    return std::nullopt;
}

std::optional<std::string> VideoPipe::add(const Surface& canvas) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(canvas.data());
    std::size_t left = static_cast<std::size_t>(canvas.width()) *
                       static_cast<std::size_t>(canvas.height()) * sizeof(*canvas.data());
    while (left > 0) {
        const ssize_t n = ::write(fd_, bytes, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return system_error("writing a frame to ffmpeg");
        bytes += n;
        left -= static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

int VideoPipe::wait_encoder() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
}

std::optional<std::string> VideoPipe::finish() {
    ::close(fd_);
    fd_ = -1;
    const int status = wait_encoder();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "ffmpeg could not encode " + target_ + " (its messages are above)";
    if (std::rename(temp_.c_str(), target_.c_str()) != 0)
        return system_error("renaming " + temp_ + " to " + target_);
    temp_.clear();
    return std::nullopt;
}

} // namespace morv
