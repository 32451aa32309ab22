#include "files/atr.h"

#include "core/input_file.h"
#include "core/numeric.h"
#include "core/options.h"
#include "core/params.h"
#include "files/atomic_file.h"
#include "files/image.h"
#include "files/png.h"
#include "files/record_check.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace morv {

namespace {

// Little-endian field writer and reader over the record's bytes.
class ByteWriter {
  public:
    explicit ByteWriter(AtrBytes& out) : out_(out) {}
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out_[pos_++] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v) {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        for (int i = 0; i < 8; ++i)
            out_[pos_++] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    std::size_t pos() const { return pos_; }

  private:
    AtrBytes& out_;
    std::size_t pos_ = 0;
};

class ByteReader {
  public:
    explicit ByteReader(const AtrBytes& in) : in_(in) {}
    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(in_[pos_++]) << (8 * i);
        return v;
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    double f64() {
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= static_cast<std::uint64_t>(in_[pos_++]) << (8 * i);
        return std::bit_cast<double>(bits);
    }
    std::size_t pos() const { return pos_; }

  private:
    const AtrBytes& in_;
    std::size_t pos_ = 0;
};

} // namespace

ATR atr_from_state(const Params& s) {
    ATR r;
    const PARAM& p = s.p[s.type];
    const VOXEL& rot = s.rot[s.type];
    r.type = s.type;
    r.a = p.a, r.b = p.b, r.c = p.c, r.d = p.d, r.sp0 = p.sp0, r.sp1 = p.sp1;
    r.xstart = p.xstart, r.ystart = p.ystart, r.zstart = p.zstart;
    r.back = s.back;
    r.redback = red_of(s.back), r.greenback = green_of(s.back), r.blueback = blue_of(s.back);
    r.fore = s.fore;
    r.redfore = red_of(s.fore), r.greenfore = green_of(s.fore), r.bluefore = blue_of(s.fore);
    r.xrot = rot.x, r.yrot = rot.y, r.zrot = rot.z;
    r.f = s.f;
    for (int i = 0; i < 6; ++i)
        r.fp[i] = s.fp[i];
    r.vlmaxiter = s.vlmaxiter;
    r.vlmaxsize = s.vlmaxsize;
    r.vlradius = s.vlradius;
    r.pgmindex = s.pgmindex;
    r.pgmx0 = s.pgmx0;
    r.pgmy0 = s.pgmy0;
    r.smode = s.smode;
    return r;
}

AtrBytes encode_atr(const ATR& r) {
    AtrBytes out{};
    ByteWriter w(out);
    w.i32(r.type);
    for (double v : {r.a, r.b, r.c, r.d, r.sp0, r.sp1, r.xstart, r.ystart, r.zstart})
        w.f64(v);
    w.u32(r.back);
    w.i32(r.redback), w.i32(r.greenback), w.i32(r.blueback);
    w.u32(r.fore);
    w.i32(r.redfore), w.i32(r.greenfore), w.i32(r.bluefore);
    w.f64(r.xrot), w.f64(r.yrot), w.f64(r.zrot);
    for (const auto& row : r.f)
        for (double v : row)
            w.f64(v);
    for (double v : r.fp)
        w.f64(v);
    w.i32(r.vlmaxiter);
    w.f64(r.vlmaxsize), w.f64(r.vlradius);
    w.i32(r.pgmindex);
    for (double v : r.pgmx0)
        w.f64(v);
    for (double v : r.pgmy0)
        w.f64(v);
    w.i32(r.smode);
    return out;
}

