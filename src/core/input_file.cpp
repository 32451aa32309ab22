// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/input_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morv {

namespace {

const char* kind_of(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

int open_input_file(const std::string& path, std::string& reason) {
    // Without O_NONBLOCK, opening a pipe that nobody writes to waits forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        reason = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        reason = std::string("this is ") + kind_of(st.st_mode) + ", not a file";
    } else {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

InputStream open_input_stream(const std::string& path, std::string& reason) {
    const int fd = open_input_file(path, reason);
    if (fd < 0) return nullptr;
    InputStream in(::fdopen(fd, "rb"));
    if (!in) {
        reason = std::strerror(errno);
        ::close(fd);
    }
    return in;
}

} // namespace morv
