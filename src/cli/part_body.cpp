// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/part_body.h"

#include "files/byte_codec.h"

#include <algorithm>
#include <climits>

namespace morv {

namespace {

// Of either side of the stream in memory at once.
constexpr std::size_t kBuffer = std::size_t{1} << 16;
// The counts' byte planes are runs of zeros and of a few small values: run
// lengths alone deflate them as small as level 9 does, and fastest. A
// density's sums are not: matches at level 1 take them to an eighth, close
// to level 6 in a third of its time.
constexpr int kLevel = 1;

} // namespace

std::vector<std::uint8_t> encode_counts(const std::vector<std::uint64_t>& c, std::size_t i,
                                        BodyForm form) {
    const std::size_t n = std::min(c.size() - std::min(c.size(), i), kCountsBlock);
    if (form == BodyForm::Plain) {
        ByteSink w;
        w.reserve(8 * n);
        for (std::size_t j = i; j < i + n; ++j)
            w.u64(c[j]);
        return w.take();
    }
    std::vector<std::uint8_t> out(8 * n);
    for (std::size_t plane = 0; plane < 8; ++plane)
        for (std::size_t j = 0; j < n; ++j)
            out[plane * n + j] = static_cast<std::uint8_t>(c[i + j] >> (8 * plane));
    return out;
}

void decode_counts(const std::vector<std::uint8_t>& block, BodyForm form, std::uint64_t* out,
                   std::vector<std::uint8_t>& plain) {
    const std::size_t n = block.size() / 8;
    if (form == BodyForm::Plain) {
        ByteSource r(block);
        for (std::size_t j = 0; j < n; ++j)
            out[j] = r.u64();
        plain = block;
        return;
    }
    plain.resize(block.size());
    for (std::size_t j = 0; j < n; ++j) {
        std::uint64_t v = 0;
        for (std::size_t b = 0; b < 8; ++b) {
            plain[8 * j + b] = block[b * n + j];
            v |= std::uint64_t{block[b * n + j]} << (8 * b);
        }
        out[j] = v;
    }
}

BodyWriter::BodyWriter(AtomicFile& file, BodyForm form) : file_(file), form_(form) {
    if (form_ == BodyForm::Plain) return;
    ready_ = deflateInit2(&z_, kLevel, Z_DEFLATED, MAX_WBITS, 8, Z_RLE) == Z_OK;
    out_.resize(kBuffer);
}

BodyWriter::~BodyWriter() {
    if (ready_) deflateEnd(&z_);
}

bool BodyWriter::deflate_some(int flush) {
    int rc = Z_OK;
    do {
        z_.next_out = out_.data();
        z_.avail_out = static_cast<uInt>(out_.size());
        rc = deflate(&z_, flush);
        if (rc == Z_STREAM_ERROR) return false;
        const std::size_t made = out_.size() - z_.avail_out;
        if (made > 0 && !file_.write(out_.data(), made)) return false;
    } while (z_.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    return true;
}

bool BodyWriter::write(const std::uint8_t* data, std::size_t size) {
    if (form_ == BodyForm::Plain) return file_.write(data, size);
    if (!ready_) return false;
    while (size > 0) {
        const std::size_t take = std::min<std::size_t>(size, UINT_MAX);
        z_.next_in = const_cast<Bytef*>(data); // zlib does not write through it
        z_.avail_in = static_cast<uInt>(take);
        if (!deflate_some(Z_NO_FLUSH)) return false;
        data += take;
        size -= take;
    }
    return true;
}

bool BodyWriter::sums_follow() {
    if (form_ == BodyForm::Plain) return true;
    // Everything so far out first, so that the change takes at once.
    if (!ready_ || !deflate_some(Z_BLOCK)) return false;
    z_.next_out = out_.data();
    z_.avail_out = static_cast<uInt>(out_.size());
    const int rc = deflateParams(&z_, kLevel, Z_DEFAULT_STRATEGY);
    const std::size_t made = out_.size() - z_.avail_out;
    return rc == Z_OK && (made == 0 || file_.write(out_.data(), made));
}

bool BodyWriter::finish() {
    if (form_ == BodyForm::Plain) return true;
    return ready_ && deflate_some(Z_FINISH);
}

BodyReader::BodyReader(std::FILE* f, BodyForm form, std::uint64_t size)
    : f_(f), form_(form), left_(size) {
    if (form_ == BodyForm::Plain) return;
    in_.resize(kBuffer);
    ready_ = inflateInit(&z_) == Z_OK;
    if (!ready_) error_ = "not enough memory to inflate its body";
}

BodyReader::~BodyReader() {
    if (ready_) inflateEnd(&z_);
}

bool BodyReader::fail(std::string why) {
    if (error_.empty()) error_ = std::move(why);
    return false;
}

bool BodyReader::fill_input() {
    if (z_.avail_in > 0) return true;
    const std::size_t got = std::fread(in_.data(), 1, in_.size(), f_);
    z_.next_in = in_.data();
    z_.avail_in = static_cast<uInt>(got);
    return got > 0 || fail("its body is cut short");
}

bool BodyReader::step() {
    if (!fill_input()) return false;
    const uInt in = z_.avail_in, out = z_.avail_out;
    const int rc = inflate(&z_, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
        ended_ = true;
        return true;
    }
    // A stream that neither takes input nor gives output would never end.
    if ((rc == Z_OK || rc == Z_BUF_ERROR) && (z_.avail_in != in || z_.avail_out != out))
        return true;
    return fail(std::string("its body is damaged (") +
                (z_.msg != nullptr ? z_.msg : "not a zlib stream") + ")");
}

bool BodyReader::inflate_into(std::uint8_t* out, std::size_t n) {
    z_.next_out = out;
    z_.avail_out = static_cast<uInt>(n);
    while (z_.avail_out > 0) {
        if (ended_) return fail("its body inflates to fewer bytes than its header says");
        if (!step()) return false;
    }
    return true;
}

bool BodyReader::read(std::uint8_t* out, std::size_t n) {
    if (!error_.empty()) return false;
    if (n > left_) return fail("its body inflates to fewer bytes than its header says");
    left_ -= n;
    if (form_ == BodyForm::Plain) return std::fread(out, 1, n, f_) == n || fail("read failed");
    if (!ready_) return false;
    while (n > 0) {
        const std::size_t take = std::min(n, kBuffer);
        if (!inflate_into(out, take)) return false;
        out += take;
        n -= take;
    }
    return true;
}

bool BodyReader::finish() {
    if (!error_.empty()) return false;
    if (form_ == BodyForm::Plain) return true;
    std::uint8_t spare = 0;
    // One byte more must find the stream's end (its checksum read and
    // checked) and no more data.
    if (!ended_) {
        z_.next_out = &spare;
        z_.avail_out = 1;
        while (!ended_) {
            if (!step()) return false;
            if (z_.avail_out == 0)
                return fail("its body inflates to more bytes than its header says");
        }
    }
    if (z_.avail_in > 0 || std::fread(&spare, 1, 1, f_) == 1)
        return fail("bytes follow its body (trailing garbage)");
    return true;
}

} // namespace morv
