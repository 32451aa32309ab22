#include "files/atomic_file.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace morv {

namespace {

namespace fs = std::filesystem;

std::string text_of(const std::string& path) {
    const auto d = test::read_file(path);
    return std::string(d.begin(), d.end());
}

void write_text(const std::string& path, const std::string& text, mode_t mode = 0644) {
    std::ofstream(path) << text;
    ::chmod(path.c_str(), mode);
}

struct SaveCase {
    const char* what;
    // Makes the target in `dir` and returns the name the save is given.
    std::function<std::string(const test::TempDir& dir)> make;
    const char* refusal; // nullptr: the save succeeds
    // What must hold afterwards (the old content where refused).
    std::function<void(const test::TempDir& dir)> check;
};

} // namespace

TEST(AtomicFile, SavesEveryKindOfTargetLikeACarefulEditor) {
    const std::string old = "old content";
    const std::vector<SaveCase> cases{
        {"a 250-character new name",
         [](const test::TempDir& d) { return d.file(std::string(246, 'n') + ".tga"); }, nullptr,
         [](const test::TempDir& d) {
             EXPECT_EQ(text_of(d.file(std::string(246, 'n') + ".tga")), "new");
         }},
        {"a private file keeps its mode",
         [&](const test::TempDir& d) {
             write_text(d.file("p"), old, 0600);
             return d.file("p");
         },
         nullptr,
         [](const test::TempDir& d) {
             EXPECT_EQ(text_of(d.file("p")), "new");
             EXPECT_EQ(fs::status(d.file("p")).permissions() & fs::perms::all,
                       fs::perms::owner_read | fs::perms::owner_write);
         }},
        {"a read-only file is refused, even for root",
         [&](const test::TempDir& d) {
             write_text(d.file("ro"), old, 0444);
             return d.file("ro");
         },
         "the file is read-only",
         [&](const test::TempDir& d) { EXPECT_EQ(text_of(d.file("ro")), old); }},
        {"a symlink's target is replaced, the link stays",
         [&](const test::TempDir& d) {
             write_text(d.file("target"), old);
             fs::create_symlink("target", d.file("link"));
             return d.file("link");
         },
         nullptr,
         [](const test::TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d.file("link")));
             EXPECT_EQ(text_of(d.file("target")), "new");
         }},
        {"a dangling symlink gets its target",
         [](const test::TempDir& d) {
             fs::create_symlink("absent", d.file("dangling"));
             return d.file("dangling");
         },
         nullptr,
         [](const test::TempDir& d) {
             EXPECT_TRUE(fs::is_symlink(d.file("dangling")));
             EXPECT_EQ(text_of(d.file("absent")), "new");
         }},
        {"a hard link stays one file",
         [&](const test::TempDir& d) {
             write_text(d.file("one"), old + old);
             fs::create_hard_link(d.file("one"), d.file("two"));
             return d.file("two");
         },
         nullptr,
         [](const test::TempDir& d) {
             EXPECT_EQ(fs::hard_link_count(d.file("one")), 2u);
             EXPECT_EQ(text_of(d.file("one")), "new");
         }},
        {"a pipe nobody reads is refused, not replaced",
         [](const test::TempDir& d) {
             ::mkfifo(d.file("fifo").c_str(), 0644);
             return d.file("fifo");
         },
         "no program is reading from the pipe",
         [](const test::TempDir& d) { EXPECT_TRUE(fs::is_fifo(d.file("fifo"))); }},
        {"a directory is refused",
         [](const test::TempDir& d) {
             fs::create_directory(d.file("dir"));
             return d.file("dir");
         },
         "Is a directory",
         [](const test::TempDir& d) { EXPECT_TRUE(fs::is_directory(d.file("dir"))); }},
        {"a missing folder gives the system's reason",
         [](const test::TempDir& d) { return d.file("no/such.tga"); }, "No such file or directory",
         [](const test::TempDir&) {}},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string target = c.make(dir);
        std::size_t before = 0;
        for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path()))
            ++before;
        AtomicFile file;
        const bool saved = file.open(target) && file.write("new", 3) && file.commit();
        EXPECT_EQ(saved, c.refusal == nullptr) << file.error();
        if (c.refusal != nullptr) {
            EXPECT_EQ(file.error(), c.refusal);
        }
        c.check(dir);
        std::size_t after = 0;
        for (const auto& e : fs::directory_iterator(dir.path())) {
            EXPECT_EQ(e.path().filename().string().rfind(".morvane-", 0), std::string::npos)
                << "left behind: " << e.path();
            ++after;
        }
        // Only a save to a name that did not exist adds an entry.
        EXPECT_LE(after, before + 1);
    }
}

TEST(AtomicFile, DeviceIsWrittenDirectlyAndReportsTheSystemsReason) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    AtomicFile file;
    ASSERT_TRUE(file.open("/dev/full"));
    EXPECT_FALSE(file.write("x", 1) && file.commit());
    EXPECT_EQ(file.error(), "No space left on device");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

} // namespace morv
