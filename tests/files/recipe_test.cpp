// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/recipe.h"

#include "core/options.h"
#include "core/state.h"
#include "files/atr.h"
#include "files/byte_codec.h"
#include "files/image.h"
#include "files/parameter_file.h"
#include "files/png.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <zlib.h>

namespace morv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A state as far from the start-up defaults as each case makes it.
struct Scene {
    const char* what;
    int type, method;
    std::function<void(State&)> change;
    RecipeRun run;
};

Palette ramp(int r, int g, int b) {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = {static_cast<unsigned char>((i * r) & 255),
                static_cast<unsigned char>((i * g) & 255),
                static_cast<unsigned char>((i * b) & 255)};
    return p;
}

std::vector<Scene> scenes() {
    RecipeRun plain;
    plain.res = 200;
    RecipeRun filtered{200, "logsquare", 5000, 3, 1};
    RecipeRun orbits{200, "", 90000, 7, 6, true};
    RecipeRun big{16384, "equalize", 1LL << 40, -5, 1 << 20};
    return {
        {"hit count, palette 2, log filter", 6, kMethodHitCount,
         [](State& s) { genpalette(s.palette, defpal2); }, filtered},
        {"speed points, a ramp palette, zoomed", 4, kMethodSpeedPoints,
         [](State& s) {
             genpalette(s.palette, ramp(3, 5, 7));
             s.mm[4].xmin += 0.25;
         },
         plain},
        {"toned at 16 bits, oversampled, coloured by z", 6, kMethodHitCount,
         [](State& s) {
             s.picture = PictureSettings{1, 2.5, 1.8, 0.02, 0.3, 40, 3, 2.5, 1, 16, 1};
         },
         orbits},
        {"IFS hit count with its own maps", 9, kMethodHitCount,
         [](State& s) {
             s.ifscmode = 1;
             s.f[2][3] = 0.125;
             s.linewidth = 3;
             s.back = rgb(1, 2, 3);
         },
         big},
    };
}

State scene_state(const Scene& c) {
    State s = test::make_state(c.type, 200);
    s.method[c.type] = c.method;
    c.change(s);
    return s;
}

// What a PNG carries comes back whole: the parameter set the pixels depend
// on, and how they were drawn.
TEST(Recipe, RoundTripsThroughAPng) {
    test::TempDir dir;
    for (const Scene& c : scenes()) {
        SCOPED_TRACE(c.what);
        const State saved = scene_state(c);
        const std::string path = dir.file("r.png");
        ASSERT_EQ(writeimage(saved, path, nullptr, &c.run), 0);
        State loaded = test::make_state(5, 200);
        std::optional<RecipeRun> run;
        std::string reason;
        ASSERT_EQ(load_png_parameters(loaded, path, &reason, &run), kAtrLoadOk) << reason;
        EXPECT_TRUE(static_cast<const Params&>(loaded) == static_cast<const Params&>(saved));
        EXPECT_EQ(loaded.palette, saved.palette);
        EXPECT_EQ(loaded.picture, saved.picture);
        ASSERT_TRUE(run.has_value());
        EXPECT_EQ(*run, c.run);
    }
}

// A checksum over everything before it, as the writer ends a recipe.
void reseal(Bytes& b) {
    b.erase(b.end() - 4, b.end());
    const auto crc = static_cast<std::uint32_t>(crc32(0L, b.data(), static_cast<uInt>(b.size())));
    ByteSink tail;
    tail.u32(crc);
    b.insert(b.end(), tail.bytes().begin(), tail.bytes().end());
}

// The offset of a setting's value inside a recipe.
std::size_t value_at(const Bytes& b, const std::string& name) {
    const std::string key = static_cast<char>(name.size()) + name;
    const auto it = std::search(b.begin(), b.end(), key.begin(), key.end());
    return static_cast<std::size_t>(it - b.begin()) + key.size();
}

void put_f64(Bytes& b, std::size_t at, double v) {
    std::memcpy(b.data() + at, &v, 8); // x86-64 is little-endian
}

