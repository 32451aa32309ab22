// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_file.h"

#include "files/file_identity.h"
#include "files/in_place_rewrite.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morv {

namespace {

// Short, so that any name the file system allows can still be saved beside.
constexpr const char* kTempPrefix = ".morvane-";

std::string directory_of(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether nobody may write the file by its mode. Decided on the bits, not by
// access(2), which lets root write anything.
bool read_only(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (target_fd_ >= 0) ::close(target_fd_);
    target_fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

bool AtomicFile::fail(const std::string& why) {
    error_ = why;
    discard();
    return false;
}

bool AtomicFile::fail_errno() {
    return fail(std::strerror(errno));
}

bool AtomicFile::plan(const std::string& target, struct stat& st) {
    discard();
    error_.clear();
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) return fail_errno();
        // A new name, or a link to one: the file is created where the links lead.
        target_ = follow_links(target);
        route_ = Route::Create;
        return true;
    }
    target_ = target;
    if (S_ISDIR(st.st_mode)) return fail(std::strerror(EISDIR));
    // Opened by the name given, so that the system follows the links, also the
    // special ones such as /dev/stdout.
    route_ = Route::Direct;
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return true;
    if (!S_ISREG(st.st_mode))
        return fail(S_ISBLK(st.st_mode) ? "it is a block device, which is not replaced"
                                        : "it is a socket, which is not replaced");
    if (read_only(st)) return fail("the file is read-only");
    if (::access(target.c_str(), W_OK) != 0) return fail_errno();
    route_ = st.st_nlink > 1 ? Route::InPlace : Route::Replace;
    if (route_ == Route::InPlace) return true;
    // The temporary file goes beside the file itself, not beside a link to it.
    char* real = ::realpath(target.c_str(), nullptr);
    if (real == nullptr) return fail_errno();
    target_ = real;
    std::free(real);
    return true;
}

bool AtomicFile::open(const std::string& target) {
    struct stat st {};
    if (!plan(target, st)) return false;
    switch (route_) {
    case Route::Create:
        return open_temporary(target_, nullptr);
    case Route::Replace:
        return open_temporary(target_, &st);
    case Route::InPlace:
        // The new content goes aside first; the links' file is only touched
        // once all of it is safely written.
        if (!open_existing(target_, O_RDWR)) return false;
        target_fd_ = fd_;
        fd_ = -1;
        return open_temporary(target_, nullptr);
    default:
        return open_existing(target_, O_WRONLY);
    }
}

std::string AtomicFile::refusal(const std::string& target) {
    AtomicFile file;
    struct stat st {};
    if (!file.plan(target, st)) return file.error_;
    if (file.route_ == Route::Direct) return std::string();
    // The temporary file needs a folder that exists and may be written.
    const std::string dir = directory_of(file.target_);
    return ::access(dir.c_str(), W_OK | X_OK) == 0 ? std::string() : std::strerror(errno);
}

bool AtomicFile::open_existing(const std::string& path, int access) {
    // Opening a pipe for writing waits for a reader; refuse instead (ENXIO).
    fd_ = ::open(path.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENXIO) return fail("no program is reading from the pipe");
        return fail_errno();
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
}

bool AtomicFile::open_temporary(const std::string& path, const struct stat* old) {
    std::string name;
    fd_ = create_beside(path, kTempPrefix, name);
    if (fd_ < 0) return fail_errno();
    temp_ = name;
    if (old != nullptr) {
        // The owner first: changing it clears the set-user-id and set-group-id bits.
        const bool owned = ::fchown(fd_, old->st_uid, old->st_gid) == 0;
        if (::fchmod(fd_, old->st_mode & (owned ? 07777 : 0777)) != 0) return fail_errno();
    }
    return true;
}

bool AtomicFile::write_all(const void* data, std::size_t size) {
    const auto* at = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, at, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail_errno();
        at += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool AtomicFile::write(const void* data, std::size_t size) {
    if (fd_ < 0) return false;
    return write_all(data, size);
}

bool AtomicFile::commit_in_place() {
    std::string why;
    const off_t size = ::lseek(fd_, 0, SEEK_END);
    if (size < 0) return fail_errno();
    InPlaceRewrite rewrite{target_fd_, target_};
    if (!rewrite.run(fd_, size, why)) return fail(why);
    return true;
}

bool AtomicFile::commit() {
    if (fd_ < 0) return false;
    // Pipes and devices cannot be synchronised; what reached them is all there is.
    if (route_ != Route::Direct && ::fsync(fd_) != 0) return fail_errno();
    if (route_ == Route::InPlace && !commit_in_place()) return false;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return fail_errno();
    if (route_ == Route::InPlace) {
        discard(); // the content is in the target now; the copy aside goes
        return true;
    }
    if (!temp_.empty() && std::rename(temp_.c_str(), target_.c_str()) != 0) return fail_errno();
    temp_.clear();
    return true;
}

} // namespace morv
