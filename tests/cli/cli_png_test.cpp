// morvane-render writing and reading PNG images that carry their parameters.
#include "support/render.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace morv {
namespace {

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(CliPng, ImageCarriesItsParametersToTheNextRender) {
    test::TempDir dir;
    const std::string sets = "-q --iterations 20000 --type 5 --set p.a=2.1 --set rot.y=40 ";
    test::CliRun r = test::run_cli(sets + "-o " + quoted(dir.file("a.tga")));
    ASSERT_EQ(r.status, 0) << r.output;
    r = test::run_cli(sets + "-o " + quoted(dir.file("a.PNG")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_NE(test::read_file(dir.file("a.PNG")), test::read_file(dir.file("a.tga")));

    r = test::run_cli("-q --iterations 20000 -o " + quoted(dir.file("b.tga")) + " " +
                      quoted(dir.file("a.PNG")));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(test::read_file(dir.file("b.tga")), test::read_file(dir.file("a.tga")));

    // A truncated image is refused before anything is rendered.
    auto bytes = test::read_file(dir.file("a.PNG"));
    bytes.resize(bytes.size() - 12); // without its end chunk
    {
        std::FILE* f = std::fopen(dir.file("cut.png").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    r = test::run_cli("-q -o " + quoted(dir.file("d.tga")) + " " + quoted(dir.file("cut.png")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.output.find("ends early"), std::string::npos) << r.output;
    EXPECT_FALSE(std::filesystem::exists(dir.file("d.tga")));
}

} // namespace
} // namespace morv
