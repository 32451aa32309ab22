// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/record.h"

#include "core/numeric.h"
#include "core/params.h"
#include "files/byte_codec.h"

#include <algorithm>

namespace morv {

ATR atr_from_state(const Params& ps) {
    ATR r;
    const TypeParams& p = ps.p[ps.type];
    const Point3& rot = ps.rot[ps.type];
    r.type = ps.type;
    r.a = p.a, r.b = p.b, r.c = p.c, r.d = p.d, r.sp0 = p.sp0, r.sp1 = p.sp1;
    r.xstart = p.xstart, r.ystart = p.ystart, r.zstart = p.zstart;
    r.back = ps.back;
    r.redback = red_of(ps.back), r.greenback = green_of(ps.back), r.blueback = blue_of(ps.back);
    r.fore = ps.fore;
    r.redfore = red_of(ps.fore), r.greenfore = green_of(ps.fore), r.bluefore = blue_of(ps.fore);
    r.xrot = rot.x, r.yrot = rot.y, r.zrot = rot.z;
    r.f = ps.f;
    for (int i = 0; i < 6; ++i)
        r.fp[i] = ps.fp[i];
    r.vlmaxiter = ps.vlmaxiter;
    r.vlmaxsize = ps.vlmaxsize;
    r.vlradius = ps.vlradius;
    r.pgmindex = ps.pgmindex;
    r.pgmx0 = ps.pgmx0;
    r.pgmy0 = ps.pgmy0;
    r.smode = ps.smode;
    return r;
}

AtrBytes encode_atr(const ATR& r) {
    ByteSink w;
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
    AtrBytes out{};
    std::copy_n(w.bytes().begin(), std::min(out.size(), w.bytes().size()), out.begin());
    return out;
}

ATR decode_atr(const AtrBytes& bytes) {
    ATR r;
    ByteSource in(bytes);
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

void apply_atr(Params& ps, const ATR& r) {
    ps.type = r.type;
    TypeParams& p = ps.p[ps.type];
    p.a = r.a, p.b = r.b, p.c = r.c, p.d = r.d, p.sp0 = r.sp0, p.sp1 = r.sp1;
    p.xstart = r.xstart, p.ystart = r.ystart, p.zstart = r.zstart;
    // The packed colours are what everything draws with; the separate
    // components in the record only repeat them.
    ps.back = r.back & 0xFFFFFFu;
    ps.fore = r.fore & 0xFFFFFFu;
    ps.rot[ps.type] = Point3{r.xrot, r.yrot, r.zrot};
    ps.f = r.f;
    for (int i = 0; i < 6; ++i)
        ps.fp[i] = trunc32(r.fp[i]);
    ps.vlmaxiter = r.vlmaxiter;
    ps.vlmaxsize = r.vlmaxsize;
    ps.vlradius = r.vlradius;
    ps.pgmindex = r.pgmindex;
    ps.pgmx0 = r.pgmx0;
    ps.pgmy0 = r.pgmy0;
    ps.smode = r.smode;
}

} // namespace morv
