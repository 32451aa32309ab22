// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_file.h"
#include "support/render.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morv {

namespace {

namespace fs = std::filesystem;

std::string text_of(const std::string& path) {
    const auto d = test::read_file(path);
    return std::string(d.begin(), d.end());
}

void write_text(const std::string& path, mode_t mode) {
    std::ofstream(path) << "old content";
    ::chmod(path.c_str(), mode);
}

// What a save must never change about the entries that were there: their
// kind, mode and link count (and, when it is refused, their content).
struct Entry {
    fs::file_type type;
    fs::perms perms;
    std::uintmax_t links;
    std::string text;
    bool operator==(const Entry&) const = default;
};

std::map<std::string, Entry> snapshot(const std::string& dir) {
    std::map<std::string, Entry> out;
    for (const auto& e : fs::directory_iterator(dir)) {
        const auto st = e.symlink_status();
        const bool regular = fs::is_regular_file(st);
        out[e.path().filename().string()] = {st.type(), st.permissions(),
                                             regular ? fs::hard_link_count(e.path()) : 0,
                                             regular ? text_of(e.path().string()) : ""};
    }
    return out;
}

} // namespace

TEST(AtomicFile, SavesEveryKindOfTargetLikeACarefulEditor) {
    const std::string long_name = std::string(246, 'n') + ".tga";
    const struct {
        const char* saved; // the name given to the save
        std::function<void(const test::TempDir&)> make;
        const char* refusal;   // nullptr: the save succeeds
        const char* holds_new; // the file that then holds the new bytes
    } cases[] = {
        {long_name.c_str(), [](const test::TempDir&) {}, nullptr, long_name.c_str()},
        {"private", [](const test::TempDir& d) { write_text(d.file("private"), 0600); }, nullptr,
         "private"},
        // Root may write anything; the mode bits still say the file is not to be changed.
        {"ro", [](const test::TempDir& d) { write_text(d.file("ro"), 0444); },
         "the file is read-only", nullptr},
        {"link",
         [](const test::TempDir& d) {
             write_text(d.file("target"), 0640);
             fs::create_symlink("target", d.file("link"));
         },
         nullptr, "target"},
        {"dangling",
         [](const test::TempDir& d) { fs::create_symlink("absent", d.file("dangling")); }, nullptr,
         "absent"},
        {"two",
         [](const test::TempDir& d) {
             write_text(d.file("one"), 0644);
             fs::create_hard_link(d.file("one"), d.file("two"));
         },
         nullptr, "two"},
        {"fifo", [](const test::TempDir& d) { ::mkfifo(d.file("fifo").c_str(), 0644); },
         "no program is reading from the pipe", nullptr},
        {"dir", [](const test::TempDir& d) { fs::create_directory(d.file("dir")); },
         "Is a directory", nullptr},
        {"no/such", [](const test::TempDir&) {}, "No such file or directory", nullptr},
        // A device is written directly (this one always fails), the link to it stays.
        {"full", [](const test::TempDir& d) { fs::create_symlink("/dev/full", d.file("full")); },
         "No space left on device", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        test::TempDir dir;
        c.make(dir);
        auto before = snapshot(dir.path());
        AtomicFile file;
        const bool saved = file.open(dir.file(c.saved)) && file.write("new", 3) && file.commit();
        EXPECT_EQ(saved, c.refusal == nullptr) << file.error();
        EXPECT_EQ(file.error(), c.refusal != nullptr ? c.refusal : "");
        auto after = snapshot(dir.path());
        if (c.holds_new != nullptr) {
            EXPECT_EQ(after[c.holds_new].text, "new");
            // A new name adds that one file, and no temporary one beside it.
            if (before.count(c.holds_new) == 0) after.erase(c.holds_new);
        }
        for (auto& [name, e] : after)
            if (e.text == "new" && before.count(name) != 0) e.text = before[name].text;
        EXPECT_EQ(after, before);
    }
}

// A file with two names gets its new content only once all of it is safely
// written: over the file-size limit the save fails before the file is
// touched, and a save that works leaves both names on the new content.
TEST(AtomicFile, AHardLinkedFileIsNeverTornByAFailedRewrite) {
    for (const std::size_t size : {std::size_t{100000}, std::size_t{3000}}) {
        SCOPED_TRACE(size);
        test::TempDir dir;
        write_text(dir.file("one"), 0644);
        fs::create_hard_link(dir.file("one"), dir.file("two"));
        const std::string content(size, 'n');
        const pid_t pid = ::fork();
        if (pid == 0) {
            const rlimit limit{8192, 8192};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);
            AtomicFile file;
            const bool saved = file.open(dir.file("two")) &&
                               file.write(content.data(), content.size()) && file.commit();
            ::_exit(saved ? 0 : file.error() == "File too large" ? 1 : 2);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        const bool fits = size < 8192;
        EXPECT_EQ(WEXITSTATUS(status), fits ? 0 : 1);
        const auto after = snapshot(dir.path());
        ASSERT_EQ(after.size(), 2u) << "a temporary file or a backup was left";
        for (const char* name : {"one", "two"}) {
            EXPECT_EQ(after.at(name).links, 2u) << name;
            EXPECT_EQ(after.at(name).text, fits ? content : "old content") << name;
        }
    }
}

} // namespace morv
