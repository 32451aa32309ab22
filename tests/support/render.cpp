// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/render.h"

#include "core/driver.h"
#include "files/atr.h"
#include "files/png.h"
#include "formulas/steps.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <stdexcept>
#include <sys/wait.h>

namespace morv::test {

State make_state(int type, int res, std::int64_t seed) {
    State s;
    s.steps = &fpointer;
    s.intro = 0;
    s.type = type;
    set_resolution(s, res);
    s.platform.now_seconds = [seed] { return seed; };
    return s;
}

long long render(State& s, long long calls) {
    long long made = 0;
    while (made < calls) {
        ++made;
        if (render_step(s) == Outcome::Complete) break;
    }
    return made;
}

std::uint64_t canvas_checksum(const State& s) {
    std::uint64_t h = 1469598103934665603ull;
    const std::uint32_t* px = s.canvas.data();
    const std::size_t n = static_cast<std::size_t>(s.canvas.width()) * s.canvas.height();
    for (std::size_t i = 0; i < n; ++i) {
        h ^= px[i] & 0xFFFFFFu;
        h *= 1099511628211ull;
    }
    return h;
}

int painted_pixels(const State& s) {
    int n = 0;
    for (int y = 0; y < s.res; ++y)
        for (int x = 0; x < s.res; ++x)
            n += s.canvas.get_pixel(x, y) != s.back;
    return n;
}

void expect_pixels(const Surface& s, std::initializer_list<Px> want) {
    for (const Px& p : want)
        EXPECT_EQ(s.get_pixel(p.x, p.y), p.c) << "at " << p.x << "," << p.y;
}

std::vector<unsigned char> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> record_bytes(const State& s) {
    const AtrBytes b = encode_atr(atr_from_state(s));
    return {b.begin(), b.end()};
}

CliRun run_shell(const std::string& command) {
    const std::string cmd = command + " 2>&1";
    CliRun r;
    std::FILE* pipe = ::popen(cmd.c_str(), "r");
    if (pipe == nullptr) return r;
    char buf[4096];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        r.output.append(buf, n);
    const int st = ::pclose(pipe);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

CliRun run_cli(const std::string& args) {
    return run_shell(std::string("'") + MORVANE_RENDER_PATH + "' " + args);
}

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "morvane-test-XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void expect_cli_redraws(const std::string& png, const TempDir& dir) {
    const std::string redrawn = dir.file("redrawn.png");
    const CliRun again = run_cli("-q " + quoted(png) + " -o " + quoted(redrawn));
    ASSERT_EQ(again.status, 0) << again.output;
    PngContents saved, drawn;
    std::string reason;
    ASSERT_TRUE(readpng(png, saved, true, reason) && readpng(redrawn, drawn, true, reason))
        << reason;
    EXPECT_EQ(saved.pixels, drawn.pixels) << "the renderer draws what the screen showed";
}

} // namespace morv::test

namespace morv {

void PrintTo(const Point3& v, std::ostream* os) {
    *os << std::setprecision(17) << "(" << v.x << ", " << v.y << ", " << v.z << ")";
}

void PrintTo(const TypeParams& p, std::ostream* os) {
    *os << std::setprecision(17) << "{start " << p.xstart << ", " << p.ystart << ", " << p.zstart
        << "; a..d " << p.a << ", " << p.b << ", " << p.c << ", " << p.d << "; sp " << p.sp0 << ", "
        << p.sp1 << "}";
}

} // namespace morv
