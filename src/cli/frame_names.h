// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace morv {

// Whether the output is a video for ffmpeg to encode (.mp4, .mkv, .webm,
// .mov, .avi or .gif, in any letter case) rather than frame files.
bool is_video_path(const std::string& path);

// Why `pattern` cannot name frame files, or nothing: it needs exactly one
// frame number, written %d or with a width (%4d, %04d), '%%' for a percent
// sign, and the ending .png (frames carry their parameters).
std::optional<std::string> check_frame_pattern(const std::string& pattern);

// The file name of frame `n` by a pattern that check_frame_pattern accepts,
// formatted as printf would, without handing it the user's text.
std::string frame_path(const std::string& pattern, long long n);

} // namespace morv
