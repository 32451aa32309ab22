// SPDX-License-Identifier: GPL-3.0-or-later
// Every type's pictures compared pixel by pixel with images rendered before.
// MORVANE_WRITE_GOLDEN=1 rewrites the stored images instead of comparing.
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morv::test {
namespace {

using Setup = std::function<void(State&)>;

// A render of `calls` driver calls after an optional set-up, on a fresh
// instance or, with `after`, on the one another scene left (as after Resume).
struct Scene {
    std::string name;
    int type;
    long long calls;
    Setup setup = nullptr;
    int res = 200;
    std::int64_t seed = 1;
    std::shared_ptr<const Scene> after = nullptr;

    void draw(State& s) const {
        if (after != nullptr) {
            after->draw(s);
            s.fresh_image = true;
        } else {
            s.type = type;
        }
        if (setup) setup(s);
        render(s, calls);
    }
};

// A copy of the scene another one continues from.
std::shared_ptr<const Scene> following(const Scene& before) {
    return std::make_shared<const Scene>(before);
}

template <class C, class T> Setup with(T C::*field, T value) {
    return [=](State& s) { s.*field = value; };
}
Setup method(int type, int m) {
    return [=](State& s) { s.method[type] = m; };
}
Setup both(Setup a, Setup b) {
    return [=](State& s) {
        a(s);
        b(s);
    };
}

std::vector<Scene> pointmap_scenes() {
    const auto zoomed = [](int m) {
        return both(method(12, m), [](State& s) { s.mm[12] = ViewWindow{-20, 20, -20, 20}; });
    };
    std::vector<Scene> v;
    for (int type : {1, 3, 4, 5, 6, 7, 10, 26, 27, 29, 30, 31, 32, 33, 34, 35, 36, 37})
        for (int m : {1, 3, 4})
            if (catalogue[type].okmethod & okmethod_bit(m))
                v.push_back({"type " + std::to_string(type) + " method " + std::to_string(m), type,
                             5000, method(type, m)});
    v.push_back({"Henon", 0, 5000});
    v.push_back({"Lorenz lines", 3, 5000, method(3, 2)});
    v.push_back({"Duffing lines", 11, 3000, method(11, 2)});
    v.push_back({"Hopalong zoomed", 12, 5000, zoomed(1)});
    v.push_back({"Hopalong zoomed hits", 12, 5000, zoomed(3)});
    for (int type : {6, 3})
        v.push_back({"type " + std::to_string(type) + " rotated", type, 5000,
                     both(with(&State::rotationorder, 3), [type](State& s) {
                         s.rot[type] = Point3{30, 45, 60};
                     })});
    return v;
}

std::vector<Scene> selfdraw_scenes() {
    const long long kRows = 80; // grid scans draw a row per call: part keeps the files small
    const Setup kam_turn = [](State& s) { s.rot[23] = Point3{40, 0, 15}; };
    std::vector<Scene> v;
    v.push_back({"bifurcation", 2, 10000});
    v.push_back(
        {"bifurcation wide", 2, 10000, with(&State::linewidth, 3), 200, 1, following(v.back())});
    v.push_back(
        {"bifurcation odd", 2, 10000, with(&State::oddflag, 1), 200, 1, following(v.back())});
    for (int mode = 0; mode < 6; ++mode)
        v.push_back({"Sierpinski smode " + std::to_string(mode), 8, 20000,
                     with(&State::smode, mode), 200, 7});
    v.push_back({"Sierpinski counted", 8, 20000,
                 both(both(with(&State::smode, 2), with(&State::scmode, 1)), method(8, 3)), 200,
                 7});
    v.push_back({"fern", 9, 20000, nullptr, 200, 7});
    v.push_back({"fern counted", 9, 20000, both(with(&State::ifscmode, 1), method(9, 3)), 200, 7});
    v.push_back({"web", 13, kRows});
    for (int c = 0; c < 3; ++c)
        v.push_back({"vl colouring " + std::to_string(c), 14, kRows,
                     both(with(&State::vlcoloring, c), with(&State::showorbits, int{c == 2}))});
    v.push_back({"lace", 15, 20000, nullptr, 200, 7});
    v.push_back({"popcorn", 16, kRows});
    for (int index = 0; index < 8; ++index)
        v.push_back(
            {"pgm formula " + std::to_string(index), 17, 6000, with(&State::pgmindex, index), 600});
    v.push_back({"frothy basin", 18, kRows});
    v.push_back({"frothy basin flag", 18, 20000, with(&State::basinflag, 1)});
    for (int flag = 0; flag < 2; ++flag)
        for (int basin = 0; basin < 2; ++basin)
            v.push_back({"unity " + std::to_string(flag) + std::to_string(basin), 19, kRows,
                         both(with(&State::unityflag, flag), with(&State::unitybasin, basin))});
    v.push_back({"chrysanthemum", 20, 25000});
    v.push_back({"Rossler", 21, 20000});
    v.push_back(
        {"Rossler oblique", 21, 20000, with(&State::rosslerflag, 1), 200, 1, following(v.back())});
    v.push_back({"butterfly", 22, 25000, [](State& s) { s.rot[22] = Point3{30, 20, 10}; }});
    v.push_back({"KAM torus", 23, 5000});
    v.push_back({"KAM torus turned", 23, 5000, kam_turn, 200, 1, following(v.back())});
    v.push_back({"Samardzija", 24, 3000});
    v.push_back({"Lissajous", 25, 300});
    v.push_back({"random KAM torus", 28, 10, nullptr, 200, 12345});
    return v;
}

// A sheet is the zlib of, per scene, width and height (16 bits each) and RGB
// bytes.
std::vector<std::vector<unsigned char>> pictures(const std::vector<Scene>& scenes) {
    std::vector<std::vector<unsigned char>> out;
    for (const Scene& sc : scenes) {
        State s = make_state(0, sc.res, sc.seed);
        sc.draw(s);
        const int w = s.canvas.width(), h = s.canvas.height();
        std::vector<unsigned char>& p = out.emplace_back();
        for (int v : {w & 0xFF, w >> 8, h & 0xFF, h >> 8})
            p.push_back(static_cast<unsigned char>(v));
        for (int i = 0; i < w * h; ++i)
            for (int shift : {0, 8, 16})
                p.push_back(static_cast<unsigned char>(s.canvas.get_pixel(i % w, i / w) >> shift));
    }
    return out;
}

// One scene's picture as a binary PPM (its bytes are already R, G, B).
void write_ppm(const std::string& path, const std::vector<unsigned char>& picture) {
    const int w = picture[0] | picture[1] << 8, h = picture[2] | picture[3] << 8;
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << w << ' ' << h << "\n255\n";
    out.write(reinterpret_cast<const char*>(picture.data() + 4),
              static_cast<std::streamsize>(picture.size() - 4));
}

// Writes what a failing scene drew and what was stored for it to the build
// folder; returns the path they share.
std::string write_difference(const std::string& sheet, std::size_t scene,
                             const std::vector<unsigned char>& actual,
                             const std::vector<unsigned char>& expected) {
    const std::string dir = MORVANE_GOLDEN_FAILURES;
    std::filesystem::create_directories(dir);
    const std::string stem = dir + "/" + sheet + "-" + std::to_string(scene);
    write_ppm(stem + "-actual.ppm", actual);
    write_ppm(stem + "-expected.ppm", expected);
    return stem + "-{actual,expected}.ppm";
}

void check_sheet(const std::string& sheet, const std::vector<Scene>& scenes) {
    const auto got = pictures(scenes);
    std::vector<unsigned char> raw;
    for (const auto& p : got)
        raw.insert(raw.end(), p.begin(), p.end());
    const std::string path = std::string(MORVANE_TEST_DATA) + "/golden/" + sheet + ".rgb.z";
    const char* write = std::getenv("MORVANE_WRITE_GOLDEN");
    if (write != nullptr && std::string(write) == "1") {
        uLongf n = compressBound(raw.size());
        std::vector<unsigned char> z(n);
        ASSERT_EQ(compress2(z.data(), &n, raw.data(), raw.size(), 9), Z_OK);
        z.resize(n);
        write_file(path, z);
        ASSERT_EQ(read_file(path), z);
        return;
    }
    const std::vector<unsigned char> z = read_file(path);
    std::vector<unsigned char> want(raw.size() + 1);
    uLongf n = want.size();
    ASSERT_EQ(uncompress(want.data(), &n, z.data(), z.size()), Z_OK) << path;
    ASSERT_EQ(n, raw.size()) << "stored image has another size";
    std::size_t at = 0;
    for (std::size_t i = 0; i < scenes.size(); at += got[i].size(), ++i) {
        const int w = got[i][0] | got[i][1] << 8;
        for (std::size_t b = 4; b < got[i].size(); ++b)
            if (got[i][b] != want[at + b]) {
                const std::size_t px = (b - 4) / 3;
                const std::vector<unsigned char> stored(want.begin() + at,
                                                        want.begin() + at + got[i].size());
                ADD_FAILURE() << scenes[i].name << ": first differing pixel at (" << px % w << ", "
                              << px / w << "); pictures in "
                              << write_difference(sheet, i, got[i], stored);
                break;
            }
    }
}

TEST(Golden, PointMapsDrawTheStoredPictures) {
    check_sheet("pointmaps", pointmap_scenes());
}

TEST(Golden, SelfDrawingTypesDrawTheStoredPictures) {
    check_sheet("selfdraw", selfdraw_scenes());
}

} // namespace
} // namespace morv::test
