#include "files/atr.h"

#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

namespace morv {
namespace {

std::vector<std::uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Everything a record carries, plus the type, as bytes: equal states give
// equal snapshots.
std::vector<std::uint8_t> snapshot(const State& s) {
    const AtrBytes b = encode_atr(atr_from_state(s));
    return {b.begin(), b.end()};
}

// A state that differs from the start-up one in every recorded value.
State edited_state() {
    State s;
    s.type = 9;
    s.p[9] = PARAM{1.5, -2.25, 3.125, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    s.rot[9] = VOXEL{10, 20, 30};
    s.back = rgb(1, 2, 3);
    s.fore = rgb(250, 251, 252);
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            s.f[i][j] = i * 0.5 - j * 0.25;
    s.fp = {10, 20, 30, 25, 10, 5};
    s.vlmaxiter = 1024;
    s.vlmaxsize = 99.5;
    s.vlradius = 0.25;
    s.pgmindex = 3;
    for (int i = 0; i < 8; ++i)
        s.pgmx0[i] = i + 0.5, s.pgmy0[i] = -i - 0.5;
    s.smode = 5;
    return s;
}

TEST(AtrRecord, RoundTripRestoresTheRecordAndLeavesTheRestAlone) {
    test::TempDir dir;
    State saved = edited_state();
    saved.satrfile = dir.file("p.atr");
    ASSERT_EQ(writeatr(saved, 0), kAtrWriteOk);
    EXPECT_EQ(read_file(saved.satrfile).size(), kAtrSize);

    State s;
    set_resolution(s, 321);
    s.speed = 7;
    s.rotationorder = 4;
    s.mm[9] = MINMAX{-1, 2, -3, 4};
    s.method[9] = 3;
    genpalette(s.palette, defpal2);
    s.oatrfile = saved.satrfile;
    ASSERT_EQ(loadatr(s), kAtrLoadOk);

    EXPECT_EQ(s.type, 9);
    EXPECT_EQ(snapshot(s), snapshot(saved));
    EXPECT_EQ(s.back, saved.back);
    EXPECT_EQ(s.fore, saved.fore);
    EXPECT_EQ(s.fp, saved.fp);
    EXPECT_EQ(s.f, saved.f);
    EXPECT_EQ(s.pgmx0, saved.pgmx0);
    EXPECT_EQ(s.pgmy0, saved.pgmy0);
    EXPECT_EQ(s.res, 321);
    EXPECT_EQ(s.speed, 7);
    EXPECT_EQ(s.rotationorder, 4);
    EXPECT_EQ(s.mm[9].xmax, 2);
    EXPECT_EQ(s.method[9], 3);
    EXPECT_EQ(s.palette, defpal2);
    EXPECT_EQ(s.p[0].xstart, State().p[0].xstart); // other types' slots untouched
}

TEST(AtrRecord, StartUpRecordHasTheKnownBytes) {
    test::TempDir dir;
    State s;
    s.satrfile = dir.file("start.atr");
    ASSERT_EQ(writeatr(s, 0), kAtrWriteOk);
    const auto b = read_file(s.satrfile);
    ASSERT_EQ(b.size(), 624u);
    auto at = [&](std::size_t off, std::vector<std::uint8_t> want) {
        EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + off, b.begin() + off + want.size()), want)
            << "at byte " << off;
    };
    at(0, {0, 0, 0, 0});
    at(52, {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F});
    at(76, {0xFF, 0xF5, 0xE6, 0x00, 0xFF, 0, 0, 0, 0xF5, 0, 0, 0, 0xE6, 0, 0, 0});
    at(92, {0x00, 0x80, 0x30, 0x00});
    at(428, {0, 0, 0, 0, 0, 0x40, 0x55, 0x40});
    at(468, {0x40, 0, 0, 0});
    at(488, {0x07, 0, 0, 0});
    // The record's fields are packed: `a` directly after `type`, `smode` last.
    State t;
    t.p[0].a = 1.0;
    t.smode = 4;
    const AtrBytes e = encode_atr(atr_from_state(t));
    EXPECT_EQ(e[4 + 7], 0x3F);
    EXPECT_EQ(e[4 + 6], 0xF0);
    EXPECT_EQ(e[620], 4);
}

TEST(AtrRecord, ProbabilitiesTruncateTowardZero) {
    ATR r = atr_from_state(State());
    r.fp = {85.0, 7.9, -3.7, 0.0, 100.0, 1e300};
    State s;
    apply_atr(s, r);
    EXPECT_EQ(s.fp[0], 85);
    EXPECT_EQ(s.fp[1], 7);
    EXPECT_EQ(s.fp[2], -3);
    EXPECT_EQ(s.fp[5], INT32_MIN); // out of range: the off-canvas value, never UB
}

TEST(AtrLoad, RejectsWrongSizesAndImpossibleValuesLeavingStateUnchanged) {
    test::TempDir dir;
    State good = edited_state();
    const AtrBytes b = encode_atr(atr_from_state(good));
    const std::vector<std::uint8_t> valid(b.begin(), b.end());

    auto with_int = [&](std::size_t off, std::int32_t v) {
        auto bytes = valid;
        for (int i = 0; i < 4; ++i)
            bytes[off + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i));
        return bytes;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int code;
    };
    auto longer = valid;
    longer.push_back(0);
    const std::vector<Case> cases{
        {"empty", {}, kAtrLoadBadSize},
        {"short", std::vector<std::uint8_t>(valid.begin(), valid.end() - 1), kAtrLoadBadSize},
        {"long", longer, kAtrLoadBadSize},
        {"type -1", with_int(0, -1), kAtrLoadBadValue},
        {"type 38", with_int(0, 38), kAtrLoadBadValue},
        {"pgmindex 8", with_int(488, 8), kAtrLoadBadValue},
        {"smode 6", with_int(620, 6), kAtrLoadBadValue},
        {"vlmaxiter 1", with_int(468, 1), kAtrLoadBadValue},
        {"vlmaxiter 1025", with_int(468, 1025), kAtrLoadBadValue},
    };
    for (const Case& c : cases) {
        State s;
        s.type = 5;
        s.p[5].a = 42;
        const auto before = snapshot(s);
        s.oatrfile = dir.file("bad.atr");
        write_file(s.oatrfile, c.bytes);
        std::string reason;
        EXPECT_EQ(loadatr(s, &reason), c.code) << c.what;
        EXPECT_FALSE(reason.empty()) << c.what;
        EXPECT_EQ(s.type, 5) << c.what;
        EXPECT_EQ(snapshot(s), before) << c.what;
    }
    State s;
    s.oatrfile = dir.file("missing.atr");
    EXPECT_EQ(loadatr(s), kAtrLoadOpenFailed);
    s.oatrfile = dir.path(); // a folder opens but cannot be read
    EXPECT_EQ(loadatr(s), kAtrLoadOpenFailed);
    EXPECT_EQ(snapshot(s), snapshot(State()));
}

