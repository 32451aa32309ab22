#include "color/mapfile.h"

#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace morv {
namespace {

const std::string kMaps = std::string(MORVANE_SHARED_DIR) + "/testdata/maps/";

bool parse(const std::string& text, Palette& out) {
    return parse_map(text.data(), text.size(), out);
}

RGB entry(int r, int g, int b) {
    return RGB{static_cast<unsigned char>(r), static_cast<unsigned char>(g),
               static_cast<unsigned char>(b)};
}

// n lines "i i i".
std::string ramp(int n) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += std::to_string(i) + " " + std::to_string(i) + " " + std::to_string(i) + "\n";
    return t;
}

TEST(MapParse, ReadsLowBitsAndIgnoresTheRestOfTheLine) {
    Palette p{};
    ASSERT_TRUE(parse("0 0 0 the default map\n300 -1 256\n  7\t8  9   \r\n+4 -0 1-2-3x\n", p));
    EXPECT_EQ(p[0], entry(0, 0, 0));
    EXPECT_EQ(p[1], entry(44, 255, 0));
    EXPECT_EQ(p[2], entry(7, 8, 9));
    EXPECT_EQ(p[3], entry(4, 0, 1)); // "1-2-3x": the signs start new numbers, the rest is ignored
    EXPECT_EQ(p[4], entry(1, 1, 1));
    EXPECT_EQ(p[255], entry(1, 1, 1));
    // Long numbers keep their low 8 bits: 99999999999999999999 mod 256 = 255.
    ASSERT_TRUE(parse("99999999999999999999 -257 1\n", p));
    EXPECT_EQ(p[0], entry(255, 255, 1));
}

TEST(MapParse, ShortFilesAreFilledAndExtraLinesIgnored) {
    Palette p{};
    ASSERT_TRUE(parse("1 2 3", p)); // no final newline
    EXPECT_EQ(p[0], entry(1, 2, 3));
    EXPECT_EQ(p[1], entry(1, 1, 1));
    ASSERT_TRUE(parse("", p));
    EXPECT_EQ(p[0], entry(1, 1, 1));
    ASSERT_TRUE(parse(ramp(256) + "not a palette line\n\n", p));
    EXPECT_EQ(p[255], entry(255, 255, 255));
}

TEST(MapParse, RejectsBadLinesAndInnerBlankLines) {
    Palette p{};
    for (const std::string& bad : std::vector<std::string>{
             "1 2\n", "a 1 2 3\n", "1 2 x3\n", "1,2,3\n", "1 2 - 3\n", "1 2 +\n",
             "1 2 3\n\n4 5 6\n", "1 2 3\n \t\n4 5 6\n", std::string("1 2\0 3\n", 7)})
        EXPECT_FALSE(parse(bad, p)) << "'" << bad << "'";
    // A blank line that only trails the data ends it.
    ASSERT_TRUE(parse("1 2 3\n\n  \n", p));
    EXPECT_EQ(p[0], entry(1, 2, 3));
    EXPECT_EQ(p[1], entry(1, 1, 1));
    // A line of any length is one line.
    ASSERT_TRUE(parse("1 2 3 " + std::string(100000, 'x') + "\n4 5 6\n", p));
    EXPECT_EQ(p[1], entry(4, 5, 6));
}

TEST(MapParse, PiecesOfAnySizeGiveTheSameResult) {
    const std::string text = "10 20 30 comment\n-1 300 7\n\n";
    Palette whole{}, pieces{};
    ASSERT_TRUE(parse(text, whole));
    MapParser parser;
    for (char ch : text)
        parser.feed(&ch, 1);
    ASSERT_TRUE(parser.finish(pieces));
    EXPECT_EQ(whole, pieces);
}

TEST(OpenMapFile, LoadsRealMapsAndKeepsPaltempOnFailure) {
    State s;
    s.file = kMaps + "default.map";
    ASSERT_EQ(OpenMapFile(s), 0);
    EXPECT_EQ(s.paltemp[1], entry(0, 0, 168));
    const Palette def = s.paltemp;

    for (const char* name : {"16.map", "260.map", "chroma.map", "landscap.map", "goodega.map",
                             "paintjet.map", "altern.map", "neon.map"}) {
        s.file = kMaps + name;
        EXPECT_EQ(OpenMapFile(s), 0) << name;
    }
    s.file = kMaps + "16.map";
    ASSERT_EQ(OpenMapFile(s), 0);
    EXPECT_EQ(s.paltemp[16], entry(1, 1, 1));

    test::TempDir dir;
    s.file = kMaps + "default.map";
    ASSERT_EQ(OpenMapFile(s), 0);
    s.file = dir.file("bad.map");
    std::ofstream(s.file) << "1 2 3\nred green blue\n";
    EXPECT_EQ(OpenMapFile(s), 1);
    EXPECT_EQ(s.paltemp, def);
    s.file = dir.file("missing.map");
    EXPECT_EQ(OpenMapFile(s), 1);
    s.file = dir.path();
    EXPECT_EQ(OpenMapFile(s), 1);
    EXPECT_EQ(s.paltemp, def);
}

} // namespace
} // namespace morv
