// SPDX-License-Identifier: GPL-3.0-or-later
// A PNG written by morvane-render draws itself again from its recipe alone,
// and the options given after it still win.
#include "core/state.h"
#include "files/image.h"
#include "files/png.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morv {
namespace {

using test::quoted;

RecipeRun run_of(const std::string& path) {
    State s = test::make_state(0, 200);
    std::optional<RecipeRun> run;
    std::string reason;
    EXPECT_EQ(load_png_parameters(s, path, &reason, &run), 0) << reason;
    return run.value_or(RecipeRun{});
}

std::vector<Rgb> pixels_of(const std::string& path) {
    PngContents png;
    std::string reason;
    EXPECT_TRUE(readpng(path, png, true, reason)) << reason;
    return png.pixels;
}

TEST(CliRecipe, AnImageRendersAgainFromItselfAlone) {
    test::TempDir dir;
    const std::string a = dir.file("a.png"), b = dir.file("b.png");
    const std::string cases[] = {
        "--type 6 --set method=3 --iterations 20000 --seed 3 --palette 2",
        "--type 6 --set method=3 --iterations 20000 --filter log --res 256 --palette magma",
        "--type 4 --set method=1 --iterations 30000 --set mm.xmin=-1.5 --palette fire",
        "--type 6 --iterations 20000 --seed 4 --tone log --exposure 1.5 --gamma 1.8 "
        "--oversample 2 --color-by direction --depth 16 --alpha",
        "--type 6 --set method=3 --res 200 --iterations 40000 --orbits 3 --seed 9",
        "--type 5 --set method=3 --res 200 --iterations 40000 --orbits 8 --seed 2 --fast",
        "--type 9 --set ifscmode=1 --iterations 20000", // seeded from the clock
    };
    for (const std::string& args : cases) {
        SCOPED_TRACE(args);
        ASSERT_EQ(test::run_cli("-q " + args + " -o " + quoted(a)).status, 0);
        const test::CliRun again = test::run_cli("-q " + quoted(a) + " -o " + quoted(b));
        ASSERT_EQ(again.status, 0) << again.output;
        EXPECT_EQ(test::read_file(a), test::read_file(b)) << "pixels, record and recipe alike";
    }
}

// The case that showed the need: the colouring method and the palette came
// from nowhere, so the same command drew other colours.
TEST(CliRecipe, MethodAndPaletteTravelAndOptionsAfterTheFileWin) {
    test::TempDir dir;
    const std::string a = dir.file("a.png");
    const test::CliRun first = test::run_cli(
        "--type 6 --set method=3 --iterations 200000 --seed 3 --palette 2 -o " + quoted(a));
    ASSERT_EQ(first.status, 0) << first.output;
    const auto hitmax = [](const std::string& out) {
        const std::size_t at = out.find("hitmax ");
        return at == std::string::npos ? out : out.substr(at, out.find(',', at) - at);
    };
    const struct {
        std::string args;
        bool same;
        long long calls;
    } cases[] = {
        {"--iterations 200000 --seed 3", true, 200000},
        {"", true, 200000},
        {"--iterations 100000", false, 100000},
        {"--palette 1", false, 200000},
        {"--set method=1", false, 200000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const std::string b = dir.file("b.png");
        const test::CliRun r = test::run_cli(quoted(a) + " " + c.args + " -o " + quoted(b));
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_EQ(pixels_of(a) == pixels_of(b), c.same);
        if (c.same) {
            EXPECT_EQ(hitmax(r.output), hitmax(first.output));
        }
        EXPECT_EQ(run_of(b).calls, c.calls);
    }
}

// Parts drawn apart and merged name the orbits, calls and seed that draw
// their sum in one process.
TEST(CliRecipe, AMergedImageRendersAgainInOneProcess) {
    test::TempDir dir;
    const std::string common = "-q --type 6 --set method=3 --res 200 --iterations 40000 "
                               "--orbits 4 --seed 5 --save-hits ";
    for (const char* part : {"0:2", "2:4"})
        ASSERT_EQ(test::run_cli(common + quoted(dir.file(part)) + " --orbit-range " + part).status,
                  0);
    const std::string merged = dir.file("m.png"), again = dir.file("again.png");
    ASSERT_EQ(test::run_cli("-q --merge " + quoted(dir.file("0:2")) + " " +
                            quoted(dir.file("2:4")) + " --filter log -o " + quoted(merged))
                  .status,
              0);
    ASSERT_EQ(test::run_cli("-q " + quoted(merged) + " -o " + quoted(again)).status, 0);
    EXPECT_EQ(test::read_file(merged), test::read_file(again));
    // Toning asked for beside it draws one orbit instead of refusing the orbits.
    EXPECT_EQ(test::run_cli("-q " + quoted(merged) + " --tone log -o " + quoted(again)).status, 0);
    EXPECT_EQ(std::tuple(run_of(merged).orbits, run_of(merged).calls, run_of(merged).seed),
              std::tuple(4LL, 40000LL, std::optional<std::int64_t>(5)));
}

// A Morvane PNG on standard input brings its recipe (palette, run, filter) as
// the file does.
TEST(CliRecipe, PngOnStandardInputReproducesItself) {
    test::TempDir dir;
    const std::string png = quoted(dir.file("a.png")), again = quoted(dir.file("b.png"));
    ASSERT_EQ(test::run_cli("-q --type 6 --iterations 50000 --set method=3 --palette magma "
                            "--seed 3 --filter equalize -o " +
                            png)
                  .status,
              0);
    const test::CliRun r = test::run_shell("cat " + png + " | " + quoted(MORVANE_RENDER_PATH) +
                                           " -q -o " + again + " -");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(test::read_file(dir.file("b.png")), test::read_file(dir.file("a.png")));
}

} // namespace
} // namespace morv
