// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/mapfile.h"

#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace morv {
namespace {

// Parses the text whole and, with the same outcome, fed a byte at a time.
bool parse(const std::string& text, Palette& out) {
    const bool whole = parse_map(text.data(), text.size(), out);
    MapParser parser;
    for (std::size_t i = 0; i < text.size() && parser.feed(&text[i], 1); ++i) {
    }
    Palette pieces{};
    EXPECT_EQ(parser.finish(pieces), whole) << text.substr(0, 40);
    if (whole) {
        EXPECT_EQ(pieces, out) << text.substr(0, 40);
    }
    return whole;
}

// n lines "i i i".
std::string ramp(int n) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i) + "\n";
    return t;
}

TEST(MapParse, AcceptedTextsGiveTheseEntries) {
    const std::string mixed = "0 0 0 the default map\n300 -1 256\n  7\t8  9   \r\n+4 -0 1-2-3x\n";
    const std::string trailing_blanks = "1 2 3\n\n  \n";
    const std::string long_line = "1 2 3 " + std::string(100000, 'x') + "\n4 5 6\n";
    struct Case {
        std::string text;
        int index;
        RGB expected;
    };
    for (const Case& c :
         {Case{mixed, 1, RGB{44, 255, 0}}, // low 8 bits
          Case{mixed, 2, RGB{7, 8, 9}},
          Case{mixed, 3, RGB{4, 0, 1}}, // "1-2-3x": signs start new numbers, the rest is ignored
          // 99999999999999999999 mod 256 = 255.
          Case{"99999999999999999999 -257 1\n", 0, RGB{255, 255, 1}},
          Case{"1 2 3", 0, RGB{1, 2, 3}}, // no final newline
          Case{ramp(256) + "not a palette line\n\n", 255, RGB{255, 255, 255}},
          Case{trailing_blanks, 0, RGB{1, 2, 3}}, Case{long_line, 1, RGB{4, 5, 6}}}) {
        Palette p{};
        ASSERT_TRUE(parse(c.text, p)) << c.text.substr(0, 40);
        EXPECT_EQ(p[c.index], c.expected) << c.text.substr(0, 40) << " entry " << c.index;
    }
}

TEST(MapParse, RejectsBadLinesAndInnerBlankLines) {
    Palette p{};
    for (const std::string& bad : std::vector<std::string>{
             "1 2\n", "a 1 2 3\n", "1 2 x3\n", "1,2,3\n", "1 2 - 3\n", "1 2 +\n",
             "1 2 3\n\n4 5 6\n", "1 2 3\n \t\n4 5 6\n", std::string("1 2\0 3\n", 7), "", "\n",
             " \r\n\t\n"}) // no colour at all
        EXPECT_FALSE(parse(bad, p)) << "'" << bad << "'";
}

TEST(OpenMapFile, LoadsPaletteFilesAndKeepsPaltempOnFailure) {
    const std::string maps = std::string(MORVANE_TEST_DATA) + "/maps/";
    Palette paltemp{};
    struct Case {
        const char* file;
        int index;
        RGB expected;
    };
    for (const Case& c :
         {Case{"sunrise.map", 0, RGB{0, 0, 255}}, // a comment follows
          Case{"sunrise.map", 1, RGB{1, 0, 254}}, // tabs, CR LF
          Case{"sunrise.map", 255, RGB{255, 127, 0}}, Case{"short.map", 15, RGB{252, 252, 252}},
          Case{"short.map", 16, RGB{1, 1, 1}}, // filled after 16 lines
          Case{"long.map", 255, RGB{255 * 7 % 256, 255 * 13 % 256, 255 * 29 % 256}}}) {
        ASSERT_EQ(OpenMapFile(maps + c.file, paltemp), 0) << c.file;
        EXPECT_EQ(paltemp[c.index], c.expected) << c.file << " entry " << c.index;
    }

    const Palette loaded = paltemp;
    test::TempDir dir;
    std::ofstream(dir.file("bad.map")) << "1 2 3\nred green blue\n";
    for (const std::string& bad : {dir.file("bad.map"), dir.file("missing.map"), dir.path()}) {
        EXPECT_EQ(OpenMapFile(bad, paltemp), 1) << bad;
        EXPECT_EQ(paltemp, loaded) << bad;
    }
}

// Palette files as they circulate among fractal programs, where a checkout
// has them beside it.
TEST(OpenMapFile, LoadsRealWorldPaletteFiles) {
    const std::string maps = std::string(MORVANE_SHARED_DIR) + "/testdata/maps/";
    if (!std::filesystem::is_directory(maps))
        GTEST_SKIP() << "no real-world palette files at " << maps;
    Palette paltemp{};
    for (const auto& file : std::filesystem::directory_iterator(maps)) {
        if (file.path().extension() != ".map") continue;
        EXPECT_EQ(OpenMapFile(file.path().string(), paltemp), 0) << file.path();
    }
    ASSERT_EQ(OpenMapFile(maps + "default.map", paltemp), 0);
    EXPECT_EQ(paltemp[1], (RGB{0, 0, 168}));
    ASSERT_EQ(OpenMapFile(maps + "16.map", paltemp), 0);
    EXPECT_EQ(paltemp[16], (RGB{1, 1, 1}));
}

} // namespace
} // namespace morv
