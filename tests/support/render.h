// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/state.h"

#include <cstdint>
#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

namespace morv::test {

// A headless instance at the given type and size with the start-up defaults
// (the start-up image's self-pause switched off), waits skipped and the clock
// fixed at `seed`.
State make_state(int type, int res = 200, std::int64_t seed = 1);

// Calls the driver up to `calls` times, resuming every pause at once and
// stopping early when the image is complete. Returns the calls made.
long long render(State& s, long long calls);

// FNV-1a over the canvas pixels: a regression net for rendered images.
std::uint64_t canvas_checksum(const State& s);

// Canvas pixels of the image that differ from the background colour.
int painted_pixels(const State& s);

// Palette entry i of the instance as a colour.
inline Rgb entry(const State& s, unsigned i) {
    return palette_color(s.palette, i);
}

// A step table whose every entry is `step`.
constexpr StepTable every_type(StepFn step) {
    StepTable t{};
    t.fill(step);
    return t;
}

// A pixel and the colour it should have.
struct Px {
    int x, y;
    Rgb c;
};
// Checks every listed pixel of the surface; a failure names the position.
void expect_pixels(const Surface& s, std::initializer_list<Px> want);

// The whole file (empty when it cannot be read).
std::vector<unsigned char> read_file(const std::string& path);
void write_file(const std::string& path, const std::vector<unsigned char>& bytes);

// The parameter record the state would save, as bytes: equal records compare equal.
std::vector<unsigned char> record_bytes(const State& s);

// A path in single quotes, for a renderer command line.
inline std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

// morvane-render run with these arguments; stdout and stderr together.
struct CliRun {
    int status = -1;
    std::string output;
};
CliRun run_cli(const std::string& args);
// Any shell command line, run the same way.
CliRun run_shell(const std::string& command);

// A fresh temporary folder, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

// morvane-render redraws the PNG from the recipe it carries alone (into `dir`):
// its pixels must equal the saved ones.
void expect_cli_redraws(const std::string& png, const TempDir& dir);

} // namespace morv::test

namespace morv {
// Readable failure messages for whole points and parameter sets.
void PrintTo(const Point3& v, std::ostream* os);
void PrintTo(const TypeParams& p, std::ostream* os);
} // namespace morv
