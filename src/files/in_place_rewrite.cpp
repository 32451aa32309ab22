// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/in_place_rewrite.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace morv {

namespace {

constexpr const char* kBackupPrefix = ".morvane-backup-";
constexpr int kNameAttempts = 100;
constexpr char kNameChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr off_t kCopyBlock = off_t{1} << 20;

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string random_suffix(std::mt19937& gen) {
    std::uniform_int_distribution<int> pick(0, sizeof kNameChars - 2);
    std::string out(8, 'x');
    for (char& c : out)
        c = kNameChars[pick(gen)];
    return out;
}

bool write_at(int fd, const unsigned char* data, std::size_t size, off_t at) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        data += n;
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies the first `size` bytes of `from` over the first `size` bytes of
// `to`; false with errno set on failure.
bool copy_start(int from, int to, off_t size) {
    std::vector<unsigned char> buf(static_cast<std::size_t>(std::min(size, kCopyBlock)));
    for (off_t at = 0; at < size;) {
        const auto want = static_cast<std::size_t>(std::min(size - at, kCopyBlock));
        const ssize_t got = ::pread(from, buf.data(), want, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got == 0) errno = EIO; // the source is shorter than it was
            return false;
        }
        if (!write_at(to, buf.data(), static_cast<std::size_t>(got), at)) return false;
        at += got;
    }
    return true;
}

bool replace_content(int from, int to, off_t size) {
    return copy_start(from, to, size) && ::ftruncate(to, size) == 0 && ::fsync(to) == 0;
}

// Reserves the first `size` bytes of the file; a file system that cannot
// reserve ahead is written without.
int reserve(int fd, off_t size) {
    const int rc = ::posix_fallocate(fd, 0, size);
    return rc == EOPNOTSUPP || rc == EINVAL ? 0 : rc;
}

} // namespace

int create_beside(const std::string& path, const char* prefix, std::string& name) {
    std::random_device seed;
    std::mt19937 gen(seed());
    const std::string start = directory_of(path) + "/" + prefix;
    for (int i = 0; i < kNameAttempts; ++i) {
        name = start + random_suffix(gen);
        // The mode of a new file is 0666 less the umask, as for any new file.
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool InPlaceRewrite::run(int content, off_t size, std::string& why) const {
    struct stat st {};
    if (::fstat(target, &st) != 0) {
        why = std::strerror(errno);
        return false;
    }
    const off_t old_size = st.st_size;
    std::string backup_name;
    const int backup = create_beside(path, kBackupPrefix, backup_name);
    if (backup < 0) {
        why = std::strerror(errno);
        return false;
    }
    auto give_up = [&](int error) {
        why = std::strerror(error);
        ::close(backup);
        ::unlink(backup_name.c_str());
        return false;
    };
    if (!copy_start(target, backup, old_size) || ::fsync(backup) != 0) return give_up(errno);
    if (size > old_size)
        if (const int rc = reserve(target, size); rc != 0) {
            ::ftruncate(target, old_size); // the reservation may have grown it
            return give_up(rc);
        }
    if (replace_content(content, target, size)) {
        ::close(backup);
        ::unlink(backup_name.c_str());
        return true;
    }
    const int error = errno;
    if (replace_content(backup, target, old_size)) {
        give_up(error);
        why += "; the file was left as it was";
        return false;
    }
    why = std::string(std::strerror(error)) + "; the old content is kept in " + backup_name;
    ::close(backup);
    return false;
}

} // namespace morv
