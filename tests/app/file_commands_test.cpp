#include "app/command_ids.h"
#include "app/commands.h"
#include "app/menu.h"
#include "app/startup.h"
#include "color/mapfile.h"
#include "fakes.h"
#include "files/atr.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

namespace morv::test {
namespace {

using namespace morv::app;

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

TEST(PaletteCommand, AcceptedPreviewReplacesThePaletteAndRestoresTheCorner) {
    TempDir dir;
    Harness h;
    h.s.window.fill_rect(Rect{0, 0, 700, 500}, rgb(9, 9, 9));
    h.prompts.files = {write_map(dir, 10, 20, 30)};
    h.prompts.answers = {true};
    COLORREF during = 0;
    h.prompts.on_ask = [&] { during = h.s.window.get_pixel(20, 50); };
    h.s.firstloop = 0;
    h.key(kCmdPalette);
    EXPECT_EQ(during, rgb(10, 20, 30)); // the preview was up while asking
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].kind, Shown::Ask);
    EXPECT_EQ(h.prompts.shown[0].caption, "Preview");
    EXPECT_EQ(h.prompts.shown[0].text, "Accept palette?");
    EXPECT_EQ(h.s.window.get_pixel(20, 50), rgb(9, 9, 9));
    EXPECT_EQ(h.s.canvas.get_pixel(20, 50), rgb(9, 9, 9)); // the window's corner, also here
    EXPECT_EQ(h.s.palette[200], (RGB{10, 20, 30}));
    EXPECT_TRUE(is_checked(h.s, kCmdPalette));
    EXPECT_FALSE(is_checked(h.s, kCmdPalette1));
    EXPECT_EQ(h.s.firstloop, 1);
    EXPECT_EQ(h.prompts.file_dialogs[0], "Select a Fractint .MAP File");
}

TEST(PaletteCommand, RejectedPreviewReopensTheDialogAndKeepsThePalette) {
    TempDir dir;
    Harness h;
    h.prompts.files = {write_map(dir, 1, 2, 3)}; // then Cancel
    h.prompts.answers = {false};
    h.key(kCmdPalette);
    EXPECT_EQ(h.prompts.file_dialogs.size(), 2u);
    EXPECT_EQ(h.s.palette, defpal1);
    EXPECT_TRUE(is_checked(h.s, kCmdPalette1));
}

TEST(PaletteCommand, UnreadableFileWarnsAndKeepsImageAndPalette) {
    TempDir dir;
    Harness h;
    render(h.s, 500);
    h.s.firstloop = 0;
    const std::uint64_t image = canvas_checksum(h.s);
    write_text(dir.file("bad.map"), "1 2\n");
    h.prompts.files = {dir.file("bad.map")};
    h.key(kCmdPalette);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].kind, Shown::Warn);
    EXPECT_EQ(h.prompts.shown[0].caption, "MAP file error");
    EXPECT_EQ(h.prompts.shown[0].text, "Error opening MAP file");
    EXPECT_EQ(canvas_checksum(h.s), image);
    EXPECT_EQ(h.s.firstloop, 0);
    EXPECT_TRUE(h.s.posted.empty());
    EXPECT_EQ(h.s.palette, defpal1);
}

TEST(SaveCommands, ImageAndParametersAreSavedSideBySide) {
    TempDir dir;
    Harness h;
    const std::string title(200, 'x');
    h.prompts.files = {dir.file(title + ".tga")};
    h.key(kCmdSaveImage);
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    EXPECT_EQ(h.prompts.shown[0].caption, "Morvane");
    EXPECT_EQ(h.prompts.shown[0].text, "Image saved as " + title + ".tga");
    EXPECT_EQ(h.prompts.shown[1].text, "Parameters saved as " + title +
                                           ".atr\n\nLoad via ' File ' menu or by double-clicking.");
    EXPECT_TRUE(std::filesystem::exists(dir.file(title + ".atr")));
    EXPECT_EQ(h.prompts.file_dialogs[0], "Select a file for saving your image:");
}

TEST(SaveCommands, FailedImageWritesNoParameters) {
    TempDir dir;
    Harness h;
    h.prompts.files = {dir.file("missing/a.tga")};
    h.key(kCmdSaveImage);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].kind, Shown::Warn);
    EXPECT_EQ(h.prompts.shown[0].caption, "Save file error");
    EXPECT_EQ(h.prompts.shown[0].text, "Error opening a save file.\n\nNo such file or directory");
}

TEST(SaveCommands, SavedImageThenFailedParametersShowsBoth) {
    TempDir dir;
    Harness h;
    std::filesystem::create_directory(dir.file("a.atr")); // cannot be replaced by a file
    h.prompts.files = {dir.file("a.tga")};
    h.key(kCmdSaveImage);
    ASSERT_EQ(h.prompts.shown.size(), 2u);
    EXPECT_EQ(h.prompts.shown[0].text, "Image saved as a.tga");
    EXPECT_EQ(h.prompts.shown[1].kind, Shown::Warn);
    EXPECT_EQ(h.prompts.shown[1].caption, "Save file error");
    EXPECT_EQ(h.prompts.shown[1].text, "Error opening a save file.\n\nIs a directory");
    EXPECT_TRUE(std::filesystem::exists(dir.file("a.tga")));
}

