// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/png.h"

#include "core/catalogue.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/image.h"
#include "files/parameter_file.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace morv {
namespace {

using test::record_bytes;

// The PNG holds exactly the TGA's pixels, whatever the type draws with
// (palette indices, speed colours, lines in 3-D, the chaos game).
TEST(Png, PixelsEqualTheTgaOfTheSameRenderAndCarryTheRecord) {
    test::TempDir dir;
    for (const int type : {0, 3, 9, 21, 33}) {
        State s = test::make_state(type, 200);
        test::render(s, 20000);
        ASSERT_EQ(writeimage(s, dir.file("a.tga")), 0);
        ASSERT_EQ(writeimage(s, dir.file("a.PnG")), 0) << "the extension in any case";
        const auto tga = test::read_file(dir.file("a.tga"));
        ASSERT_EQ(tga.size(), 18u + 3u * 200 * 200 + 26u);
        PngContents png;
        std::string reason;
        ASSERT_TRUE(readpng(dir.file("a.PnG"), png, true, reason)) << reason;
        ASSERT_EQ(std::pair(png.width, png.height), std::pair(200, 200));
        for (std::size_t i = 0; i < png.pixels.size(); ++i) {
            const unsigned char* bgr = &tga[18 + 3 * i];
            ASSERT_EQ(png.pixels[i], rgb(bgr[2], bgr[1], bgr[0]))
                << "type " << type << " pixel " << i % 200 << "," << i / 200;
        }
        EXPECT_EQ(png.record, record_bytes(s)) << type;
        EXPECT_EQ(png.description.rfind(std::string(short_type_name(type)) + " (type ", 0), 0u)
            << png.description;
    }
}

// The record and a zoomed view come back from an image, by the load command
// and at start-up.
TEST(Png, RecordAndViewWindowComeBack) {
    test::TempDir dir;
    State saved = test::make_state(4, 200);
    saved.p[4].a = 2.2, saved.p[4].b = 0.55;
    saved.rot[4] = Point3{15, 30, 45};
    saved.back = rgb(10, 20, 30);
    const ViewWindow d = catalogue[4].mmdef;
    const double w = (d.xmax - d.xmin) / 4, h = (d.ymax - d.ymin) / 4;
    saved.mm[4] = ViewWindow{d.xmin + w, d.xmax - 2 * w, d.ymin + h, d.ymax - h};
    ASSERT_EQ(writeimage(saved, dir.file("z.png")), 0);
    State loaded = test::make_state(5, 200);
    std::string reason;
    ASSERT_EQ(load_parameter_file(loaded, dir.file("z.png"), &reason), kAtrLoadOk) << reason;
    EXPECT_EQ(record_bytes(loaded), record_bytes(saved));
    EXPECT_EQ(loaded.mm[4], saved.mm[4]);
    State started = test::make_state(0, 200);
    EXPECT_EQ(load_parameter_file(started, atr_path_from_argument("\"" + dir.file("z.png") + "\"")),
              kAtrLoadOk);
    EXPECT_EQ(record_bytes(started), record_bytes(saved));
    EXPECT_EQ(started.mm[4], saved.mm[4]);
}

// A damaged image, one without a good record, or with a view window that
// could not have been saved refuses the whole load and names the reason.
TEST(Png, RefusalsLeaveTheStateUnchanged) {
    test::TempDir dir;
    State source = test::make_state(0, 200);
    test::render(source, 5000);
    const auto record = record_bytes(source);
    ASSERT_EQ(writepng(source.canvas, 200, dir.file("good.png"), record, "x"), 0);
    const auto good = test::read_file(dir.file("good.png"));
    const ViewWindow m = catalogue[0].mmdef;
    const auto view = [&](int at, double v, std::size_t size = 32) {
        double window[4] = {m.xmin, m.xmax, m.ymin, m.ymax};
        window[at] = v;
        std::vector<std::uint8_t> bytes(size);
        std::memcpy(bytes.data(), window, size); // x86-64 is little-endian
        return bytes;
    };
    auto bad_type = record;
    bad_type[0] = NTYPES; // one past the last type
    auto damaged = good;
    damaged[8 + 25 + 8 + 100] ^= 0x01; // a byte inside the record chunk after IHDR
    struct Case {
        const char* what;
        std::vector<std::uint8_t> record, view; // written with writepng unless `bytes` given
        std::vector<unsigned char> bytes;
        int code;
        const char* reason;
    };
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"no record", {}, {}, {}, kAtrLoadBadValue, "without Morvane parameters"},
        {"short record", {record.begin(), record.end() - 1}, {}, {}, kAtrLoadBadSize, "624"},
        {"type past the last", bad_type, {}, {}, kAtrLoadBadValue, "type"},
        {"truncated",
         {},
         {},
         {good.begin(), good.begin() + good.size() / 2},
         kAtrLoadOpenFailed,
         "ends early"},
        {"damaged record", {}, {}, damaged, kAtrLoadOpenFailed, "damaged"},
        {"signature only",
         {},
         {},
         {good.begin(), good.begin() + 8},
         kAtrLoadOpenFailed,
         "ends early"},
        {"short view", record, view(0, m.xmin, 31), {}, kAtrLoadBadValue, "32 bytes"},
        {"NaN in the view", record, view(1, nan), {}, kAtrLoadBadValue, "mm.xmax"},
        {"view far out", record, view(2, -1e300), {}, kAtrLoadBadValue, "mm.ymin"},
        {"view too narrow",
         record,
         view(3, m.ymin + 1e-12),
         {},
         kAtrLoadBadValue,
         "mm.ymax - mm.ymin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.file("bad.png");
        if (c.bytes.empty())
            ASSERT_EQ(writepng(source.canvas, 200, path, c.record, "x", nullptr, c.view), 0);
        else
            test::write_file(path, c.bytes);
        State s = test::make_state(5, 200);
        s.p[5].a = 42;
        s.mm[0].xmin = -1;
        const auto before = record_bytes(s);
        std::string reason;
        EXPECT_EQ(load_parameter_file(s, path, &reason), c.code);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(std::pair(record_bytes(s), s.mm[0].xmin), std::pair(before, -1.0));
    }
}

} // namespace
} // namespace morv
