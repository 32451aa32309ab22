#include "app/history.h"

namespace morv::app {

namespace {

// Copies the same members between a state and a snapshot, either way.
template <typename From, typename To> void copy_members(const From& a, To& b) {
    b.type = a.type;
    b.p = a.p;
    b.mm = a.mm;
    b.rot = a.rot;
    b.method = a.method;
    b.rotationorder = a.rotationorder;
    b.speed = a.speed;
    b.linewidth = a.linewidth;
    b.back = a.back;
    b.fore = a.fore;
    b.palette = a.palette;
    b.checkedpalette = a.checkedpalette;
    b.smode = a.smode;
    b.scmode = a.scmode;
    b.ifscmode = a.ifscmode;
    b.f = a.f;
    b.fp = a.fp;
    b.vlmaxiter = a.vlmaxiter;
    b.vlcoloring = a.vlcoloring;
    b.showorbits = a.showorbits;
    b.basinflag = a.basinflag;
    b.pgmindex = a.pgmindex;
    b.vlmaxsize = a.vlmaxsize;
    b.vlradius = a.vlradius;
    b.pgmscale = a.pgmscale;
    b.pgmx0 = a.pgmx0;
    b.pgmy0 = a.pgmy0;
    b.oddflag = a.oddflag;
    b.unityflag = a.unityflag;
    b.unitybasin = a.unitybasin;
    b.rosslerflag = a.rosslerflag;
}

} // namespace

ParameterSnapshot take_snapshot(const Instance& s) {
    ParameterSnapshot snap;
    copy_members(s, snap);
    return snap;
}

void restore_snapshot(Instance& s, const ParameterSnapshot& snap) {
    copy_members(snap, s);
}

void History::changed(const ParameterSnapshot& before, const ParameterSnapshot& after) {
    if (before == after) return;
    if (back_.size() == kLimit) back_.erase(back_.begin());
    back_.push_back(before);
    ahead_.clear();
}

std::optional<ParameterSnapshot> History::back(const ParameterSnapshot& current) {
    if (back_.empty()) return std::nullopt;
    ParameterSnapshot out = back_.back();
    back_.pop_back();
    ahead_.push_back(current);
    return out;
}

std::optional<ParameterSnapshot> History::forward(const ParameterSnapshot& current) {
    if (ahead_.empty()) return std::nullopt;
    ParameterSnapshot out = ahead_.back();
    ahead_.pop_back();
    back_.push_back(current);
    return out;
}

} // namespace morv::app