// A name without an extension gets the image's; one the program cannot write,
// or one whose record would replace the image, is refused before any write.
TEST(SaveCommands, ImageNamesGiveTwoDistinctFilesOrNothing) {
    TempDir dir;
    std::filesystem::create_symlink(dir.file("l.tga"), dir.file("l.atr"));
    const struct {
        const char* chosen;
        const char* image;  // written, or nullptr when refused
        const char* record; // beside it
    } cases[] = {{"x", "x.tga", "x.atr"},
                 {"y.TGA", "y.TGA", "y.atr"},
                 {"z.atr", nullptr, nullptr},
                 {"x.jpeg", nullptr, nullptr},
                 {"l.tga", nullptr, nullptr}};
    for (const auto& c : cases) {
        Harness h;
        h.prompts.files = {dir.file(c.chosen)};
        h.key(kCmdSaveImage);
        if (c.image == nullptr) {
            ASSERT_EQ(h.prompts.shown.size(), 1u) << c.chosen;
            EXPECT_EQ(h.prompts.shown[0].kind, Shown::Warn) << c.chosen;
            EXPECT_FALSE(std::filesystem::exists(dir.file(c.chosen))) << c.chosen;
            continue;
        }
        ASSERT_EQ(h.prompts.shown.size(), 2u) << c.chosen;
        EXPECT_EQ(h.prompts.shown[0].text, std::string("Image saved as ") + c.image);
        EXPECT_EQ(h.prompts.shown[1].text, std::string("Parameters saved as ") + c.record +
                                               "\n\nLoad via ' File ' menu or by double-clicking.");
        const auto res = static_cast<std::uintmax_t>(h.s.res);
        EXPECT_EQ(std::filesystem::file_size(dir.file(c.image)), 18u + 3u * res * res + 26u);
        EXPECT_EQ(std::filesystem::file_size(dir.file(c.record)), kAtrSize);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("l.tga")));
}

TEST(SaveCommands, CancelledDialogsDoNothing) {
    Harness h;
    for (int id : {kCmdSaveImage, kCmdSaveParameters, kCmdLoad, kCmdPalette})
        h.key(id);
    EXPECT_EQ(h.prompts.file_dialogs.size(), 4u);
    EXPECT_TRUE(h.prompts.shown.empty());
    EXPECT_EQ(h.host.repaints, 0);
}

TEST(LoadCommand, LoadedParametersStartRendering) {
    TempDir dir;
    Harness h;
    h.s.type = 4;
    h.s.p[4].a = 1.25;
    h.prompts.files = {dir.file("g.atr")};
    h.key(kCmdSaveParameters);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].text,
              "Parameters saved as g.atr\n\nLoad via ' File ' menu or by double-clicking.");

    Harness other;
    other.s.firstloop = 0;
    other.prompts.files = {dir.file("g.atr")};
    other.key(kCmdLoad);
    EXPECT_EQ(other.s.type, 4);
    EXPECT_EQ(other.s.p[4].a, 1.25);
    EXPECT_EQ(other.s.okrun, 1); // the posted 165 has run
    EXPECT_EQ(other.s.firstloop, 1);
}

TEST(LoadCommand, BadFileWarnsAndChangesNothing) {
    TempDir dir;
    Harness h;
    write_text(dir.file("bad.atr"), "short");
    h.prompts.files = {dir.file("bad.atr")};
    h.key(kCmdLoad);
    ASSERT_EQ(h.prompts.shown.size(), 1u);
    EXPECT_EQ(h.prompts.shown[0].caption, "ATR file error");
    EXPECT_EQ(h.prompts.shown[0].text.rfind("Error opening ATR file: ", 0), 0u)
        << "the loader's reason follows";
    EXPECT_GT(h.prompts.shown[0].text.size(), 24u);
    EXPECT_EQ(h.s.okrun, 0);
    EXPECT_TRUE(h.s.posted.empty());
}

TEST(Startup, CommandLineFileIsLoadedAndRenderingIsPosted) {
    TempDir dir;
    Instance saved;
    saved.type = 6;
    ASSERT_EQ(writeatr(saved, dir.file("s.atr")), 0);

    Instance s;
    s.file = "old.map";
    EXPECT_EQ(create_main_window(s, 640, 480, dir.path(), "\"" + dir.file("s.atr") + "\""), "");
    EXPECT_EQ(s.type, 6);
    EXPECT_EQ(s.oatrfile, dir.file("s.atr"));
    EXPECT_EQ(std::tie(s.tgafile, s.satrfile, s.file),
              std::tuple(dir.path() + "/*.tga", dir.path() + "/*.atr", std::string()));
    EXPECT_EQ(s.window.width(), 640);
    EXPECT_EQ(s.ClientRes.bottom, 480);
    EXPECT_EQ(s.posted, std::deque<int>{kCmdRender});

    Instance bad;
    EXPECT_NE(create_main_window(bad, 640, 480, dir.path(), dir.file("none.atr")), "")
        << "a file that did not load is reported";
    EXPECT_EQ(bad.type, 0);
    EXPECT_EQ(bad.posted, std::deque<int>{kCmdRender});
}

} // namespace
} // namespace morv::test
