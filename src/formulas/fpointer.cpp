#include "formulas/steps.h"

namespace morv {

// The step functions by type number, the number parameter files store.
const StepTable fpointer{{
    henon,         // 0 henon
    ikeda,         // 1 ikeda
    bifurcation,   // 2 bifurcation
    lorenz,        // 3 lorenz
    ganymede,      // 4 ganymede
    pickover3d,    // 5 pickover3d
    dejong,        // 6 dejong
    hpd,           // 7 hpd
    sierpinski,    // 8 sierpinski
    fern,          // 9 fern
    feather,       // 10 feather
    duffing,       // 11 duffing
    hopalong,      // 12 hopalong
    web,           // 13 web
    vl,            // 14 vl
    lace,          // 15 lace
    popcorn,       // 16 popcorn
    pgm,           // 17 pgm
    frothybasin,   // 18 frothybasin
    unity,         // 19 unity
    chrysanthemum, // 20 chrysanthemum
    rossler,       // 21 rossler
    butterfly,     // 22 butterfly
    kamtorus,      // 23 kamtorus
    samardzija,    // 24 samardzija
    lissajous,     // 25 lissajous
    iris,          // 26 iris
    atom,          // 27 atom
    rpkamtorus,    // 28 rpkamtorus
    wings,         // 29 wings
    medusa,        // 30 medusa
    disk,          // 31 disk
    ikedaifs,      // 32 ikedaifs
    stormjulia,    // 33 stormjulia
    frostjulia,    // 34 frostjulia
    star,          // 35 star
    spirals,       // 36 spirals
    cosinewaves,   // 37 cosinewaves
}};

} // namespace morv
