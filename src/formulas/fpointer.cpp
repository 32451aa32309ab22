#include "formulas/steps.h"

namespace morv {

// nullptr marks a type whose step is not in this build yet.
const std::array<StepFn, NTYPES> fpointer{{
    henon,   // 0 henon
    nullptr, // 1 ikeda
    nullptr, // 2 bifurcation
    nullptr, // 3 lorenz
    nullptr, // 4 ganymede
    nullptr, // 5 pickover3d
    nullptr, // 6 dejong
    nullptr, // 7 hpd
    sierpinski, // 8 sierpinski
    fern, // 9 fern
    nullptr, // 10 feather
    nullptr, // 11 duffing
    nullptr, // 12 hopalong
    web, // 13 web
    vl, // 14 vl
    lace, // 15 lace
    popcorn, // 16 popcorn
    pgm, // 17 pgm
    frothybasin, // 18 frothybasin
    unity, // 19 unity
    nullptr, // 20 chrysanthemum
    nullptr, // 21 rossler
    nullptr, // 22 butterfly
    nullptr, // 23 kamtorus
    nullptr, // 24 samardzija
    nullptr, // 25 lissajous
    nullptr, // 26 iris
    nullptr, // 27 atom
    nullptr, // 28 rpkamtorus
    nullptr, // 29 wings
    nullptr, // 30 medusa
    nullptr, // 31 disk
    nullptr, // 32 ikedaifs
    nullptr, // 33 stormjulia
    nullptr, // 34 frostjulia
    nullptr, // 35 star
    nullptr, // 36 spirals
    nullptr, // 37 cosinewaves
}};

} // namespace morv
