// The desktop program before Qt starts: its answers without a display.
#include "ui/launch.h"

#include "support/render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace morv::ui {
namespace {

TEST(Launch, DisplayIsFoundWhereQtWouldReachOne) {
    struct Case {
        const char *platform, *display, *wayland;
        bool expected;
    };
    for (const Case& c :
         {Case{nullptr, nullptr, nullptr, false}, Case{nullptr, "", "", false},
          Case{"", ":0", nullptr, true}, Case{nullptr, nullptr, "wayland-0", true},
          Case{"offscreen", nullptr, nullptr, true},
          Case{"minimal:enable_fonts", nullptr, nullptr, true},
          Case{"xcb", nullptr, "wayland-0", false}, Case{"wayland", ":0", nullptr, false},
          Case{"wayland;xcb", ":0", nullptr, true},
          Case{"wayland-egl;xcb:x", nullptr, nullptr, false}, Case{";", ":0", nullptr, false}}) {
        EXPECT_EQ(display_available(c.platform, c.display, c.wayland), c.expected)
            << (c.platform ? c.platform : "(unset)") << " " << (c.display ? c.display : "-") << " "
            << (c.wayland ? c.wayland : "-");
    }
}

// The desktop program with no display but what `env` sets, and these arguments.
morv::test::CliRun run_desktop(const std::string& env, const std::string& args) {
    return morv::test::run_shell("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY " + env +
                                 " '" + MORVANE_DESKTOP_PATH + "' " + args);
}

TEST(Launch, WithoutADisplayTheProgramAnswersAndEndsCleanly) {
    struct Case {
        std::string env, args;
        int status;
        std::string begins, ends; // the output's
        int lines;                // -1: any number
    };
    const std::string no_display = kNoDisplayText;
    for (const Case& c : {
             Case{"", "--version", 0, "morvane 1.", "\n", 1},
             Case{"", "--no-splash -h", 0, "usage: morvane ",
                  "morvane-render draws the same images into files.\n", -1},
             Case{"", "--no-splash x.atr", 1, no_display, no_display, 1},
             Case{"QT_QPA_PLATFORM='wayland;xcb' DISPLAY=", "", 1, no_display, no_display, 1},
             // A display that is named but cannot be reached: Qt gives up inside.
             Case{"QT_QPA_PLATFORM=xcb DISPLAY=:97", "", 1, "", no_display, -1},
         }) {
        const morv::test::CliRun r = run_desktop(c.env, c.args);
        const auto lines = std::count(r.output.begin(), r.output.end(), '\n');
        EXPECT_EQ(r.status, c.status) << c.env << " " << c.args;
        EXPECT_TRUE(r.output.starts_with(c.begins) && r.output.ends_with(c.ends) &&
                    (c.lines < 0 || lines == c.lines))
            << c.env << " " << c.args << ": " << r.output;
    }
}

} // namespace
} // namespace morv::ui
