// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/surface.h"
#include "files/tga.h"
#include "support/render.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morv {

// Header, rows top first in blue-green-red order, and the footer; the canvas
// beyond the image is not saved.
TEST(Tga, LayoutOfHeaderPixelsAndFooter) {
    test::TempDir dir;
    Surface canvas(300, 300, rgb(7, 8, 9));
    canvas.set_pixel(0, 0, rgb(255, 0, 0));
    canvas.set_pixel(199, 0, rgb(1, 2, 3));
    canvas.set_pixel(0, 199, rgb(10, 20, 30));
    canvas.set_pixel(250, 250, rgb(9, 9, 9));
    ASSERT_EQ(writetga(canvas, 200, dir.file("p.tga")), 0);
    auto d = test::read_file(dir.file("p.tga"));
    ASSERT_EQ(d.size(), 120044u);
    using Bytes = std::vector<unsigned char>;
    const auto at = [&](std::size_t off, std::size_t n) {
        return Bytes(d.begin() + off, d.begin() + off + n);
    };
    EXPECT_EQ(at(0, 3), (Bytes{0, 0, 2}));
    EXPECT_EQ(at(12, 6), (Bytes{200, 0, 200, 0, 24, 0x20}));
    EXPECT_EQ(at(18, 6), (Bytes{0, 0, 255, 9, 8, 7}));
    EXPECT_EQ(at(18 + 3 * 199, 3), (Bytes{3, 2, 1}));
    EXPECT_EQ(at(18 + 3 * 200 * 199, 3), (Bytes{30, 20, 10}));
    const std::string footer(d.end() - 26, d.end());
    EXPECT_EQ(footer, std::string(8, '\0') + "TRUEVISION-XFILE." + std::string(1, '\0'));

    Surface largest(4000, 4000);
    ASSERT_EQ(writetga(largest, 4000, dir.file("big.tga")), 0);
    d = test::read_file(dir.file("big.tga"));
    EXPECT_EQ(d.size(), 18u + 3u * 4000u * 4000u + 26u);
    EXPECT_EQ(at(12, 4), (Bytes{0xA0, 0x0F, 0xA0, 0x0F}));
}

TEST(Tga, FailedWriteKeepsTheExistingFileAndLeavesNoTemporary) {
    test::TempDir dir;
    EXPECT_EQ(writetga(Surface(200, 200), 200, dir.file("no/such/folder/x.tga")), 1);
    const std::string path = dir.file("keep.tga");
    { std::ofstream(path) << "precious"; }
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Files may grow to 50 kB here, so the image rows cannot all be written.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{50000, 50000};
        setrlimit(RLIMIT_FSIZE, &lim);
        _exit(writetga(Surface(200, 200), 200, path));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const auto d = test::read_file(path);
    EXPECT_EQ(std::string(d.begin(), d.end()), "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

} // namespace morv
