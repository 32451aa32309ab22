// SPDX-License-Identifier: GPL-3.0-or-later
// morvane-render --random --gallery: candidates screened by the search, each
// record re-rendering its thumbnail, and a seed that repeats the gallery.
#include "cli/gallery.h"
#include "files/png.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <sstream>

namespace morv {
namespace {

// The pixels of a PNG image, row after row.
PngContents pixels_of(const std::string& path) {
    PngContents png;
    std::string why;
    EXPECT_TRUE(readpng(path, png, true, why)) << path << ": " << why;
    return png;
}

TEST(Gallery, CandidatesAreScreenedAndTheirRecordsRedrawTheirThumbnails) {
    test::TempDir dir;
    const std::string sheet = dir.file("sheet.png"), again = dir.file("again.png");
    const std::string common = "--res 200 --iterations 20000 --seed 11 ";
    const test::CliRun r =
        test::run_cli(common + "--type 6 --random --gallery 4 -o " + test::quoted(sheet));
    ASSERT_EQ(r.status, 0) << r.output;
    // Peter de Jong's candidates need an exponent of at least 0.3 bits per step.
    std::istringstream lines(r.output);
    std::string line;
    int screened = 0;
    while (std::getline(lines, line)) {
        const auto at = line.find(": LExp ");
        if (at == std::string::npos) continue;
        EXPECT_GE(std::stod(line.substr(at + 7)), 0.3) << line;
        ++screened;
    }
    EXPECT_EQ(screened, 4);
    const PngContents whole = pixels_of(sheet);
    ASSERT_EQ(whole.width, 400);
    for (int i = 1; i <= 4; ++i) {
        const std::string thumb = dir.file("thumb.png");
        ASSERT_EQ(test::run_cli(common + test::quoted(gallery_record_path(sheet, i)) + " -o " +
                                test::quoted(thumb))
                      .status,
                  0);
        const PngContents t = pixels_of(thumb);
        const int x0 = (i - 1) % 2 * 200, y0 = (i - 1) / 2 * 200;
        int differing = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x)
                differing += t.pixels[static_cast<std::size_t>(y * 200 + x)] !=
                             whole.pixels[static_cast<std::size_t>((y0 + y) * 400 + x0 + x)];
        EXPECT_EQ(differing, 0) << "thumbnail " << i;
    }
    ASSERT_EQ(
        test::run_cli("-q " + common + "--type 6 --random --gallery 4 -o " + test::quoted(again))
            .status,
        0);
    EXPECT_EQ(pixels_of(again).pixels, whole.pixels);
    EXPECT_EQ(test::read_file(gallery_record_path(again, 3)),
              test::read_file(gallery_record_path(sheet, 3)));
    EXPECT_EQ(gallery_record_path("a.b/c", 2), "a.b/c-2.atr");
}

} // namespace
} // namespace morv
