// SPDX-License-Identifier: GPL-3.0-or-later
// Toned renders split into parts, and densities saved beside a picture: the
// parts' densities merge into the one-process picture, a saved density tones
// its picture again, and a damaged, mismatched or foreign density is refused
// with nothing written.
#include "plain_part.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <zlib.h>

namespace morv {
namespace {

using test::quoted;

constexpr std::size_t kHeader = 1492;

test::CliRun must_run(const std::string& args) {
    test::CliRun r = test::run_cli("-q " + args);
    EXPECT_EQ(r.status, 0) << args << "\n" << r.output;
    return r;
}

// The parts of a K-orbit toned render re-tone, merged, to the one-process
// picture byte for byte (its recipe included), on any thread count.
TEST(CliDensityParts, MergedPartsToneToTheOneProcessPicture) {
    test::TempDir dir;
    const std::string scenes[] = {
        "--type 6 --orbits 4",
        "--type 5 --orbits 3 --oversample 2 --color-by direction --gamma 3",
        "--type 32 --orbits 5 --color-by index --depth 16 --alpha",
    };
    for (const std::string& scene : scenes) {
        SCOPED_TRACE(scene);
        const std::string base = "--res 200 --iterations 300000 --seed 7 --tone log " + scene;
        must_run(base + " --threads 2 -o " + quoted(dir.file("one.png")));
        const std::string orbits = scene.substr(scene.find("--orbits ") + 9, 1);
        must_run(base + " --orbit-range 0:1 --threads 1 --save-hits " + quoted(dir.file("a.hits")));
        must_run(base + " --orbit-range 1:2 --save-hits " + quoted(dir.file("b.hits")));
        must_run(base + " --orbit-range 2:" + orbits + " --save-hits " +
                 quoted(dir.file("c.hits")));
        must_run("--merge " + quoted(dir.file("c.hits")) + " " + quoted(dir.file("a.hits")) + " " +
                 quoted(dir.file("b.hits")) + " -o " + quoted(dir.file("merged.png")));
        EXPECT_EQ(test::read_file(dir.file("merged.png")), test::read_file(dir.file("one.png")));
    }
}

// Where the density section of a part of res x res starts, and its checksum
// made good again after an edit.
std::size_t density_at(std::size_t res) {
    return kHeader + 8 * res * res;
}
void reseal_density(std::vector<unsigned char>& p, std::size_t res) {
    const std::size_t at = density_at(res);
    const uLong sum = crc32_z(0, p.data() + at, p.size() - 4 - at);
    for (int i = 0; i < 4; ++i)
        p[p.size() - 4 + i] = static_cast<unsigned char>(sum >> (8 * i));
}

TEST(CliDensityParts, DamagedMismatchedOrForeignDensitiesAreRefused) {
    test::TempDir dir;
    const std::string base = "--type 6 --res 200 --iterations 200000 --seed 4 --orbits 2 ";
    const auto part = [&](const std::string& name, const std::string& args) {
        must_run(base + args + " --save-hits " + quoted(dir.file(name)));
        return test::plain_part(dir.file(name));
    };
    const auto a = part("a.hits", "--tone log --orbit-range 0:1");
    part("b.hits", "--tone log --orbit-range 1:2");
    part("plain.hits", "--orbit-range 1:2");
    part("plain0.hits", "--orbit-range 0:1");
    part("index.hits", "--tone log --color-by index --orbit-range 1:2");
    part("fine.hits", "--tone log --oversample 2 --orbit-range 1:2");
    part("other.hits", "--tone log --orbit-range 1:2 --set p.a=1.5");
    const std::size_t cells = density_at(200) + 12 + 108;
    ASSERT_EQ(a.size(), cells + 32 * 200 * 200 + 4);
    int edits = 0;
    const auto edited = [&](auto edit) {
        auto bytes = a;
        edit(bytes);
        const std::string name = "d" + std::to_string(++edits) + ".hits";
        test::write_file(dir.file(name), bytes);
        return name;
    };
    const struct {
        std::string first, second, says;
    } cases[] = {
        {edited([](auto& p) { p.resize(p.size() - 40); }), "b.hits", "cut short"},
        {edited([&](auto& p) { p[cells + 32 * 20100 + 9] ^= 4; }), "b.hits", "density is damaged"},
        {edited([&](auto& p) {
             p[cells + 32 * 20100 + 15] = 0x40; // a red sum beyond its hits
             reseal_density(p, 200);
         }),
         "b.hits", "more than the render can produce"},
        {edited([&](auto& p) {
             p[cells - 108 + 4] = 7; // an unknown encoding
             reseal_density(p, 200);
         }),
         "b.hits", "unknown encoding"},
        {edited([&](auto& p) {
             p[cells - 8 * 5 + 7] = 0x7F; // oversampling NaN
             reseal_density(p, 200);
         }),
         "b.hits", "oversample is out of range"},
        {"a.hits", "plain.hits", "drawn with and without --tone"},
        {"a.hits", "index.hits", "different --color-by"},
        {"a.hits", "fine.hits", "different renders"},
        {"a.hits", "other.hits", "different renders"},
    };
    for (const auto& c : cases) {
        const test::CliRun r =
            test::run_cli("--merge " + quoted(dir.file(c.first)) + " " +
                          quoted(dir.file(c.second)) + " -o " + quoted(dir.file("x.png")));
        EXPECT_EQ(r.status, 2) << c.says << ": " << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << c.says << ": " << r.output;
    }
    // Tone options need parts with a density; the accumulated ones cannot change.
    const std::string plain = "--merge " + quoted(dir.file("plain0.hits")) + " " +
                              quoted(dir.file("plain.hits")) + " -o " + quoted(dir.file("x.png"));
    const std::string both = "--merge " + quoted(dir.file("a.hits")) + " " +
                             quoted(dir.file("b.hits")) + " -o " + quoted(dir.file("x.png"));
    for (const auto& [args, says] : {
             std::pair{plain + " --gamma 2", "carry no density to tone"},
             std::pair{both + " --oversample 2", "cannot change them"},
             std::pair{both + " --palette 2", "cannot recolour a toned picture"},
             std::pair{both + " --filter log", "choose one"},
         }) {
        const test::CliRun r = test::run_cli(args);
        EXPECT_EQ(r.status, 2) << says << ": " << r.output;
        EXPECT_NE(r.output.find(says), std::string::npos) << says << ": " << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
}

// A density saved beside a picture tones it again to the same bytes when
// nothing changes, and with another gamma to a picture that itself reproduces.
TEST(CliRetone, SavedDensityTonesThePictureAgain) {
    test::TempDir dir;
    const std::string png = quoted(dir.file("p.png")), density = quoted(dir.file("p.density"));
    for (const std::string scene : {"--type 6", "--type 5 --orbits 2 --oversample 2 --depth 16"}) {
        SCOPED_TRACE(scene);
        must_run(scene + " --res 200 --iterations 200000 --tone log -o " + png +
                 " --save-density " + density);
        must_run("--retone " + png + " -o " + quoted(dir.file("same.png")));
        EXPECT_EQ(test::read_file(dir.file("same.png")), test::read_file(dir.file("p.png")));
    }
    must_run("--retone " + png + " --gamma 2.8 -o " + quoted(dir.file("g.png")));
    must_run(quoted(dir.file("g.png")) + " -o " + quoted(dir.file("again.png")));
    EXPECT_NE(test::read_file(dir.file("g.png")), test::read_file(dir.file("p.png")));
    EXPECT_EQ(test::read_file(dir.file("again.png")), test::read_file(dir.file("g.png")));
}

TEST(CliRetone, MissingForeignOrDamagedDensitiesAreRefused) {
    test::TempDir dir;
    const auto file = [&](const std::string& name) { return quoted(dir.file(name)); };
    const std::string run = "--type 6 --res 200 --iterations 100000 --seed 3 ";
    must_run(run + "--tone log -o " + file("a.png") + " --save-density " + file("a.density"));
    must_run(run + "--tone log --set p.a=1.5 -o " + file("b.png") + " --save-density " +
             file("b.density"));
    must_run(run + "-o " + file("plain.png"));
    const auto a = test::plain_part(dir.file("a.density"));
    auto damaged = a;
    damaged[damaged.size() - 500] ^= 1;
    test::write_file(dir.file("d.density"), damaged);
    std::filesystem::copy_file(dir.file("a.png"), dir.file("d.png"));
    std::filesystem::copy_file(dir.file("a.png"), dir.file("n.png"));
    std::filesystem::copy_file(dir.file("b.density"), dir.file("f.density"));
    std::filesystem::copy_file(dir.file("a.png"), dir.file("f.png"));
    const std::string out = " -o " + file("x.png");
    const struct {
        std::string args, says;
    } cases[] = {
        {"--retone " + file("n.png"), "it reads the density that --save-density"},
        {"--retone " + file("f.png"), "does not belong to"},
        {"--retone " + file("d.png"), "density is damaged"},
        {"--retone " + file("a.png") + " --oversample 2", "cannot change them"},
        {"--retone " + file("a.png") + " --iterations 5", "would change the drawing"},
        {"--retone " + file("plain.png"), "not a toned picture"},
        {run + "--save-density " + file("x.density"), "not toned"},
    };
    for (const auto& c : cases) {
        const test::CliRun r = test::run_cli(c.args + out);
        EXPECT_EQ(r.status, 2) << c.says << ": " << r.output;
        EXPECT_NE(r.output.find(c.says), std::string::npos) << c.says << ": " << r.output;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.density")));
}

} // namespace
} // namespace morv
