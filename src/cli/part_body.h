// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "files/atomic_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include <zlib.h>

namespace morv {

// How a part's body (its counts and the sections after them) is stored: as it
// is, or deflated as one zlib stream. A deflated body holds the counts
// byte-planed by blocks (kCountsBlock words each), which takes a
// typical part to a fifteenth of its size.
enum class BodyForm { Plain, Deflated };

inline constexpr std::size_t kCountsBlock = std::size_t{1} << 16;

// The bytes of counts i.. (kCountsBlock of them at most), little-endian:
// count by count (Plain), or the lowest byte of every count, then the next
// byte of every count, and so on (Deflated), so that the mostly zero high
// bytes make long runs.
std::vector<std::uint8_t> encode_counts(const std::vector<std::uint64_t>& c, std::size_t i,
                                        BodyForm form);
// The counts of such a block of bytes (8 per count) into `out`, and the block
// as it would be stored plain (for its checksum) into `plain`.
void decode_counts(const std::vector<std::uint8_t>& block, BodyForm form, std::uint64_t* out,
                   std::vector<std::uint8_t>& plain);

// Writes a part's body after its header, plain or deflated, holding no more
// than a buffer of the deflated bytes.
class BodyWriter {
  public:
    BodyWriter(AtomicFile& file, BodyForm form);
    ~BodyWriter();
    BodyWriter(const BodyWriter&) = delete;
    BodyWriter& operator=(const BodyWriter&) = delete;

    bool write(const std::uint8_t* data, std::size_t size);
    // What follows is a density's sums, which deflate best otherwise.
    bool sums_follow();
    // Ends the deflated stream; false when it or a write failed.
    bool finish();

  private:
    bool deflate_some(int flush);

    AtomicFile& file_;
    BodyForm form_;
    z_stream z_{};
    bool ready_ = false;
    std::vector<std::uint8_t> out_;
};

// Reads a part's body from f's position, plain or inflating `size` bytes.
// Every failure is one reason, for the caller to prefix with the file's name:
// a damaged stream, a file cut short, a stream that inflates to more or fewer
// bytes than its header says, or bytes after it.
class BodyReader {
  public:
    BodyReader(std::FILE* f, BodyForm form, std::uint64_t size);
    ~BodyReader();
    BodyReader(const BodyReader&) = delete;
    BodyReader& operator=(const BodyReader&) = delete;

    // Exactly `n` more bytes of the body; false, with error(), otherwise.
    bool read(std::uint8_t* out, std::size_t n);
    // The body's bytes not read yet.
    std::uint64_t left() const { return left_; }
    // Whether the stream ends exactly where the body does and the file with it.
    bool finish();
    const std::string& error() const { return error_; }

  private:
    bool inflate_into(std::uint8_t* out, std::size_t n);
    // One call of inflate, with input read as needed.
    bool step();
    bool fill_input();
    bool fail(std::string why);

    std::FILE* f_;
    BodyForm form_;
    std::uint64_t left_;
    z_stream z_{};
    bool ready_ = false, ended_ = false;
    std::vector<std::uint8_t> in_;
    std::string error_;
};

// Deflate gives at most 1032 bytes for one of its stream (two bits for a
// 258-byte match): a header claiming more from a body of its size is lying,
// and is refused before anything is allocated.
inline constexpr std::uint64_t kMaxInflateRatio = 1032;

} // namespace morv