TEST(AtrPaths, ImagePathGivesParameterPathAndTitle) {
    EXPECT_EQ(atr_path_for_image("/pics/orbit.tga"), "/pics/orbit.atr");
    EXPECT_EQ(atr_path_for_image("/x/y.TGA"), "/x/y.atr");
    EXPECT_EQ(atr_path_for_image("photo.jpeg"), "photo.atr");
    EXPECT_EQ(atr_path_for_image("/a.b/.c"), "/a.b/.c.atr");
    EXPECT_EQ(file_title("/x/y.atr"), "y.atr");
    EXPECT_EQ(file_title("y.atr"), "y.atr");
    EXPECT_EQ(file_title("/x/"), "");

    test::TempDir dir;
    State s;
    s.tgafile = dir.file("a-long-name.tga");
    ASSERT_EQ(writeatr(s, 1), kAtrWriteOk);
    EXPECT_EQ(s.satrfile, dir.file("a-long-name.atr"));
    EXPECT_EQ(s.satrfiletitle, "a-long-name.atr");
    EXPECT_EQ(read_file(s.satrfile).size(), kAtrSize);
    s.tgafile = dir.file("y.tga");
    ASSERT_EQ(writeatr(s, 1), kAtrWriteOk);
    EXPECT_EQ(s.satrfiletitle, "y.atr");

    s.tgafile = dir.file("no-such-folder/p.tga");
    EXPECT_EQ(writeatr(s, 1), kAtrWriteOpenFailed);
    s.satrfile = dir.file("no-such-folder/p.atr");
    EXPECT_EQ(writeatr(s, 0), kAtrWriteOpenFailed);
}

TEST(AtrPaths, StartUpArgumentLoadsTheQuotedOrPlainPath) {
    test::TempDir dir;
    State saved = edited_state();
    saved.satrfile = dir.file("a b.atr");
    ASSERT_EQ(writeatr(saved, 0), kAtrWriteOk);

    EXPECT_EQ(atr_path_from_argument("\"/a b/c.atr\""), "/a b/c.atr");
    EXPECT_EQ(atr_path_from_argument("/a b/c.atr"), "/a b/c.atr");
    EXPECT_EQ(atr_path_from_argument("\"\""), "");

    State quoted;
    EXPECT_EQ(load_startup_atr(quoted, "\"" + saved.satrfile + "\""), kAtrLoadOk);
    EXPECT_EQ(quoted.type, 9);
    State plain;
    EXPECT_EQ(load_startup_atr(plain, saved.satrfile), kAtrLoadOk);
    EXPECT_EQ(snapshot(plain), snapshot(saved));

    for (const char* nothing : {"", "\"\""}) {
        State s;
        EXPECT_EQ(load_startup_atr(s, nothing), kAtrLoadOk);
        EXPECT_EQ(s.oatrfile, "");
        EXPECT_EQ(snapshot(s), snapshot(State()));
    }
}

TEST(AtrPaths, InitOpenFileStartsTheDialogsInTheWorkingDirectory) {
    State s;
    s.file = "old.map";
    InitOpenFile(s, "/home/u");
    EXPECT_EQ(s.tgafile, "/home/u/*.tga");
    EXPECT_EQ(s.oatrfile, "/home/u/*.atr");
    EXPECT_EQ(s.satrfile, "/home/u/*.atr");
    EXPECT_EQ(s.file, "");
    EXPECT_STREQ(kOpenAtrDialog.title, "Select an ATR parameter file:");
}

} // namespace
} // namespace morv
