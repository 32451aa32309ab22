// Every type's pictures compared pixel by pixel with images rendered before.
// MORVANE_WRITE_GOLDEN=1 rewrites the stored images instead of comparing.
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace morv::test {
namespace {

struct Scene {
    std::string name;
    std::function<void(State&)> draw; // renders into a fresh 200 x 200 instance
    int res = 200;
    std::int64_t seed = 1;
};

// One render after an optional set-up.
Scene custom(std::string name, int type, long long calls,
             std::function<void(State&)> setup = nullptr, int res = 200, std::int64_t seed = 1) {
    return {name,
            [=](State& s) {
                s.type = type;
                if (setup) setup(s);
                render(s, calls);
            },
            res, seed};
}

Scene pinned(std::string name, int type, int method, long long calls, MINMAX window = {}) {
    return custom(name, type, calls, [=](State& s) {
        if (method >= 0) s.method[type] = method;
        if (window.xmax > window.xmin) s.mm[type] = window;
    });
}

// A render that follows another on the same instance, as after Resume.
Scene again(Scene first, std::string name, long long calls, std::function<void(State&)> change) {
    return {name,
            [=](State& s) {
                first.draw(s);
                change(s);
                s.firstloop = 1;
                render(s, calls);
            },
            first.res, first.seed};
}

std::vector<Scene> pointmap_scenes() {
    const MINMAX hopalong_zoom{-20, 20, -20, 20};
    std::vector<Scene> v;
    for (int type : {1, 3, 4, 5, 6, 7, 10, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 37})
        for (int method : {1, 3, 4})
            if (catalogue[type].okmethod & okmethod_bit(method))
                v.push_back(
                    pinned("type " + std::to_string(type) + " method " + std::to_string(method),
                           type, method, 5000));
    v.push_back(pinned("Henon", 0, -1, 5000));
    v.push_back(pinned("Lorenz lines", 3, 2, 5000));
    v.push_back(pinned("Duffing lines", 11, 2, 3000));
    v.push_back(pinned("Hopalong zoomed", 12, 1, 5000, hopalong_zoom));
    v.push_back(pinned("Hopalong zoomed hits", 12, 3, 5000, hopalong_zoom));
    for (int type : {6, 3})
        v.push_back(
            custom("type " + std::to_string(type) + " rotated", type, 5000, [type](State& s) {
                s.rot[type] = VOXEL{30, 45, 60};
                s.rotationorder = 3;
            }));
    return v;
}

std::vector<Scene> selfdraw_scenes() {
    // Grid scans draw a row per call: part of the image keeps the files small.
    const long long kRows = 80;
    std::vector<Scene> v;
    const Scene bif = custom("bifurcation", 2, 10000);
    const Scene wide = again(bif, "bifurcation wide", 10000, [](State& s) { s.linewidth = 3; });
    v.push_back(bif);
    v.push_back(wide);
    v.push_back(again(wide, "bifurcation odd", 10000, [](State& s) { s.oddflag = 1; }));
    for (int mode = 0; mode < 6; ++mode)
        v.push_back(custom(
            "Sierpinski smode " + std::to_string(mode), 8, 20000,
            [mode](State& s) { s.smode = mode; }, 200, 7));
    v.push_back(custom(
        "Sierpinski counted", 8, 20000,
        [](State& s) {
            s.smode = 2;
            s.scmode = 1;
            s.method[8] = 3;
        },
        200, 7));
    v.push_back(custom("fern", 9, 20000, nullptr, 200, 7));
    v.push_back(custom(
        "fern counted", 9, 20000,
        [](State& s) {
            s.ifscmode = 1;
            s.method[9] = 3;
        },
        200, 7));
    v.push_back(custom("web", 13, kRows));
    for (int c = 0; c < 3; ++c)
        v.push_back(custom("vl colouring " + std::to_string(c), 14, kRows, [c](State& s) {
            s.vlcoloring = c;
            s.showorbits = c == 2;
        }));
    v.push_back(custom("lace", 15, 20000, nullptr, 200, 7));
    v.push_back(custom("popcorn", 16, kRows));
    for (int index = 0; index < 8; ++index)
        v.push_back(custom(
            "pgm formula " + std::to_string(index), 17, 6000,
            [index](State& s) { s.pgmindex = index; }, 600));
    v.push_back(custom("frothy basin", 18, kRows));
    v.push_back(custom("frothy basin flag", 18, 20000, [](State& s) { s.basinflag = 1; }));
    for (int flag = 0; flag < 2; ++flag)
        for (int basin = 0; basin < 2; ++basin)
            v.push_back(custom("unity " + std::to_string(flag) + std::to_string(basin), 19, kRows,
                               [=](State& s) {
                                   s.unityflag = flag;
                                   s.unitybasin = basin;
                               }));
    v.push_back(custom("chrysanthemum", 20, 25000));
    const Scene ross = custom("Rossler", 21, 20000);
    v.push_back(ross);
    v.push_back(again(ross, "Rossler oblique", 20000, [](State& s) { s.rosslerflag = 1; }));
    v.push_back(custom("butterfly", 22, 25000, [](State& s) { s.rot[22] = VOXEL{30, 20, 10}; }));
    const Scene kam = custom("KAM torus", 23, 5000);
    v.push_back(kam);
    v.push_back(again(kam, "KAM torus turned", 5000, [](State& s) {
        s.rot[23] = VOXEL{40, 0, 15};
    }));
    v.push_back(custom("Samardzija", 24, 3000));
    v.push_back(custom("Lissajous", 25, 300));
    v.push_back(custom("random KAM torus", 28, 10, nullptr, 200, 12345));
    return v;
}

// Stored as zlib of, per scene, width and height (16 bits each) and RGB bytes.
std::vector<unsigned char> pixels_of(const std::vector<Scene>& scenes) {
    std::vector<unsigned char> out;
    for (const Scene& sc : scenes) {
        State s = make_state(0, sc.res, sc.seed);
        sc.draw(s);
        const int w = s.canvas.width(), h = s.canvas.height();
        for (int v : {w, h}) {
            out.push_back(static_cast<unsigned char>(v & 0xFF));
            out.push_back(static_cast<unsigned char>(v >> 8));
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF c = s.canvas.get_pixel(x, y);
                for (int shift : {0, 8, 16})
                    out.push_back(static_cast<unsigned char>((c >> shift) & 0xFF));
            }
    }
    return out;
}

std::string golden_path(const std::string& sheet) {
    return std::string(MORVANE_TEST_DATA) + "/golden/" + sheet + ".rgb.z";
}

bool write_golden(const std::string& path, const std::vector<unsigned char>& raw) {
    uLongf n = compressBound(raw.size());
    std::vector<unsigned char> z(n);
    if (compress2(z.data(), &n, raw.data(), raw.size(), 9) != Z_OK) return false;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(z.data()), static_cast<std::streamsize>(n));
    return static_cast<bool>(out);
}

std::vector<unsigned char> read_golden(const std::string& path, std::size_t size) {
    const std::vector<unsigned char> z = read_file(path);
    std::vector<unsigned char> raw(size + 1);
    uLongf n = raw.size();
    if (z.empty() || uncompress(raw.data(), &n, z.data(), z.size()) != Z_OK) return {};
    raw.resize(n);
    return raw;
}

// The first differing pixel, named by its scene and position.
void expect_same(const std::vector<Scene>& scenes, const std::vector<unsigned char>& want,
                 const std::vector<unsigned char>& got) {
    ASSERT_EQ(want.size(), got.size()) << "stored image has another size";
    std::size_t at = 0;
    for (const Scene& sc : scenes) {
        const int w = got[at] | got[at + 1] << 8, h = got[at + 2] | got[at + 3] << 8;
        at += 4;
        for (int i = 0; i < w * h; ++i, at += 3)
            if (want[at] != got[at] || want[at + 1] != got[at + 1] || want[at + 2] != got[at + 2]) {
                ADD_FAILURE() << sc.name << ": first differing pixel at (" << i % w << ", " << i / w
                              << ")";
                at += 3 * static_cast<std::size_t>(w * h - i);
                break;
            }
    }
}

void check_sheet(const std::string& sheet, const std::vector<Scene>& scenes) {
    const std::vector<unsigned char> got = pixels_of(scenes);
    const char* write = std::getenv("MORVANE_WRITE_GOLDEN");
    if (write != nullptr && std::string(write) == "1") {
        ASSERT_TRUE(write_golden(golden_path(sheet), got));
        return;
    }
    expect_same(scenes, read_golden(golden_path(sheet), got.size()), got);
}

TEST(Golden, PointMapsDrawTheStoredPictures) {
    check_sheet("pointmaps", pointmap_scenes());
}

TEST(Golden, SelfDrawingTypesDrawTheStoredPictures) {
    check_sheet("selfdraw", selfdraw_scenes());
}

} // namespace
} // namespace morv::test
