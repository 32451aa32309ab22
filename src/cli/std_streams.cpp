// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/std_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace morv {

namespace {

// Copies everything from one descriptor to another, as far as the end of
// `from`; the system's reason on failure.
std::optional<std::string> copy_all(int from, int to) {
    char buf[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, buf, sizeof buf);
        if (got == 0) return std::nullopt;
        if (got < 0) {
            if (errno == EINTR) continue;
            return std::string("cannot read: ") + std::strerror(errno);
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buf + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return std::string("cannot write: ") + std::strerror(errno);
            }
            done += put;
        }
    }
}

} // namespace

SpoolFile::SpoolFile(const std::string& suffix) {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    std::string name = (ec ? std::filesystem::path("/tmp") : dir) / "morvane-XXXXXX";
    name += suffix;
    const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
    if (fd < 0) {
        error_ = std::string("cannot make a temporary file: ") + std::strerror(errno);
        return;
    }
    ::close(fd);
    path_ = name;
}

SpoolFile::~SpoolFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
}

std::optional<std::string> read_stdin_into(const SpoolFile& spool) {
    if (spool.path().empty()) return spool.error();
    const int to = ::open(spool.path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (to < 0) return std::string("cannot write a temporary file: ") + std::strerror(errno);
    auto reason = copy_all(STDIN_FILENO, to);
    if (::close(to) != 0 && !reason) reason = std::string("cannot write: ") + std::strerror(errno);
    return reason;
}

std::optional<std::string> write_to_stdout(const SpoolFile& spool) {
    const int from = ::open(spool.path().c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return std::string("cannot read a temporary file: ") + std::strerror(errno);
    std::fflush(stdout);
    auto reason = copy_all(from, STDOUT_FILENO);
    ::close(from);
    return reason;
}

} // namespace morv
