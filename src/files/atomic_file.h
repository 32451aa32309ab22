#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace morv {

// Writes a file through a temporary one beside it that replaces the target only
// when everything was written: a failed save never destroys an existing file.
class AtomicFile {
  public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile(); // discards the temporary file unless commit() succeeded

    // Creates the temporary file; false when it cannot be made.
    bool open(const std::string& target);
    // false when not every byte was written.
    bool write(const void* data, std::size_t size);
    // Flushes, closes and renames the temporary file over the target.
    bool commit();

  private:
    void discard();

    std::FILE* file_ = nullptr;
    std::string target_, temp_;
};

} // namespace morv
