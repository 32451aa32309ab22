// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

namespace morv {

class Surface;

// A video encoded by the ffmpeg program (found on PATH), fed raw frames
// through a pipe. It writes to a temporary name beside the target, renamed
// over it only when ffmpeg succeeded, so a failed or interrupted encode
// leaves no half video and destroys no older one.
class VideoPipe {
  public:
    VideoPipe() = default;
    VideoPipe(const VideoPipe&) = delete;
    VideoPipe& operator=(const VideoPipe&) = delete;
    ~VideoPipe(); // ends ffmpeg and removes the temporary file unless finished

    // Starts ffmpeg for res x res frames at `fps`; the reason when it cannot.
    std::optional<std::string> open(const std::string& target, int res, long long fps);
    // Sends one frame (the canvas, res x res).
    std::optional<std::string> add(const Surface& canvas);
    // Closes the pipe, waits for ffmpeg and puts the video in place.
    std::optional<std::string> finish();

  private:
    int wait_encoder();

    pid_t pid_ = -1;
    int fd_ = -1;
    std::string target_, temp_;
};

// The ffmpeg program on PATH, or empty.
std::string find_ffmpeg();

} // namespace morv
