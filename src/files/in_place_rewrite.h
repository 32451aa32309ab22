// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <sys/types.h>

namespace morv {

// Creates a new, empty file of a fresh name `prefix` + 8 random characters in
// the folder of `path`, open for reading and writing; its descriptor, or -1
// with errno set. `name` is the file's path.
int create_beside(const std::string& path, const char* prefix, std::string& name);

// Rewrites a file that has several hard links in place, so that the links stay
// one file, without ever leaving it torn by a failure the program sees:
// 1. its old content is copied to a backup beside it (a full disk fails here,
//    before the file is touched);
// 2. room for the new content is reserved in the file (a full disk or the
//    file-size limit fails here, with the old content still whole);
// 3. the new content is written over it, cut to length and synchronised;
// 4. the backup goes. If step 3 fails, the old content is put back from the
//    backup; if even that fails, or the program is killed during step 3, the
//    backup stays as .morvane-backup-XXXXXXXX beside the file.
struct InPlaceRewrite {
    int target;              // the file, open for reading and writing
    const std::string& path; // its name, for the backup's folder

    // `content`: the new content, the first `size` bytes of that descriptor.
    // False with the reason, in the system's words, on failure.
    bool run(int content, off_t size, std::string& why) const;
};

} // namespace morv
