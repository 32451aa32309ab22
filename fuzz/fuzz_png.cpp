// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the PNG reader as the parameter loaders use it (the
// record and text only; decoding the pixels of a claimed 16384 x 16384 image
// would only measure memset), then the record, view and recipe loaded from
// what it read. Whatever the bytes, it returns, with a reason when it refuses
// them.
#include "core/params.h"
#include "files/image.h"
#include "files/png.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (in == nullptr) return 0;
    morv::PngContents png;
    std::string reason;
    const bool ok = morv::readpng(in, png, false, reason);
    std::fclose(in);
    if (!ok && reason.empty()) std::abort();
    if (ok && (png.width < 1 || png.height < 1 || !png.pixels.empty())) std::abort();
    if (!ok) return 0;
    morv::Params params;
    std::optional<morv::RecipeRun> run;
    reason.clear();
    if (morv::load_png_contents(params, png, &reason, &run) != 0 && reason.empty()) std::abort();
    return 0;
}