ATR decode_atr(const AtrBytes& bytes) {
    ATR r;
    ByteReader in(bytes);
    r.type = in.i32();
    for (double* v : {&r.a, &r.b, &r.c, &r.d, &r.sp0, &r.sp1, &r.xstart, &r.ystart, &r.zstart})
        *v = in.f64();
    r.back = in.u32();
    r.redback = in.i32(), r.greenback = in.i32(), r.blueback = in.i32();
    r.fore = in.u32();
    r.redfore = in.i32(), r.greenfore = in.i32(), r.bluefore = in.i32();
    r.xrot = in.f64(), r.yrot = in.f64(), r.zrot = in.f64();
    for (auto& row : r.f)
        for (double& v : row)
            v = in.f64();
    for (double& v : r.fp)
        v = in.f64();
    r.vlmaxiter = in.i32();
    r.vlmaxsize = in.f64(), r.vlradius = in.f64();
    r.pgmindex = in.i32();
    for (double& v : r.pgmx0)
        v = in.f64();
    for (double& v : r.pgmy0)
        v = in.f64();
    r.smode = in.i32();
    return r;
}

bool atr_is_valid(const ATR& r, std::string* reason) {
    const std::optional<std::string> why = check_record(r);
    if (why && reason != nullptr) *reason = *why;
    return !why;
}

void apply_atr(Params& s, const ATR& r) {
    s.type = r.type;
    PARAM& p = s.p[s.type];
    p.a = r.a, p.b = r.b, p.c = r.c, p.d = r.d, p.sp0 = r.sp0, p.sp1 = r.sp1;
    p.xstart = r.xstart, p.ystart = r.ystart, p.zstart = r.zstart;
    // The packed colours are what everything draws with; the separate
    // components in the record only repeat them.
    s.back = r.back & 0xFFFFFFu;
    s.fore = r.fore & 0xFFFFFFu;
    s.rot[s.type] = VOXEL{r.xrot, r.yrot, r.zrot};
    s.f = r.f;
    for (int i = 0; i < 6; ++i)
        s.fp[i] = trunc32(r.fp[i]);
    s.vlmaxiter = r.vlmaxiter;
    s.vlmaxsize = r.vlmaxsize;
    s.vlradius = r.vlradius;
    s.pgmindex = r.pgmindex;
    s.pgmx0 = r.pgmx0;
    s.pgmy0 = r.pgmy0;
    s.smode = r.smode;
}

int load_atr_bytes(Params& s, std::span<const std::uint8_t> bytes, std::string* reason) {
    if (bytes.size() != kAtrSize) {
        if (reason != nullptr)
            *reason = "a parameter file has " + std::to_string(kAtrSize) + " bytes, this one " +
                      (bytes.size() > kAtrSize ? "more" : std::to_string(bytes.size()));
        return kAtrLoadBadSize;
    }
    AtrBytes raw{};
    std::memcpy(raw.data(), bytes.data(), kAtrSize);
    const ATR r = decode_atr(raw);
    if (!atr_is_valid(r, reason)) return kAtrLoadBadValue;
    apply_atr(s, r);
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

int writeatr(const Params& s, const std::string& path, std::string* reason) {
    const AtrBytes bytes = encode_atr(atr_from_state(s));
    AtomicFile file;
    const auto failed = [&](int rc) {
        if (reason != nullptr) *reason = path.empty() ? "no file name" : file.error();
        return rc;
    };
    if (path.empty() || !file.open(path)) return failed(kAtrWriteOpenFailed);
    if (!file.write(bytes.data(), bytes.size()) || !file.commit()) return failed(kAtrWriteFailed);
    return kAtrWriteOk;
}

int loadatr(Params& s, const std::string& path, std::string* reason) {
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
    // No record starts with these bytes (its type would be out of range), so a
    // PNG image is read for the record it carries.
    if (is_png_signature(std::span<const std::uint8_t>(buf.data(), got)))
        return load_png_parameters(s, path, reason);
    return load_atr_bytes(s, std::span<const std::uint8_t>(buf.data(), got), reason);
}

std::string atr_path_from_argument(std::string_view arg) {
    if (arg.size() >= 2 && arg.front() == '"' && arg.back() == '"')
        arg = arg.substr(1, arg.size() - 2);
    return std::string(arg);
}

int load_startup_atr(Params& s, std::string_view arg) {
    const std::string path = atr_path_from_argument(arg);
    if (path.empty()) return kAtrLoadOk;
    return loadatr(s, path);
}

} // namespace morv
