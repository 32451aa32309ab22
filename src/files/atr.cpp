// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atr.h"

#include "files/atomic_file.h"
#include "files/record_check.h"

#include <algorithm>

namespace morv {

bool atr_is_valid(const ATR& r, std::string* reason) {
    const std::optional<std::string> why = check_record(r);
    if (why && reason != nullptr) *reason = *why;
    return !why;
}

int load_atr_bytes(Params& ps, std::span<const std::uint8_t> bytes, std::string* reason) {
    if (bytes.size() != kAtrSize) {
        if (reason != nullptr)
            *reason = "a parameter file has " + std::to_string(kAtrSize) + " bytes, this one " +
                      (bytes.size() > kAtrSize ? "more" : std::to_string(bytes.size()));
        return kAtrLoadBadSize;
    }
    AtrBytes raw{};
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    const ATR r = decode_atr(raw);
    if (!atr_is_valid(r, reason)) return kAtrLoadBadValue;
    apply_atr(ps, r);
    return kAtrLoadOk;
}

std::string atr_path_for_image(const std::string& image_path) {
    if (image_path.empty()) return std::string();
    const std::size_t slash = image_path.rfind('/');
    const std::size_t title = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = image_path.rfind('.');
    // A leading dot starts a hidden file's name, not an extension.
    const bool has_extension = dot != std::string::npos && dot > title;
    return (has_extension ? image_path.substr(0, dot) : image_path) + ".atr";
}

std::string file_title(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int write_parameter_file(const Params& ps, const std::string& path, std::string* reason) {
    const AtrBytes bytes = encode_atr(atr_from_state(ps));
    AtomicFile file;
    const auto failed = [&](int rc) {
        if (reason != nullptr) *reason = path.empty() ? "no file name" : file.error();
        return rc;
    };
    if (path.empty() || !file.open(path)) return failed(kAtrWriteOpenFailed);
    if (!file.write(bytes.data(), bytes.size()) || !file.commit()) return failed(kAtrWriteFailed);
    return kAtrWriteOk;
}

std::string atr_path_from_argument(std::string_view arg) {
    if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
        arg = arg.substr(1, arg.size() - 2);
    return std::string(arg);
}

} // namespace morv
