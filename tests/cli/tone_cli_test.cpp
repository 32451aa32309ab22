// SPDX-License-Identifier: GPL-3.0-or-later
// Toned pictures from morvane-render: the options' refusals, the PNGs they
// write, and a 16-bit PNG that decodes to the values the tone map made.
#include "cli/tone_run.h"
#include "color/resample.h"
#include "color/tone.h"
#include "core/state.h"
#include "files/png.h"
#include "formulas/steps.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <png.h>

namespace morv {
namespace {

using test::quoted;

TEST(CliTone, BadValuesAreRefusedNamingTheOption) {
    test::TempDir dir;
    const std::string png = " -o " + quoted(dir.file("x.png"));
    const struct {
        std::string args, says;
    } cases[] = {
        {"--tone log --exposure 200", "--exposure: 200 is outside 0.01..100"},
        {"--tone log --gamma 0", "--gamma: 0 is outside 0.1..10"},
        {"--tone log --vibrancy x", "--vibrancy: not a number: 'x'"},
        {"--tone log --oversample 5", "--oversample: 5 is outside 1..4"},
        {"--tone log --oversample 1.5", "--oversample: not a whole number: '1.5'"},
        {"--tone log --depth 12", "--depth: 12: it must be 8 or 16"},
        {"--tone log --color-by hue", "--color-by: expected speed, z, direction, index"},
        {"--tone sqrt", "--tone: expected none, log, got 'sqrt'"},
        {"--gamma 2", "--gamma tunes a toned picture: add --tone log"},
        {"--tone log --depth 16 -o " + quoted(dir.file("x.tga")), "need a PNG output"},
        {"--tone log --orbits 4 --checkpoint " + quoted(dir.file("c")), "keeps no checkpoints"},
        {"--tone log --filter log", "choose one"},
        {"--tone log --res 5000 --oversample 4", "at most 16384"},
    };
    for (const auto& c : cases) {
        const test::CliRun r = test::run_cli("-q --type 6 --iterations 1000" + png + " " + c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << c.args << ": " << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}

// The header of a PNG file: side, bits per channel and colour type.
struct PngHeader {
    png_uint_32 side = 0;
    int depth = 0, color = 0;
    std::vector<std::vector<png_byte>> rows; // as stored
};
PngHeader read_raw(const std::string& path) {
    PngHeader h;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return h;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_read_info(png, info);
        h.side = png_get_image_width(png, info);
        h.depth = png_get_bit_depth(png, info);
        h.color = png_get_color_type(png, info);
        h.rows.assign(h.side, std::vector<png_byte>(png_get_rowbytes(png, info)));
        for (auto& row : h.rows)
            png_read_row(png, row.data(), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return h;
}

TEST(CliTone, WritesPngsOfTheAskedDepthAndAlpha) {
    test::TempDir dir;
    const struct {
        std::string args;
        int depth, color;
    } cases[] = {
        {"", 8, PNG_COLOR_TYPE_RGB},
        {"--depth 16 --color-by z", 16, PNG_COLOR_TYPE_RGB},
        {"--alpha --oversample 2 --color-by direction", 8, PNG_COLOR_TYPE_RGBA},
        {"--depth 16 --alpha --oversample 3 --gamma 4 --vibrancy 0.5", 16, PNG_COLOR_TYPE_RGBA},
    };
    for (const auto& c : cases) {
        const std::string out = dir.file("t.png");
        const test::CliRun r =
            test::run_cli("-q --type 6 --res 200 --iterations 100000 --tone log " + c.args +
                          " -o " + quoted(out));
        ASSERT_EQ(r.status, 0) << c.args << ": " << r.output;
        const PngHeader h = read_raw(out);
        EXPECT_EQ(h.side, 200u) << c.args;
        EXPECT_EQ(h.depth, c.depth) << c.args;
        EXPECT_EQ(h.color, c.color) << c.args;
    }
    // Toning is not the defined colouring.
    ASSERT_EQ(
        test::run_cli("-q --type 6 --res 200 --iterations 100000 -o " + quoted(dir.file("d.png")))
            .status,
        0);
    EXPECT_NE(test::read_file(dir.file("d.png")), test::read_file(dir.file("t.png")));
}

TEST(CliTone, SixteenBitPngHoldsTheToneMapsValues) {
    State s = test::make_state(kTypeDeJong, 200, 3);
    s.steps = &fpointer;
    s.method[kTypeDeJong] = kMethodHitCount;
    s.density.want(true);
    test::render(s, 100000);
    FilteredDensity d;
    ASSERT_TRUE(downsample(s.density.cells(), 200, ReconstructionFilter{}, d));
    ToneSettings t;
    t.depth = 16;
    t.transparent = true;
    t.gamma = 3;
    TonedImage img;
    ASSERT_TRUE(tone(d, t, img));
    test::TempDir dir;
    ASSERT_EQ(writepng(png_pixels_of(img), dir.file("x.png"), {}, "toned"), 0);
    const PngHeader h = read_raw(dir.file("x.png"));
    ASSERT_EQ(h.rows.size(), 200u);
    int lit = 0;
    for (std::size_t y = 0; y < 200; ++y)
        for (std::size_t i = 0; i < 200 * 4; ++i) {
            const int stored = h.rows[y][2 * i] << 8 | h.rows[y][2 * i + 1];
            ASSERT_EQ(stored, img.rgba[y * 200 * 4 + i]) << y << " " << i;
            lit += i % 4 == 3 && stored > 0;
        }
    EXPECT_GT(lit, 1000);
}

} // namespace
} // namespace morv
