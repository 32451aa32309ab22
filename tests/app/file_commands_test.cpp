// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_ids.h"
#include "app/startup.h"
#include "color/bundled_maps.h"
#include "fakes.h"
#include "files/atr.h"
#include "files/png.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace morv::test {
namespace {

using namespace morv::app;
namespace fs = std::filesystem;

void write_text(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// A .map file whose every entry is (r, g, b).
std::string write_map(const TempDir& dir, int r, int g, int b) {
    std::string text;
    for (int i = 0; i < 256; ++i)
        text += std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b) + "\n";
    const std::string path = dir.file("p.map");
    write_text(path, text);
    return path;
}

Shown saved(const std::string& what, const std::string& name) {
    const bool record = what == "Parameters";
    return {Shown::Inform, "Morvane",
            what + " saved as " + name +
                (record ? "\n\nLoad via ' File ' menu or by double-clicking." : "")};
}

Shown save_error(const std::string& reason) {
    return {Shown::Warn, "Save file error", "Error opening a save file.\n\n" + reason};
}

TEST(PaletteCommand, AcceptedPreviewReplacesThePaletteAndRestoresTheCorner) {
    TempDir dir;
    Harness h;
    h.s.window.fill_rect(Rect{0, 0, 700, 500}, rgb(9, 9, 9));
    h.prompts.files = {write_map(dir, 10, 20, 30)};
    h.prompts.answers = {true};
    Rgb during = 0;
    h.prompts.on_ask = [&] { during = h.s.window.get_pixel(20, 50); };
    h.s.fresh_image = false;
    h.key(kCmdPalette);
    EXPECT_EQ(during, rgb(10, 20, 30)); // the preview was up while asking
    EXPECT_EQ(h.prompts.shown, (std::vector<Shown>{{Shown::Ask, "Preview", "Accept palette?"}}));
    // The window's corner is back, and also on the canvas.
    EXPECT_EQ(std::tuple(h.s.window.get_pixel(20, 50), h.s.canvas.get_pixel(20, 50)),
              std::tuple(rgb(9, 9, 9), rgb(9, 9, 9)));
    EXPECT_EQ(h.s.palette[200], (RGB{10, 20, 30}));
    EXPECT_EQ(
        std::tuple(is_checked(h.s, kCmdPalette), is_checked(h.s, kCmdPalette1), h.s.fresh_image),
        std::tuple(true, false, 1));
}

// A rejected preview reopens the dialog, first among the bundled palettes,
// then where the last file was chosen; an unreadable file warns. Either way
// the image and palette stay.
TEST(PaletteCommand, RejectedOrUnreadableFilesKeepImageAndPalette) {
    TempDir dir;
    ASSERT_FALSE(palette_dialog_start().empty());
    const std::string map = write_map(dir, 1, 2, 3), bad = dir.file("bad.map");
    write_text(bad, "1 2\n");
    for (const bool readable : {true, false}) {
        Harness h;
        render(h.s, 500);
        h.s.fresh_image = false;
        const std::uint64_t image = canvas_checksum(h.s);
        h.prompts.files = {readable ? map : bad}; // then Cancel; the preview is declined
        h.key(kCmdPalette);
        const Shown box = readable ? Shown{Shown::Ask, "Preview", "Accept palette?"}
                                   : Shown{Shown::Warn, "MAP file error",
                                           "Error opening MAP file: line 1 is not three numbers "
                                           "(red, green, blue)"};
        EXPECT_EQ(h.prompts.shown, std::vector{box});
        const std::vector<std::string> starts{palette_dialog_start(), map};
        EXPECT_EQ(h.prompts.file_dialog_starts,
                  std::vector(starts.begin(), starts.begin() + (readable ? 2 : 1)));
        EXPECT_EQ(std::tuple(canvas_checksum(h.s), h.s.fresh_image, h.s.posted.size(),
                             is_checked(h.s, kCmdPalette1)),
                  std::tuple(image, 0, 0u, true));
        EXPECT_EQ(h.s.palette, defpal1);
    }
}

// A name without an extension gets the image's; a PNG holds its record; a
// Targa image gets its record beside it, only once the image is saved. A
// name the program cannot write, or one whose record would replace the
// image, is refused before any write.
TEST(SaveCommands, ImageNamesGiveTwoDistinctFilesOrNothing) {
    TempDir dir;
    fs::create_symlink(dir.file("l.tga"), dir.file("l.atr"));
    fs::create_directory(dir.file("d.atr"));
    const std::string title(200, 'x'),
        format = "images are saved as .tga or .png files: choose one of these endings, or none";
    const struct {
        std::string chosen;
        std::vector<Shown> boxes;
        std::string image, record; // written
    } cases[] = {
        {title,
         {saved("Image", title + ".tga"), saved("Parameters", title + ".atr")},
         title + ".tga",
         title + ".atr"},
        {".x", {saved("Image", ".x.tga"), saved("Parameters", ".x.atr")}, ".x.tga", ".x.atr"},
        {"y.TGA", {saved("Image", "y.TGA"), saved("Parameters", "y.atr")}, "y.TGA", "y.atr"},
        {"g.png", {saved("Image", "g.png")}, "g.png", ""},
        {"d.tga", {saved("Image", "d.tga"), save_error("Is a directory")}, "d.tga", ""},
        {"missing/a.tga", {save_error("No such file or directory")}, "", ""},
        {"z.atr", {save_error(format)}, "", ""},
        {"x.jpeg", {save_error(format)}, "", ""},
        {"l.tga", {save_error("the parameter file would replace the image")}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        Harness h;
        h.prompts.files = {dir.file(c.chosen)};
        h.key(kCmdSaveImage);
        EXPECT_EQ(h.prompts.shown, c.boxes);
        const auto res = static_cast<std::uintmax_t>(h.s.res);
        if (c.image.empty()) {
            EXPECT_FALSE(fs::exists(dir.file(c.chosen)));
        } else if (c.image.ends_with("GA")) {
            EXPECT_EQ(fs::file_size(dir.file(c.image)), 18u + 3u * res * res + 26u);
        }
        if (!c.record.empty()) {
            EXPECT_EQ(fs::file_size(dir.file(c.record)), kAtrSize);
        }
    }
    EXPECT_FALSE(fs::exists(dir.file("l.tga")));
    EXPECT_FALSE(fs::exists(dir.file("g.atr")));
}

TEST(SaveCommands, CancelledDialogsDoNothing) {
    Harness h;
    h.keys({kCmdSaveImage, kCmdSaveParameters, kCmdLoad, kCmdPalette});
    EXPECT_EQ(h.prompts.file_dialogs.size(), 4u);
    EXPECT_TRUE(h.prompts.shown.empty() && h.host.repaints == 0);
}

// A parameter file, or a PNG image carrying its parameters, loads and renders.
TEST(LoadCommand, SavedParametersLoadFromARecordOrAnImage) {
    TempDir dir;
    Harness h;
    h.s.type = 4;
    h.s.p[4].a = 1.25;
    h.s.rot[4] = Point3{5, 6, 7};
    h.prompts.files = {dir.file("g.atr"), dir.file("g.png")};
    h.key(kCmdSaveParameters);
    h.key(kCmdSaveImage);
    EXPECT_EQ(h.prompts.shown,
              (std::vector{saved("Parameters", "g.atr"), saved("Image", "g.png")}));
    for (const char* name : {"g.atr", "g.png"}) {
        SCOPED_TRACE(name);
        Harness other;
        other.s.fresh_image = false;
        other.prompts.files = {dir.file(name)};
        other.key(kCmdLoad);
        EXPECT_TRUE(other.prompts.shown.empty());
        // Rendering runs: the posted 165 has been carried out.
        EXPECT_EQ(std::tuple(other.s.type, other.s.p[4].a, other.s.rot[4].z, other.s.rendering,
                             other.s.fresh_image),
                  std::tuple(4, 1.25, 7.0, 1, 1));
    }
}

// A file that does not load gives the reader's reason and changes nothing.
TEST(LoadCommand, BadFilesWarnAndChangeNothing) {
    TempDir dir;
    Harness h;
    write_text(dir.file("bad.atr"), "short");
    ASSERT_EQ(writepng(h.s.canvas, 200, dir.file("plain.png"), {}, ""), 0);
    for (const auto& [name, reason] : {std::pair<std::string, std::string>{"bad.atr", ""},
                                       {"plain.png", "a PNG image without Morvane parameters"}}) {
        Harness other;
        other.prompts.files = {dir.file(name)};
        other.key(kCmdLoad);
        ASSERT_EQ(other.prompts.shown.size(), 1u) << name;
        const bool png = name.ends_with(".png");
        EXPECT_EQ(other.prompts.shown[0].caption, png ? "PNG file error" : "ATR file error");
        const std::string& text = other.prompts.shown[0].text;
        const std::string begins = png ? "Error opening PNG image: " : "Error opening ATR file: ";
        EXPECT_TRUE(text.starts_with(begins) && text.size() > begins.size() &&
                    text.ends_with(reason))
            << text;
        EXPECT_EQ(std::tuple(other.s.type, other.s.rendering, other.s.posted.size()),
                  std::tuple(0, 0, 0u));
    }
}

TEST(Startup, CommandLineFileIsLoadedAndRenderingIsPosted) {
    TempDir dir;
    Instance saved;
    saved.type = 6;
    ASSERT_EQ(write_parameter_file(saved, dir.file("s.atr")), 0);

    Instance s;
    s.file = "old.map";
    EXPECT_EQ(create_main_window(s, 640, 480, dir.path(), "\"" + dir.file("s.atr") + "\""), "");
    EXPECT_EQ(std::tie(s.oatrfile, s.tgafile, s.satrfile, s.file),
              std::tuple(dir.file("s.atr"), dir.path() + "/*.tga", dir.path() + "/*.atr", ""));
    EXPECT_EQ(std::tuple(s.type, s.window.width(), s.ClientRes.bottom, s.posted),
              std::tuple(6, 640, 480, std::deque<int>{kCmdRender}));

    Instance bad;
    EXPECT_NE(create_main_window(bad, 640, 480, dir.path(), dir.file("none.atr")), "")
        << "a file that did not load is reported";
    EXPECT_EQ(std::tuple(bad.type, bad.posted), std::tuple(0, std::deque<int>{kCmdRender}));
}

} // namespace
} // namespace morv::test
