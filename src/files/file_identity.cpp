// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_identity.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morv {

namespace {

constexpr int kMaxLinks = 40;

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The link's target, or empty when `path` is not a link.
std::string read_link(const std::string& path) {
    std::vector<char> buf(4096);
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buf.size()) return std::string();
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

} // namespace

std::string follow_links(const std::string& path) {
    std::string at = path;
    for (int hops = 0; hops < kMaxLinks; ++hops) {
        const std::string target = read_link(at);
        if (target.empty()) return at;
        at = target.front() == '/' ? target : directory_of(at) + "/" + target;
    }
    return path;
}

bool same_file(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    const bool a_exists = ::stat(a.c_str(), &sa) == 0, b_exists = ::stat(b.c_str(), &sb) == 0;
    if (a_exists && b_exists) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (a_exists != b_exists) return false;
    // The error-code forms throughout: an empty name must not throw.
    auto resolved = [](const std::string& path, std::error_code& ec) {
        const auto absolute = std::filesystem::absolute(follow_links(path), ec);
        return ec ? absolute : std::filesystem::weakly_canonical(absolute, ec);
    };
    std::error_code ea, eb;
    const auto ca = resolved(a, ea);
    const auto cb = resolved(b, eb);
    return !ea && !eb && ca == cb;
}

} // namespace morv
