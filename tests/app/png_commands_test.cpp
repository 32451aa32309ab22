#include "app/command_ids.h"
#include "color/bundled_maps.h"
#include "fakes.h"
#include "files/atr.h"
#include "files/png.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace morv::test {
namespace {

using namespace morv::app;

TEST(PngCommands, SavedImageCarriesTheParametersTheLoadCommandRestores) {
    TempDir dir;
    Harness h;
    h.s.type = 4;
    h.s.p[4].a = 1.25;
    h.s.rot[4] = VOXEL{5, 6, 7};
    h.prompts.files = {dir.file("g.png")};
    h.key(kCmdSaveImage);
    ASSERT_EQ(h.prompts.shown.size(), 1u) << "no parameter file beside a PNG";
    EXPECT_EQ(h.prompts.shown[0].text, "Image saved as g.png");
    EXPECT_FALSE(std::filesystem::exists(dir.file("g.atr")));

    Harness other;
    other.s.firstloop = 0;
    other.prompts.files = {dir.file("g.png")};
    other.key(kCmdLoad);
    EXPECT_TRUE(other.prompts.shown.empty());
    EXPECT_EQ(other.s.type, 4);
    EXPECT_EQ(other.s.p[4].a, 1.25);
    EXPECT_EQ(other.s.rot[4].z, 7);
    EXPECT_EQ(other.s.okrun, 1);

    // An image without parameters says so and changes nothing.
    ASSERT_EQ(writepng(h.s.canvas, 200, dir.file("plain.png"), {}, ""), 0);
    Harness refused;
    refused.prompts.files = {dir.file("plain.png")};
    refused.key(kCmdLoad);
    ASSERT_EQ(refused.prompts.shown.size(), 1u);
    EXPECT_EQ(refused.prompts.shown[0].caption, "ATR file error");
    EXPECT_EQ(refused.prompts.shown[0].text,
              "Error opening ATR file: a PNG image without Morvane parameters");
    EXPECT_EQ(refused.s.type, 0);
    EXPECT_EQ(refused.s.okrun, 0);
}

TEST(PngCommands, PaletteDialogStartsAmongTheBundledPalettes) {
    Harness h;
    h.prompts.files = {std::nullopt};
    h.key(kCmdPalette);
    ASSERT_FALSE(palette_dialog_start().empty());
    EXPECT_EQ(h.prompts.file_dialog_starts.at(0), palette_dialog_start());
    h.s.file = "/somewhere/mine.map";
    h.key(kCmdPalette);
    EXPECT_EQ(h.prompts.file_dialog_starts.at(1), "/somewhere/mine.map");
}

} // namespace
} // namespace morv::test
