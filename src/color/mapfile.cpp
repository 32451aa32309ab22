// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/mapfile.h"

#include "core/input_file.h"

#include <array>
#include <cstdio>
#include <string>

namespace morv {

namespace {

constexpr int kMapEntries = 256;
constexpr unsigned char kMissingEntry = 1;

bool is_space(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\v' || ch == '\f';
}
bool is_digit(char ch) {
    return ch >= '0' && ch <= '9';
}
bool is_sign(char ch) {
    return ch == '+' || ch == '-';
}

} // namespace

void MapParser::start_line() {
    numbers_ = 0;
    phase_ = Phase::BeforeNumber;
    sign_only_ = false;
    blank_ = true;
    any_char_ = false;
}

// Numbers are read as the C library's "%d %d %d" reads them: optional white
// space, an optional sign, digits; a sign may follow a number directly. Only
// the low 8 bits are kept, so no value can overflow.
bool MapParser::take(char ch) {
    any_char_ = true;
    if (!is_space(ch) && blank_) {
        blank_ = false;
        // Data after a blank line: the blank line was inside the palette.
        if (pending_blank_ > 0) return false;
    }
    if (phase_ == Phase::AfterNumbers) return true;
    if (phase_ == Phase::InNumber) {
        if (is_digit(ch)) {
            value_ = (value_ * 10 + static_cast<unsigned>(ch - '0')) & 0xFFu;
            sign_only_ = false;
            return true;
        }
        if (sign_only_) return false;
        rgb_[numbers_++] = negative_ ? (256u - value_) & 0xFFu : value_;
        phase_ = numbers_ == 3 ? Phase::AfterNumbers : Phase::BeforeNumber;
        if (phase_ == Phase::AfterNumbers || is_space(ch)) return true;
        if (!is_sign(ch)) return false;
    } else if (is_space(ch)) {
        return true;
    }
    if (!is_digit(ch) && !is_sign(ch)) return false;
    phase_ = Phase::InNumber;
    negative_ = ch == '-';
    sign_only_ = is_sign(ch);
    value_ = is_digit(ch) ? static_cast<unsigned>(ch - '0') : 0u;
    return true;
}

bool MapParser::end_line() {
    if (phase_ == Phase::InNumber) {
        if (sign_only_) return false;
        rgb_[numbers_++] = negative_ ? (256u - value_) & 0xFFu : value_;
    }
    if (numbers_ == 3) {
        for (int k = 0; k < 3; ++k)
            pal_[line_][k] = static_cast<unsigned char>(rgb_[k]);
        ++line_;
    } else if (blank_) {
        ++pending_blank_;
    } else {
        return false;
    }
    if (line_ + pending_blank_ >= kMapEntries) done_ = true;
    start_line();
    return true;
}

bool MapParser::feed(const char* data, std::size_t size) {
    for (std::size_t i = 0; i < size && !failed_ && !done_; ++i) {
        const bool ok = data[i] == '\n' ? end_line() : take(data[i]);
        if (!ok) failed_ = true;
    }
    return !failed_ && !done_;
}

bool MapParser::finish(Palette& out) {
    if (!failed_ && !done_ && any_char_ && !end_line()) failed_ = true;
    // A text without a single colour (empty, or blank lines only) is no
    // palette: taken, it would paint everything in the missing entries' grey.
    if (failed_ || line_ == 0) return false;
    for (int i = line_; i < kMapEntries; ++i)
        pal_[i] = RGB{kMissingEntry, kMissingEntry, kMissingEntry};
    out = pal_;
    return true;
}

bool parse_map(const char* data, std::size_t size, Palette& out) {
    MapParser parser;
    parser.feed(data, size);
    return parser.finish(out);
}

int OpenMapFile(const std::string& path, Palette& out, std::string* reason) {
    std::string why;
    const InputStream in = open_input_stream(path, why);
    if (!in) {
        if (reason != nullptr) *reason = why;
        return 1;
    }
    MapParser parser;
    std::array<char, 65536> buf;
    bool more = true;
    while (more) {
        const std::size_t got = std::fread(buf.data(), 1, buf.size(), in.get());
        more = parser.feed(buf.data(), got) && got == buf.size();
    }
    if (std::ferror(in.get()) != 0) {
        if (reason != nullptr) *reason = "the file could not be read";
        return 1;
    }
    Palette pal{};
    if (!parser.finish(pal)) {
        if (reason != nullptr)
            *reason = "line " + std::to_string(parser.rejected_line()) +
                      " is not three numbers (red, green, blue)";
        return 1;
    }
    out = pal;
    return 0;
}

} // namespace morv
