// libFuzzer target: the PNG reader behind image parameter loading. Whatever
// the bytes, it returns, with a reason when it refuses them and with pixels
// that match the size it reports when it accepts them.
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
    const bool ok = morv::readpng(in, png, true, reason);
    std::fclose(in);
    if (!ok && reason.empty()) std::abort();
    if (ok && png.pixels.size() != static_cast<std::size_t>(png.width) * png.height) std::abort();
    return 0;
}
