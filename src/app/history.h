#pragma once

#include "app/app_state.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace morv::app {

// What the user can step back to: the type, every type's parameters, views
// and rotations, and the settings that shape a picture. The resolution is not
// part of it: stepping back never rebuilds the canvas.
struct ParameterSnapshot {
    int type = 0;
    std::array<PARAM, NTYPES> p{};
    std::array<MINMAX, NTYPES> mm{};
    std::array<VOXEL, NTYPES> rot{};
    std::array<int, NTYPES> method{};
    int rotationorder = 0, speed = 0, linewidth = 0;
    COLORREF back = 0, fore = 0;
    Palette palette{};
    int checkedpalette = 0;
    int smode = 0, scmode = 0, ifscmode = 0;
    std::array<std::array<double, 6>, 6> f{};
    std::array<int, 6> fp{};
    int vlmaxiter = 0, vlcoloring = 0, showorbits = 0, basinflag = 0, pgmindex = 0;
    double vlmaxsize = 0, vlradius = 0, pgmscale = 0;
    std::array<double, 8> pgmx0{}, pgmy0{};
    int oddflag = 0, unityflag = 0, unitybasin = 0, rosslerflag = 0;

    bool operator==(const ParameterSnapshot&) const = default;
};

ParameterSnapshot take_snapshot(const Instance& s);
void restore_snapshot(Instance& s, const ParameterSnapshot& snap);

// Back and forward through the parameter sets the user has had. Each change
// records the set it replaced; a new change after stepping back drops the
// sets ahead.
class History {
  public:
    // `before` was replaced by `after`: remembered unless they are the same.
    void changed(const ParameterSnapshot& before, const ParameterSnapshot& after);
    // The set before `current`, which becomes the one ahead; empty at the start.
    std::optional<ParameterSnapshot> back(const ParameterSnapshot& current);
    // The set ahead of `current`; empty at the newest.
    std::optional<ParameterSnapshot> forward(const ParameterSnapshot& current);
    std::size_t behind() const { return back_.size(); }
    std::size_t ahead() const { return ahead_.size(); }

    static constexpr std::size_t kLimit = 500; // sets kept behind; the oldest go first

  private:
    std::vector<ParameterSnapshot> back_, ahead_;
};

} // namespace morv::app
