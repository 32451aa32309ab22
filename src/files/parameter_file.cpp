// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/parameter_file.h"

#include "core/input_file.h"
#include "files/image.h"
#include "files/png.h"

#include <array>
#include <cstdio>

namespace morv {

int load_parameter_file(Params& ps, const std::string& path, std::string* reason,
                        std::optional<RecipeRun>* run) {
    if (run != nullptr) run->reset();
    std::string why;
    InputStream in = open_input_stream(path, why);
    if (!in) {
        if (reason != nullptr) *reason = "cannot open " + path + ": " + why;
        return kAtrLoadOpenFailed;
    }
    // One byte more than a record tells a long file from an exact one.
    std::array<std::uint8_t, kAtrSize + 1> buf{};
    const std::size_t got = std::fread(buf.data(), 1, buf.size(), in.get());
    const bool read_error = std::ferror(in.get()) != 0;
    in.reset();
    if (read_error) {
        if (reason != nullptr) *reason = "cannot read " + path;
        return kAtrLoadOpenFailed;
    }
    const std::span<const std::uint8_t> head(buf.data(), got);
    // No record starts with these bytes (its type would be out of range), so a
    // PNG image is read for the record it carries.
    if (is_png_signature(head)) return load_png_parameters(ps, path, reason, run);
    return load_atr_bytes(ps, head, reason);
}

} // namespace morv
