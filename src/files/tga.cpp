// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/tga.h"

#include "core/surface.h"
#include "files/atomic_file.h"
#include "files/byte_codec.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace morv {

namespace {

std::vector<std::uint8_t> tga_header(int res) {
    ByteSink h;
    for (std::uint8_t b : {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}) // uncompressed true colour
        h.u8(b);
    h.u16(static_cast<std::uint16_t>(res));
    h.u16(static_cast<std::uint16_t>(res));
    h.u8(24);
    h.u8(0x20); // first row in the file is the top row
    return h.take();
}

std::array<unsigned char, 26> tga_footer() {
    std::array<unsigned char, 26> f{}; // no extension area, no developer directory
    const char sig[] = "TRUEVISION-XFILE.";
    for (int i = 0; i < 17; ++i)
        f[8 + i] = static_cast<unsigned char>(sig[i]);
    return f;
}

int write_tga_to(AtomicFile& file, const Surface& canvas, int res, const std::string& path) {
    if (!file.open(path)) return 1;
    std::vector<unsigned char> line;
    try {
        line.assign(static_cast<std::size_t>(res) * 3, 0);
    } catch (const std::bad_alloc&) {
        return 2;
    }
    const auto header = tga_header(res);
    if (!file.write(header.data(), header.size())) return 3;
    for (int y = 0; y < res; ++y) {
        for (int x = 0; x < res; ++x) {
            const Rgb c = canvas.get_pixel(x, y);
            line[3 * x] = static_cast<unsigned char>(blue_of(c));
            line[3 * x + 1] = static_cast<unsigned char>(green_of(c));
            line[3 * x + 2] = static_cast<unsigned char>(red_of(c));
        }
        if (!file.write(line.data(), line.size())) return 3;
    }
    const auto footer = tga_footer();
    // Unlike a plain overwrite, a footer that did not reach the disk is a failure.
    if (!file.write(footer.data(), footer.size()) || !file.commit()) return 3;
    return 0;
}

} // namespace

int writetga(const Surface& canvas, int res, const std::string& path, std::string* reason) {
    if (res < 0 || res > 0xFFFF) {
        if (reason != nullptr) *reason = "the image is too large for a TGA file";
        return 1;
    }
    AtomicFile file;
    const int rc = write_tga_to(file, canvas, res, path);
    if (rc != 0 && reason != nullptr) *reason = rc == 2 ? std::strerror(ENOMEM) : file.error();
    return rc;
}

} // namespace morv
