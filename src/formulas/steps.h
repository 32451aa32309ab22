#pragma once

#include "formulas/scratch.h"

namespace morv {

// The formulas' step table, for whoever builds an instance to hand to the engine.
extern const StepTable fpointer;

// The step functions, by type id (see docs/step-contract.md).
int henon(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);         // 0
int ikeda(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);         // 1
int bifurcation(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);   // 2
int lorenz(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);        // 3
int ganymede(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);      // 4
int pickover3d(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 5
int dejong(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);        // 6
int hpd(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);           // 7
int sierpinski(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 8
int fern(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 9
int feather(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);       // 10
int duffing(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);       // 11
int hopalong(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);      // 12
int web(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);           // 13
int vl(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);            // 14
int lace(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 15
int popcorn(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);       // 16
int pgm(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);           // 17
int frothybasin(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);   // 18
int unity(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);         // 19
int chrysanthemum(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos); // 20
int rossler(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);       // 21
int butterfly(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);     // 22
int kamtorus(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);      // 23
int samardzija(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 24
int lissajous(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);     // 25
int iris(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 26
int atom(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 27
int rpkamtorus(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 28
int wings(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);         // 29
int medusa(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);        // 30
int disk(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 31
int ikedaifs(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);      // 32
int stormjulia(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 33
int frostjulia(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);    // 34
int star(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);          // 35
int spirals(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);       // 36
int cosinewaves(State& s, VOXEL old, VOXEL* next, int iter, int* xpos, int* ypos);   // 37

} // namespace morv
