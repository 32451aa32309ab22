// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <sys/stat.h>

namespace morv {

// Saves a file the way a careful editor does, so that a failed save never
// destroys what was there:
// - a new name or a regular file is written to a temporary file beside it,
//   which replaces it only when everything was written; it keeps the old
//   file's mode (and owner where the system lets us);
// - a symbolic link is followed and its target saved as above;
// - a file with several hard links is written to a temporary file beside it
//   first, then rewritten in place (InPlaceRewrite: a backup of the old
//   content, room reserved, then the new content), so the links stay one file
//   and a full disk fails before the file is touched;
// - a pipe or character device is written directly, never replaced (a pipe
//   nobody reads is refused rather than waited on);
// - a read-only file, a directory, a block device or a socket is refused.
// Every failure leaves the reason, in the system's words, in error().
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile(); // discards the temporary file unless commit() succeeded

    // Prepares the save; false when the target cannot be written.
    bool open(const std::string& target);
    // false when not every byte was written.
    bool write(const void* data, std::size_t size);
    // Finishes the save: renames the temporary file over the target, or
    // copies it in place.
    bool commit();
    // Why the last step failed ("Permission denied", ...).
    const std::string& error() const { return error_; }

    // Why a save to `target` would be refused, found without creating or
    // opening anything (a pipe is not tried for a reader); empty when it
    // looks possible. Lets a long job fail before its work, not after.
    static std::string refusal(const std::string& target);

  private:
    enum class Route { Create, Replace, InPlace, Direct };

    // Decides the route for `target` and where the file really is.
    bool plan(const std::string& target, struct stat& st);
    bool open_existing(const std::string& path, int access);
    bool open_temporary(const std::string& path, const struct stat* old);
    bool fail(const std::string& why);
    bool fail_errno();
    bool write_all(const void* data, std::size_t size);
    bool commit_in_place();
    void discard();

    int fd_ = -1;        // what write() writes to: the temporary file, or a pipe or device
    int target_fd_ = -1; // a file rewritten in place, open until commit()
    Route route_ = Route::Replace;
    std::string target_, temp_, error_;
};

} // namespace morv
