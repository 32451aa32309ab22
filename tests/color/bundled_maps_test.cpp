// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/bundled_maps.h"

#include "color/mapfile.h"
#include "core/state.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace morv {
namespace {

const std::string kSourceMaps = MORVANE_SOURCE_MAPS_DIR;

// Every shipped palette is a complete 256-line palette the program loads, and
// the two built-in palettes as files are exactly the built-in ones.
TEST(BundledMaps, EveryPaletteLoadsCompletely) {
    int count = 0, builtin = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSourceMaps)) {
        if (entry.path().extension() != ".map") continue;
        ++count;
        const auto text = test::read_file(entry.path().string());
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 256) << entry.path();
        Palette paltemp{};
        ASSERT_EQ(OpenMapFile(entry.path().string(), paltemp), 0) << entry.path();
        const std::string name = entry.path().stem().string();
        if (name == "default1" || name == "default2") {
            ++builtin;
            EXPECT_EQ(paltemp, name == "default1" ? defpal1 : defpal2) << name;
        }
    }
    EXPECT_GE(count, 12);
    EXPECT_EQ(builtin, 2);
}

TEST(BundledMaps, PaletteNamesResolveToFilesThenBundledMaps) {
    const auto dirs = bundled_map_dirs();
    ASSERT_FALSE(dirs.empty());
    EXPECT_EQ(palette_dialog_start(), dirs.front() + "/*.map");
    const std::string viridis = dirs.front() + "/viridis.map";
    EXPECT_EQ(find_palette("viridis"), viridis);
    EXPECT_EQ(find_palette("viridis.map"), viridis);
    EXPECT_EQ(find_palette(kSourceMaps + "/fire.map"), kSourceMaps + "/fire.map");
    for (const char* missing : {"no-such-palette", "sub/viridis", ""}) // a path is never searched
        EXPECT_EQ(find_palette(missing), std::nullopt) << missing;
}

} // namespace
} // namespace morv
