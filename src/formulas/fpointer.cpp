#include "formulas/steps.h"

namespace morv {

// nullptr marks a type whose step is not in this build yet.
const std::array<StepFn, NTYPES> fpointer{{
    henon, // 0 henon
    nullptr, // 1 ikeda
    bifurcation, // 2 bifurcation
    nullptr, // 3 lorenz
    nullptr, // 4 ganymede
    nullptr, // 5 pickover3d
    nullptr, // 6 dejong
    nullptr, // 7 hpd
    nullptr, // 8 sierpinski
    nullptr, // 9 fern
    nullptr, // 10 feather
    nullptr, // 11 duffing
    nullptr, // 12 hopalong
    nullptr, // 13 web
    nullptr, // 14 vl
    nullptr, // 15 lace
    nullptr, // 16 popcorn
    nullptr, // 17 pgm
    nullptr, // 18 frothybasin
    nullptr, // 19 unity
    chrysanthemum, // 20 chrysanthemum
    rossler, // 21 rossler
    butterfly, // 22 butterfly
    kamtorus, // 23 kamtorus
    samardzija, // 24 samardzija
    lissajous, // 25 lissajous
    nullptr, // 26 iris
    nullptr, // 27 atom
    rpkamtorus, // 28 rpkamtorus
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
