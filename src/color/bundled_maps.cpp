// SPDX-License-Identifier: GPL-3.0-or-later
#include "color/bundled_maps.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

namespace morv {

namespace fs = std::filesystem;

namespace {

bool is_file(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool is_dir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

} // namespace

std::vector<std::string> bundled_map_dirs() {
    std::vector<std::string> dirs;
    // A folder named by the environment comes first: palettes of one's own,
    // or the source tree's for tests of a build made for packaging.
    if (const char* env = std::getenv("MORVANE_MAPS_DIR"); env && *env && is_dir(env))
        dirs.emplace_back(env);
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = exe.parent_path().parent_path() / "share/morvane/maps";
        if (is_dir(installed)) dirs.push_back(installed.lexically_normal().string());
    }
#ifdef MORVANE_SOURCE_MAPS_DIR // an uninstalled build only; packages leave it out
    if (is_dir(MORVANE_SOURCE_MAPS_DIR)) dirs.emplace_back(MORVANE_SOURCE_MAPS_DIR);
#endif
    return dirs;
}

std::vector<std::string> bundled_map_names() {
    std::set<std::string> names;
    for (const std::string& dir : bundled_map_dirs()) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".map" && is_file(it->path()))
                names.insert(it->path().stem().string());
    }
    return {names.begin(), names.end()};
}

std::string palette_dialog_start() {
    const auto dirs = bundled_map_dirs();
    return dirs.empty() ? std::string() : dirs.front() + "/*.map";
}

std::optional<std::string> find_palette(const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (is_file(name)) return name;
    // Only a bare name is looked up among the bundled palettes.
    if (name.find('/') != std::string::npos) return std::nullopt;
    for (const std::string& dir : bundled_map_dirs())
        for (const std::string& candidate : {dir + "/" + name, dir + "/" + name + ".map"})
            if (is_file(candidate)) return candidate;
    return std::nullopt;
}

} // namespace morv
