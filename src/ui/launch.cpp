// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/launch.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace morv::ui {

namespace {

constexpr const char* kHelpText =
    "usage: morvane [--no-splash] [FILE.atr | FILE.png]\n"
    "Draws strange attractors, chaotic maps and fractals in a window.\n"
    "  FILE.atr       parameter record loaded before the first image\n"
    "  FILE.png       image saved by Morvane, loaded for the parameters inside\n"
    "  --no-splash    start and end without the splash pictures\n"
    "  --version      print the version and exit\n"
    "  -h, --help     print this help and exit\n"
    "Qt's own options (-platform NAME, -style NAME, ...) are accepted too.\n"
    "Without a graphical display, morvane-render draws the same images into files.\n";

bool set(const char* value) {
    return value != nullptr && *value != '\0';
}

// Plugins that need no window system, or whose needs Qt checks without
// aborting, are trusted; xcb and wayland need their display variables.
bool plugin_usable(std::string_view name, const char* display, const char* wayland) {
    if (name.starts_with("xcb")) return set(display);
    if (name.starts_with("wayland")) return set(wayland);
    return !name.empty();
}

// The value of Qt's own -platform option, which outranks QT_QPA_PLATFORM.
const char* platform_argument(int argc, const char* const* argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    return nullptr;
}

} // namespace

bool display_available(const char* platform, const char* display, const char* wayland) {
    if (!set(platform)) return set(display) || set(wayland);
    std::string_view rest(platform);
    while (true) {
        const auto end = rest.find(';');
        const std::string_view name = rest.substr(0, end);
        if (plugin_usable(name.substr(0, name.find(':')), display, wayland)) return true;
        if (end == std::string_view::npos) return false;
        rest.remove_prefix(end + 1);
    }
}

std::optional<int> answer_before_qt(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("morvane %s\n", MORVANE_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelpText, stdout);
            return 0;
        }
    }
    const char* platform = platform_argument(argc, argv);
    if (platform == nullptr) platform = std::getenv("QT_QPA_PLATFORM");
    if (display_available(platform, std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")))
        return std::nullopt;
    std::fputs(kNoDisplayText, stderr);
    return 1;
}

} // namespace morv::ui
