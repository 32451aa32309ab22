// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "formulas/scratch.h"

namespace morv {

// The formulas' step table, for whoever builds an instance to hand to the
// engine. Made from the registrations (registry.cpp).
extern const StepTable fpointer;

// The step functions, by type id, each a StepFn (see docs/step-contract.md).
int henon(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);         // 0
int ikeda(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);         // 1
int bifurcation(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);   // 2
int lorenz(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);        // 3
int ganymede(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);      // 4
int pickover3d(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 5
int dejong(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);        // 6
int hpd(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);           // 7
int sierpinski(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 8
int fern(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 9
int feather(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);       // 10
int duffing(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);       // 11
int hopalong(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);      // 12
int web(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);           // 13
int vl(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);            // 14
int lace(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 15
int popcorn(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);       // 16
int pgm(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);           // 17
int frothybasin(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);   // 18
int unity(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);         // 19
int chrysanthemum(const Params&, RenderContext&, Point3, Point3*, int, int*, int*); // 20
int rossler(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);       // 21
int butterfly(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);     // 22
int kamtorus(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);      // 23
int samardzija(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 24
int lissajous(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);     // 25
int iris(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 26
int atom(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 27
int rpkamtorus(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 28
int wings(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);         // 29
int medusa(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);        // 30
int disk(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 31
int ikedaifs(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);      // 32
int stormjulia(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 33
int frostjulia(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);    // 34
int star(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);          // 35
int spirals(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);       // 36
int cosinewaves(const Params&, RenderContext&, Point3, Point3*, int, int*, int*);   // 37

} // namespace morv