// A recipe that is damaged, foreign, from a newer version or holds what no
// Morvane could have saved is refused with its reason, and changes nothing.
TEST(Recipe, RefusesDamagedAndForeignBytesAndChangesNothing) {
    const State saved = scene_state(scenes()[0]);
    const Bytes record = test::record_bytes(saved);
    const Bytes view(32, 0);
    const Bytes good = encode_recipe(saved, scenes()[0].run, record, view);
    const std::size_t body = 12;
    struct Case {
        const char* what;
        std::function<void(Bytes&)> damage;
        bool reseal;
        const char* reason;
    };
    const Case cases[] = {
        {"another magic", [](Bytes& b) { b[0] = 'X'; }, false, "does not start as one"},
        {"a newer version", [](Bytes& b) { b[4] = 2; }, false, "version 2"},
        {"cut short", [](Bytes& b) { b.erase(b.end() - 9, b.end()); }, false, "claims"},
        {"a flipped bit", [](Bytes& b) { b[body + 40] ^= 4; }, false, "checksum"},
        {"another record", [&](Bytes& b) { b[body] ^= 1; }, true, "another parameter record"},
        {"a side past 32768", [&](Bytes& b) { b[body + 7] = 0x7f; }, true, "picture side"},
        {"a filter past the last", [&](Bytes& b) { b[body + 33] = 9; }, true, "filter number"},
        {"an unknown flag", [&](Bytes& b) { b[body + 34] = 2; }, true, "flags"},
        {"an unknown setting", [&](Bytes& b) { b[value_at(b, "exposure") - 8] = 'X'; }, true,
         "does not know: 'Xxposure'"},
        {"a setting twice",
         [&](Bytes& b) { std::memcpy(&b[value_at(b, "oversample") - 10], "vlcoloring", 10); }, true,
         "vlcoloring twice"},
        {"exposure out of range", [&](Bytes& b) { put_f64(b, value_at(b, "exposure"), 1e9); }, true,
         "exposure"},
        {"a method the type lacks",
         [&](Bytes& b) { put_f64(b, value_at(b, "method"), kMethodSelf); }, true, "method"},
        {"a fractional oversampling", [&](Bytes& b) { put_f64(b, value_at(b, "oversample"), 2.5); },
         true, "oversample is not a value of its kind"},
        {"bytes past the end",
         [&](Bytes& b) {
             b.insert(b.end() - 4, 0);
             b[8] += 1;
         },
         true, "past its settings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = good;
        c.damage(bytes);
        if (c.reseal) reseal(bytes);
        State s = test::make_state(6, 200);
        const Params before = s;
        RecipeRun run;
        run.calls = 77;
        const auto why = apply_recipe(s, run, bytes, record, view);
        ASSERT_TRUE(why.has_value());
        EXPECT_NE(why->find(c.reason), std::string::npos) << *why;
        EXPECT_TRUE(static_cast<const Params&>(s) == before);
        EXPECT_EQ(run.calls, 77);
    }
    State s = test::make_state(6, 200);
    RecipeRun run;
    EXPECT_EQ(apply_recipe(s, run, good, record, view), std::nullopt) << "the cases start sound";
}

// A PNG from before recipes (record and view only) loads as it always did;
// one whose recipe belongs to another record, or that holds two, loads nothing.
TEST(Recipe, OldImagesLoadAndMismatchedOnesRefuse) {
    test::TempDir dir;
    const State saved = scene_state(scenes()[1]);
    const Bytes record = test::record_bytes(saved);
    ByteSink view;
    for (double v : {saved.mm[4].xmin, saved.mm[4].xmax, saved.mm[4].ymin, saved.mm[4].ymax})
        view.f64(v);
    const Bytes other_record = test::record_bytes(test::make_state(5, 200));
    const Bytes foreign = encode_recipe(saved, RecipeRun{}, other_record, view.bytes());
    struct Case {
        const char* what;
        Bytes recipe;
        bool loads;
    };
    for (const Case& c : {Case{"old", {}, true}, Case{"foreign recipe", foreign, false}}) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.file("old.png");
        ASSERT_EQ(writepng(saved.canvas, 200, path, record, "x", nullptr, view.bytes(), c.recipe),
                  0);
        State s = test::make_state(0, 200);
        genpalette(s.palette, defpal2);
        const Params before = s;
        std::optional<RecipeRun> run = RecipeRun{};
        std::string reason;
        const int rc = load_png_parameters(s, path, &reason, &run);
        if (!c.loads) {
            EXPECT_EQ(rc, kAtrLoadBadValue);
            EXPECT_NE(reason.find("another parameter record"), std::string::npos) << reason;
            EXPECT_TRUE(static_cast<const Params&>(s) == before);
            continue;
        }
        ASSERT_EQ(rc, kAtrLoadOk) << reason;
        EXPECT_FALSE(run.has_value());
        EXPECT_EQ(test::record_bytes(s), record);
        EXPECT_EQ(s.mm[4], saved.mm[4]);
        EXPECT_EQ(s.palette, defpal2) << "the palette stays: the image does not carry it";
        EXPECT_EQ(s.method[4], before.method[4]);
    }
}

} // namespace
} // namespace morv
