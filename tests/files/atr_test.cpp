// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atr.h"
#include "files/parameter_file.h"

#include "core/numeric.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace morv {
namespace {

using test::record_bytes;

// A state that differs from the start-up one in every recorded value, each
// inside what the dialogs allow.
State edited_state() {
    State s;
    s.type = 26;
    s.p[26] = TypeParams{1.5, -2.25, 3.125, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    s.rot[26] = Point3{10, 20, 360};
    s.back = rgb(1, 2, 3);
    s.fore = rgb(250, 251, 252);
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j)
            s.f[i][j] = i * 0.25 - j * 0.125;
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
    const std::string path = dir.file("p.atr");
    ASSERT_EQ(write_parameter_file(saved, path), kAtrWriteOk);
    EXPECT_EQ(test::read_file(path).size(), kAtrSize);

    State s;
    set_resolution(s, 321);
    s.speed = 7;
    s.rotationorder = 4;
    s.mm[26] = ViewWindow{-1, 2, -3, 4};
    s.method[26] = 3;
    genpalette(s.palette, defpal2);
    ASSERT_EQ(load_parameter_file(s, path), kAtrLoadOk);

    EXPECT_EQ(record_bytes(s), record_bytes(saved)); // type, colours, IFS, PGM and the rest
    EXPECT_EQ(s.fp, saved.fp);
    EXPECT_EQ(std::tuple(s.res, s.speed, s.rotationorder, s.mm[26].xmax, s.method[26]),
              std::tuple(321, 7, 4, 2.0, 3));
    EXPECT_EQ(s.palette, defpal2);
    EXPECT_EQ(s.p[0].xstart, State().p[0].xstart); // other types' slots untouched
}

TEST(AtrRecord, StartUpRecordHasTheKnownBytes) {
    const std::vector<unsigned char> b = record_bytes(State());
    const std::pair<std::size_t, std::vector<unsigned char>> known[] = {
        {0, {0, 0, 0, 0}},
        {52, {0x9A, 0x99, 0x99, 0x99, 0x99, 0x99, 0xB9, 0x3F}},
        {76, {0xFF, 0xF5, 0xE6, 0x00, 0xFF, 0, 0, 0, 0xF5, 0, 0, 0, 0xE6, 0, 0, 0}},
        {92, {0x00, 0x80, 0x30, 0x00}},
        {428, {0, 0, 0, 0, 0, 0x40, 0x55, 0x40}},
        {468, {0x40, 0, 0, 0}},
        {488, {0x07, 0, 0, 0}}};
    for (const auto& [off, want] : known)
        EXPECT_EQ(std::vector<unsigned char>(b.begin() + off, b.begin() + off + want.size()), want)
            << "at byte " << off;
    // The record's fields are packed: `a` directly after `type`, `smode` last.
    State t;
    t.p[0].a = 1.0;
    t.smode = 4;
    const auto e = record_bytes(t);
    EXPECT_EQ(std::tuple(e[4 + 6], e[4 + 7], e[620]), std::tuple(0xF0, 0x3F, 4));
}

TEST(AtrLoad, RefusesWrongSizesAndValuesNoDialogCouldGiveLeavingStateUnchanged) {
    const ATR good = atr_from_state(edited_state());
    const double nan = std::nan(""), inf = HUGE_VAL;
    const std::string types = "; it must lie in 0.." + std::to_string(NTYPES - 1);
    const std::string below = "type is -1" + types,
                      beyond = "type is " + std::to_string(NTYPES) + types;
    const std::pair<std::function<void(ATR&)>, const char*> cases[] = {
        // nullptr: the record loads
        {[](ATR& r) { r.type = -1; }, below.c_str()},
        {[](ATR& r) { r.type = NTYPES; }, beyond.c_str()},
        {[&](ATR& r) { r.a = nan; }, "p.a is nan; it must lie in -2..2"},
        {[](ATR& r) { r.type = 4, r.c = 1.6; }, "p.c is 1.6; it must lie in -1.5..1.5"},
        {[](ATR& r) { r.type = 18, r.a = 1.737, r.b = -0.035, r.c = r.d = r.sp0 = r.sp1 = 0; },
         nullptr},
        {[](ATR& r) { r.type = 29, r.sp0 = 2.0000001; },
         "p.sp0 is 2.0000001; it must lie in -2..2"},
        {[](ATR& r) { r.type = 36, r.sp1 = 0.9; }, "p.sp1 is 0.9; it must lie in 1..1.5"},
        {[&](ATR& r) { r.ystart = -inf; }, "p.ystart is -inf; it must lie in -1e+06..1e+06"},
        {[](ATR& r) { r.xrot = 1e300; }, "rot.x is 1e+300; it must lie in 0..360"},
        {[](ATR& r) { r.zrot = -0.5; }, "rot.z is -0.5; it must lie in 0..360"},
        {[](ATR& r) { r.back = 0x1000000; }, "back is 16777216; it must lie in 0..16777215"},
        {[](ATR& r) { r.greenfore = 256; }, "greenfore is 256; it must lie in 0..255"},
        {[](ATR& r) { r.f[1][2] = 2.5; }, "f.1.2 is 2.5; it must lie in -1..2"},
        {[](ATR& r) { r.fp[5] = 1e300; }, "fp.5 is 1e+300; it must lie in 0..100"},
        {[](ATR& r) { r.fp[2] = -3.7; }, "fp.2 is -3.7; it must lie in 0..100"},
        {[](ATR& r) { r.fp = {0.5, 0, 0, 0, 0, 0}; },
         "fp.0 to fp.5 are all 0; at least one must not be"},
        {[](ATR& r) { r.fp = {85.9, 7.9, 0, 0, 0, 0}; }, nullptr}, // truncated: 85 and 7
        {[](ATR& r) { r.vlmaxiter = 1; }, "vlmaxiter is 1; it must lie in 2..1024"},
        {[&](ATR& r) { r.vlmaxsize = nan; }, "vlmaxsize is nan; it must lie in 2..256"},
        {[](ATR& r) { r.vlradius = 1e300; }, "vlradius is 1e+300; it must lie in 0.01..0.5"},
        {[](ATR& r) { r.pgmindex = 8; }, "pgmindex is 8; it must lie in 0..7"},
        {[](ATR& r) { r.pgmy0[7] = 10.5; }, "pgmy0[7] is 10.5; it must lie in -10..10"},
        {[](ATR& r) { r.smode = 6; }, "smode is 6; it must lie in 0..5"},
    };
    for (const auto& [edit, refusal] : cases) {
        ATR r = good;
        edit(r);
        State s = edited_state();
        s.type = 5;
        const auto before = record_bytes(s);
        std::string reason;
        const int rc = load_atr_bytes(s, encode_atr(r), &reason);
        if (refusal == nullptr) {
            EXPECT_EQ(std::tuple(rc, s.type), std::tuple(kAtrLoadOk, r.type)) << reason;
            // Probabilities truncate toward zero.
            EXPECT_EQ(std::pair(s.fp[0], s.fp[1]), std::pair(trunc32(r.fp[0]), trunc32(r.fp[1])));
            continue;
        }
        EXPECT_EQ(rc, kAtrLoadBadValue) << refusal;
        EXPECT_EQ(reason, refusal);
        EXPECT_EQ(record_bytes(s), before) << refusal;
    }
    State s;
    const AtrBytes b = encode_atr(good);
    const std::vector<std::uint8_t> valid(b.begin(), b.end());
    auto longer = valid;
    longer.push_back(0);
    for (const auto& bytes : {std::vector<std::uint8_t>{}, longer,
                              std::vector<std::uint8_t>(valid.begin(), valid.end() - 1)}) {
        std::string reason;
        EXPECT_EQ(load_atr_bytes(s, bytes, &reason), kAtrLoadBadSize) << bytes.size();
        EXPECT_FALSE(reason.empty());
    }
    test::TempDir dir;
    // A folder opens but cannot be read.
    for (const std::string& unreadable : {dir.file("missing.atr"), dir.path()})
        EXPECT_EQ(load_parameter_file(s, unreadable), kAtrLoadOpenFailed) << unreadable;
    EXPECT_EQ(record_bytes(s), record_bytes(State()));
}

// Saving and loading by name go through the application's tests; these are
// the edges of the name rules.
TEST(AtrPaths, EdgesOfImageNamesStartUpArgumentsAndUnwritableFolders) {
    for (const auto& [image, atr] : {std::pair{"/x/y.TGA", "/x/y.atr"},
                                     {"photo.jpeg", "photo.atr"},
                                     {"/a.b/.c", "/a.b/.c.atr"}})
        EXPECT_EQ(atr_path_for_image(image), atr);
    EXPECT_EQ(file_title("/x/y.atr") + "|" + file_title("/x/"), "y.atr|");
    EXPECT_EQ(atr_path_from_argument("\"/a b/c.atr\""), "/a b/c.atr");
    for (const char* nothing : {"", "\"\""})
        EXPECT_EQ(atr_path_from_argument(nothing), "");
    test::TempDir dir;
    State s;
    std::string reason;
    EXPECT_EQ(write_parameter_file(s, dir.file("no-such-folder/p.atr")), kAtrWriteOpenFailed);
    EXPECT_EQ(write_parameter_file(s, "", &reason), kAtrWriteOpenFailed);
    EXPECT_EQ(reason, "no file name");
}

} // namespace
} // namespace morv
