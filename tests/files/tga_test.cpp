#include "core/surface.h"
#include "files/tga.h"
#include "support/render.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace morv {

namespace {

unsigned le16(const std::vector<unsigned char>& d, std::size_t at) {
    return d[at] | (d[at + 1] << 8);
}

} // namespace

TEST(Tga, HeaderSizeAndFooterOfA200Image) {
    test::TempDir dir;
    Surface canvas(200, 200, rgb(1, 2, 3));
    ASSERT_EQ(writetga(canvas, 200, dir.file("a.tga")), 0);
    const auto d = test::read_file(dir.file("a.tga"));
    ASSERT_EQ(d.size(), 120044u);
    EXPECT_EQ(d[0], 0);
    EXPECT_EQ(d[1], 0);
    EXPECT_EQ(d[2], 2);
    EXPECT_EQ(le16(d, 12), 200u);
    EXPECT_EQ(le16(d, 14), 200u);
    EXPECT_EQ(d[16], 24);
    EXPECT_EQ(d[17], 0x20);
    const std::string sig(d.end() - 18, d.end() - 1);
    EXPECT_EQ(sig, "TRUEVISION-XFILE.");
    EXPECT_EQ(d.back(), 0);
    for (std::size_t i = d.size() - 26; i < d.size() - 18; ++i)
        EXPECT_EQ(d[i], 0) << i;
}

TEST(Tga, PixelsAreTopRowFirstInBlueGreenRedOrder) {
    test::TempDir dir;
    Surface canvas(300, 300);
    canvas.set_pixel(0, 0, rgb(255, 0, 0));
    canvas.set_pixel(199, 0, rgb(1, 2, 3));
    canvas.set_pixel(0, 199, rgb(10, 20, 30));
    canvas.set_pixel(250, 250, rgb(9, 9, 9)); // outside the image: not saved
    ASSERT_EQ(writetga(canvas, 200, dir.file("p.tga")), 0);
    const auto d = test::read_file(dir.file("p.tga"));
    ASSERT_EQ(d.size(), 120044u);
    EXPECT_EQ(d[18], 0x00);
    EXPECT_EQ(d[19], 0x00);
    EXPECT_EQ(d[20], 0xFF);
    const std::size_t last_in_row0 = 18 + 3 * 199;
    EXPECT_EQ(d[last_in_row0], 3);
    EXPECT_EQ(d[last_in_row0 + 2], 1);
    const std::size_t row199 = 18 + 3 * 200 * 199;
    EXPECT_EQ(d[row199], 30);
    EXPECT_EQ(d[row199 + 1], 20);
    EXPECT_EQ(d[row199 + 2], 10);
}

TEST(Tga, LargestResolutionFitsTheSizeFields) {
    test::TempDir dir;
    Surface canvas(4000, 4000);
    ASSERT_EQ(writetga(canvas, 4000, dir.file("big.tga")), 0);
    const auto d = test::read_file(dir.file("big.tga"));
    EXPECT_EQ(d.size(), 18u + 3u * 4000u * 4000u + 26u);
    EXPECT_EQ(d[12], 0xA0);
    EXPECT_EQ(d[13], 0x0F);
}

TEST(Tga, UncreatableFileReportsCodeOne) {
    test::TempDir dir;
    Surface canvas(200, 200);
    EXPECT_EQ(writetga(canvas, 200, dir.file("no/such/folder/x.tga")), 1);
}

TEST(Tga, FailedWriteKeepsTheExistingFileAndLeavesNoTemporary) {
    test::TempDir dir;
    const std::string path = dir.file("keep.tga");
    { std::ofstream(path) << "precious"; }
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Files may grow to 50 kB here, so the image rows cannot all be written.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{50000, 50000};
        setrlimit(RLIMIT_FSIZE, &lim);
        Surface canvas(200, 200);
        _exit(writetga(canvas, 200, path));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const auto d = test::read_file(path);
    EXPECT_EQ(std::string(d.begin(), d.end()), "precious");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

} // namespace morv
