// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/frame_names.h"

#include <algorithm>
#include <cctype>

namespace morv {

namespace {

constexpr int kWidestNumber = 20;

std::string lower_ending(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return {};
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// One conversion at pattern[i] == '%': its zero flag and width, and where it
// ends; false when it is not %[0][width]d.
struct Conversion {
    bool zero = false;
    int width = 0;
    std::size_t end = 0;
};

bool read_conversion(const std::string& p, std::size_t i, Conversion& c) {
    std::size_t j = i + 1;
    if (j < p.size() && p[j] == '0') {
        c.zero = true;
        ++j;
    }
    while (j < p.size() && std::isdigit(static_cast<unsigned char>(p[j])) != 0) {
        c.width = c.width * 10 + (p[j] - '0');
        if (c.width > kWidestNumber) return false;
        ++j;
    }
    if (j >= p.size() || p[j] != 'd') return false;
    c.end = j + 1;
    return true;
}

} // namespace

bool is_video_path(const std::string& path) {
    const std::string ext = lower_ending(path);
    return ext == ".mp4" || ext == ".mkv" || ext == ".webm" || ext == ".mov" || ext == ".avi" ||
           ext == ".gif";
}

std::optional<std::string> check_frame_pattern(const std::string& pattern) {
    int numbers = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            ++i;
            continue;
        }
        Conversion c;
        if (!read_conversion(pattern, i, c))
            return "-o: '" + pattern + "': only %d, %Nd or %0Nd (N up to 20) may stand for the " +
                   "frame number; write %% for a percent sign";
        ++numbers;
        i = c.end - 1;
    }
    if (numbers != 1)
        return "-o: '" + pattern +
               "' needs one frame number, e.g. frames/f%04d.png (or a video: film.mp4)";
    if (lower_ending(pattern) != ".png")
        return "-o: frames are PNG images carrying their parameters: end the name in .png";
    return std::nullopt;
}

std::string frame_path(const std::string& pattern, long long n) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Conversion c;
        if (!read_conversion(pattern, i, c)) {
            out += pattern[i];
            continue;
        }
        std::string digits = std::to_string(n < 0 ? -n : n);
        const std::size_t width = static_cast<std::size_t>(c.width);
        if (c.zero && digits.size() + (n < 0 ? 1 : 0) < width)
            digits.insert(0, width - digits.size() - (n < 0 ? 1 : 0), '0');
        if (n < 0) digits.insert(0, 1, '-');
        if (digits.size() < width) digits.insert(0, width - digits.size(), ' ');
        out += digits;
        i = c.end - 1;
    }
    return out;
}

} // namespace morv
