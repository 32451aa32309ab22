// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace morv {

// Little-endian fields appended to a growing buffer, the same bytes on every
// machine: what the program's files (records, images, hit-count parts) hold.
class ByteSink {
  public:
    void reserve(std::size_t n) { bytes_.reserve(n); }
    void u8(std::uint8_t v) { bytes_.push_back(v); }
    void u16(std::uint16_t v) { put(v, 2); }
    void u32(std::uint32_t v) { put(v, 4); }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u64(std::uint64_t v) { put(v, 8); }
    void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
    void raw(std::span<const std::uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

  private:
    void put(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> bytes_;
};

// Reads little-endian fields from the front of a buffer. Reading past its end
// gives zero bytes and marks the source overrun, so a short buffer is never
// read outside its bounds.
class ByteSource {
  public:
    explicit ByteSource(std::span<const std::uint8_t> in) : in_(in) {}
    std::uint8_t u8() { return static_cast<std::uint8_t>(get(1)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(get(4)); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::uint64_t u64() { return get(8); }
    double f64() { return std::bit_cast<double>(u64()); }
    // The next n bytes as they are (fewer when the buffer ends sooner).
    std::span<const std::uint8_t> raw(std::size_t n) {
        const std::size_t from = pos_;
        skip(n);
        return in_.subspan(from, pos_ - from);
    }
    void skip(std::size_t n) {
        overrun_ = overrun_ || n > in_.size() - pos_;
        pos_ = overrun_ ? in_.size() : pos_ + n;
    }
    bool overrun() const { return overrun_; }
    std::size_t left() const { return in_.size() - pos_; }

  private:
    std::uint64_t get(int n) {
        std::uint64_t v = 0;
        const std::span<const std::uint8_t> b = raw(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < b.size(); ++i)
            v |= static_cast<std::uint64_t>(b[i]) << (8 * i);
        return b.size() == static_cast<std::size_t>(n) ? v : 0;
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    bool overrun_ = false;
};

} // namespace morv
