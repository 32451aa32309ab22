// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/catalogue.h"

namespace morv {

namespace {

// The okmethod bits of the colouring methods a row allows.
constexpr int kPoints = okmethod_bit(kMethodSpeedPoints);
constexpr int kLines = okmethod_bit(kMethodSpeedLines);
constexpr int kHits = okmethod_bit(kMethodHitCount);
constexpr int kZPlane = okmethod_bit(kMethodZPlane);

// Storm Julia's two built-in pairs of Julia constants, each with its start point.
constexpr StartSet kStormSets[] = {
    {0.054631, 0.003381, -1.924232, -0.439203, -0.6711, -0.286204},
    {0.116414, -0.166867, -0.399915, -0.591196, -0.009328, 0.338827},
};

// One row per TypeId, in its order: the index of a row is the type number that
// parameter files store.
constexpr TypeInfo kRows[] = {
    {.name = "Henon",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-1.4, 1.4, -0.4, 0.4},
     .mmrange = {-1.4, 1.4, -0.4, 0.4},
     .method = kMethodSpeedPoints,
     .okmethod = kPoints},
    {.name = "Ikeda",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-0.5, 1.8, -2.4, 1.0},
     .mmrange = {-0.5, 1.8, -2.4, 1.0},
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Bifurcation ( Feigenbaum ) Diagram",
     .pdef = {0.01, 0, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {0.0, 0.5, 0.5, 0.0},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .method = kMethodSelf,
     .follow_up = FollowUp::BifurcationBox},
    {.name = "Lorenz - 3D",
     .mark_gap = 1,
     .pdef = {0.6, 0.6, 0.6, 0, 0, 0, 0, 0, 0},
     .mmdef = {-4, 4, -4, 4},
     .mmrange = {-4, 4, -4, 4},
     .poptions = kOptSpeed | kOptRotation,
     .method = kMethodSpeedLines,
     .okmethod = kPoints | kLines},
    {.name = "Ganymede ( Pickover ) - 3D",
     .pdef = {0.1, 0.1, 0, -0.967, 2.88, 0.765, 0.745, 0, 0},
     .mmdef = {-2.5, 2.5, -2.5, 2.5},
     .mmrange = {-5, 5, -5, 5},
     .abcdrange = {-3, 3, -1.5, 1.5},
     .poptions = kOptAbcd | kOptRotation | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits | kZPlane,
     .random = RandomScheme::Pickover},
    {.name = "Pickover - 3D",
     .pdef = {0.1, 0.1, 0.1, 1.7, 1.7, -0.3, 2.1, 0, 0},
     .mmdef = {-2.25, 2.25, -2.25, 2.25},
     .mmrange = {-5, 5, -5, 5},
     .abcdrange = {-3, 3, -3, 3},
     .poptions = kOptAbcd | kOptRotation | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits | kZPlane,
     .random = RandomScheme::Pickover},
    {.name = "Peter de Jong - 3D",
     .pdef = {0.1, 0.1, 0, 1.4, -2.3, 2.4, -2.1, 0, 0},
     .mmdef = {-2.25, 2.25, -2.25, 2.25},
     .mmrange = {-5, 5, -5, 5},
     .abcdrange = {-3, 3, -3, 3},
     .poptions = kOptAbcd | kOptRotation | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits | kZPlane,
     .random = RandomScheme::Pickover},
    {.name = "Henon Phase Diagram",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 65, 0},
     .mmdef = {-3, 3, -3, 3},
     .mmrange = {-6, 6, -6, 6},
     .sprange = {0, 360, 0, 0},
     .poptions = kOptSpecial | kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "angle ( 0 - 360 degrees )"},
    {.name = "Sierpinski Polygons",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {0.0, 0.5, 0.0, 0.5},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .method = kMethodSelf,
     .okmethod = kHits,
     .follow_up = FollowUp::SierpinskiForm},
    {.name = "IFS  ( Ferns and More )",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-5, 5, -1, 9},
     .mmrange = {-10, 10, -10, 10},
     .poptions = kOptWindow,
     .method = kMethodSelf,
     .okmethod = kHits,
     .follow_up = FollowUp::FernForm},
    {.name = "Feather",
     .pdef = {3, 0, 0, -0.48, 0.93, 0, 0, 0, 0},
     .mmdef = {-12, 14, -15, 11},
     .mmrange = {-12, 14, -15, 11},
     .abcdrange = {-0.5, 1.0, 0, 0},
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Duffing Oscillator",
     .pdef = {0.157, -0.045, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-2, 2, -2, 2},
     .mmrange = {-2, 2, -2, 2},
     .poptions = kOptSpeed,
     .method = kMethodSpeedLines,
     .okmethod = kLines},
    {.name = "Hopalong",
     .pdef = {0, 0, 0, 1.67, 0.556, 4.6, 0, 0, 0},
     .mmdef = {-212, 212, -212, 212},
     .mmrange = {-212, 212, -212, 212},
     .abcdrange = {0.25, 2.0, 0, 5.0},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {
        .name = "Sierpinski Web",
        .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
        .mmdef = {-1.8, 1.8, -1.8, 1.8},
        .mmrange = {-1.8, 1.8, -1.8, 1.8},
        .method = kMethodSelf,
    },
    {.name = "Volterra-Lotka",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0.739, 0.739},
     .mmdef = {0, 6, 0, 6},
     .mmrange = {0, 6, 0, 6},
     .sprange = {0, 1, 0, 1},
     .poptions = kOptSpecial | kOptWindow,
     .method = kMethodSelf,
     .sp0_label = "h ( 0.0 - 1.0 )          ",
     .sp1_label = "p ( 0.0 - 1.0 )          ",
     .follow_up = FollowUp::VolterraLotkaForm},
    {.name = "Lace",
     .pdef = {0.5, 0.75, 0, 0, 0, 0, 0, 2, 4},
     .mmdef = {-4, 4, -4, 4},
     .mmrange = {-4, 4, -4, 4},
     .sprange = {1.5, 4.0, 0.5, 5.0},
     .poptions = kOptSpecial,
     .method = kMethodSelf,
     .sp0_label = "r ( 1.5 - 4.0 )          ",
     .sp1_label = "scale ( 0.5 - 5.0) )     "},
    {.name = "Popcorn",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0.15, 1},
     .mmdef = {-0.5, 0.5, -0.5, 0.5},
     .mmrange = {-0.5, 0.5, -0.5, 0.5},
     .sprange = {0.1, 0.5, 1.0, 20.0},
     .poptions = kOptSpeed | kOptSpecial,
     .method = kMethodSelf,
     .sp0_label = "h ( 0.1 - 0.5 )          ",
     .sp1_label = "scale ( 1.0 - 20.0) )    "},
    {.name = "Perturbated Gingerbread Men",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {0.0, 0.5, 0.0, 0.5},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .method = kMethodSelf,
     .follow_up = FollowUp::PgmFormula},
    {.name = "Frothy Basin",
     .pdef = {0.1, 0.1, 0, 1.737, -0.035, 0, 0, 0, 0},
     .mmdef = {-2.0, 2.25, -1.75, 1.75},
     .mmrange = {-2.0, 2.25, -1.75, 1.75},
     .abcdrange = {0, 2.0, 0, 0},
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .follow_up = FollowUp::BasinBox},
    {.name = "Unity",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-1.5, 1.5, -1.5, 1.5},
     .mmrange = {-15, 15, -15, 15},
     .poptions = kOptWindow,
     .method = kMethodSelf,
     .follow_up = FollowUp::UnityBox},
    {.name = "Chrysanthemum - 3D",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {0.0, 0.5, 0.0, 0.5},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .poptions = kOptRotation,
     .method = kMethodSpeedLines,
     .okmethod = kPoints | kLines,
     .speed = SpeedRule::Depth},
    {.name = "Rossler - 3D",
     .pdef = {0.6, 0.6, 0.6, 0, 0, 0, 0, 0, 0},
     .mmdef = {-25, 25, -25, 25},
     .mmrange = {-35, 35, -35, 35},
     .poptions = kOptSpeed | kOptRotation,
     .method = kMethodSpeedLines,
     .okmethod = kPoints | kLines,
     .rotdef = {75, 350, 0},
     .speed = SpeedRule::Height,
     .follow_up = FollowUp::RosslerBox},
    {.name = "Butterfly - 3D",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {0.0, 0.5, 0.0, 0.5},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .poptions = kOptRotation,
     .method = kMethodSpeedLines,
     .okmethod = kPoints | kLines,
     .speed = SpeedRule::Depth},
    {.name = "KAM Torus - 3D",
     .pdef = {0, 0, 0, 0, 0, 0, 0, 1, 0},
     .mmdef = {0.0, 0.5, 0.0, 0.5},
     .mmrange = {0.0, 0.5, 0.0, 0.5},
     .sprange = {0.25, 2.0, 0, 0},
     .poptions = kOptRotation | kOptSpecial,
     .method = kMethodSelf,
     .sp0_label = "scale ( 0.25 - 2.0) )    "},
    {
        .name = "Samardzija Oscillator",
        .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
        .mmdef = {0.0, 0.5, 0.0, 0.5},
        .mmrange = {0.0, 0.5, 0.0, 0.5},
        .method = kMethodSelf,
    },
    {
        .name = "Lissajous Oscillator - 3D",
        .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
        .mmdef = {0.0, 0.5, 0.0, 0.5},
        .mmrange = {0.0, 0.5, 0.0, 0.5},
        .method = kMethodSelf,
    },
    {.name = "Iris",
     .pdef = {0.043, -0.141, 0, 0, 0, 0, 0, -1.748, 1.53},
     .mmdef = {-3.5, 3.5, -3.5, 3.5},
     .mmrange = {-4, 4, -4, 4},
     .sprange = {-2, 2, -2, 2},
     .poptions = kOptSpecial | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "p1 ( -2.0 - 2.0 )        ",
     .sp1_label = "p2 ( -2.0 - 2.0 )        ",
     .random = RandomScheme::Coefficients},
    {.name = "Atom",
     .pdef = {0.1, 0.1, 0, 0, 0, 0, 0, 0.585, 0},
     .mmdef = {-6, 6, -6, 6},
     .mmrange = {-30, 30, -30, 30},
     .sprange = {-2, 2, 0, 0},
     .poptions = kOptSpecial | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "p ( -2.0 - 2.0 )        ",
     .random = RandomScheme::Coefficients},
    {
        .name = "Randomized KAM Torus",
        .pdef = {0, 0, 0, 0, 0, 0, 0, 0, 0},
        .mmdef = {0.0, 0.5, 0.0, 0.5},
        .mmrange = {0.0, 0.5, 0.0, 0.5},
        .method = kMethodSelf,
    },
    {.name = "Wings",
     .pdef = {0.056, -0.074, 0, 0, 0, 0, 0, -0.622, 0.342},
     .mmdef = {-0.35, 0.35, -0.45, 0.45},
     .mmrange = {-3, 3, -3, 3},
     // [-2, 2] as its labels say and the random search draws; the table the
     // program was first built from had [-1, 1], which clamped random sets.
     .sprange = {-2, 2, -2, 2},
     .poptions = kOptSpecial | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "p1 ( -2.0 - 2.0 )        ",
     .sp1_label = "p2 ( -2.0 - 2.0 )        ",
     .random = RandomScheme::Coefficients},
    {.name = "Medusa",
     .pdef = {0.009, 0.011, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-0.9, 1.1, -0.9, 1.4},
     .mmrange = {-1.5, 1.5, -1.5, 1.5},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Disk",
     .pdef = {0.016, -0.016, 0, 0, 0, 0, 0, -1.496, -0.617},
     .mmdef = {-4.5, 1.5, -3.0, 3.0},
     .mmrange = {-6, 3, -4.5, 4.5},
     .sprange = {-2, 2, -2, 2},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Ikeda IFS",
     .pdef = {0.049, 0.074, 0, 0, 0, 0, 0, 0, 0},
     .mmdef = {-0.6, 1.3, -0.6, 0.6},
     .mmrange = {-1.0, 1.5, -1.0, 1.0},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Storm Julia ( 2 defaults )",
     .pdef = {0.116, -0.166, 0, -0.4, -0.59, -0.01, 0.34, 0, 0},
     .mmdef = {-2.2, 2.2, -1.4, 1.4},
     .mmrange = {-2.5, 2.5, -1.5, 1.5},
     .abcdrange = {-2, 2, -2, 2},
     .poptions = kOptAbcd | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .random = RandomScheme::Coefficients,
     .follow_up = FollowUp::StormDefaults,
     .start_sets = kStormSets},
    {.name = "Frost Julia",
     .pdef = {0.088, 0.043, 0, 0, 0, 0, 0, 0.306, 0.047},
     .mmdef = {-1.0, 1.0, -1.3, 1.3},
     .mmrange = {-2, 2, -2, 2},
     .sprange = {-2, 2, -2, 2},
     .poptions = kOptSpecial | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "p1 ( -2.0 - 2.0 )        ",
     .sp1_label = "p2 ( -2.0 - 2.0 )        ",
     .random = RandomScheme::Coefficients},
    {.name = "Star",
     .pdef = {-0.118, -0.139, 0, 0.778, -0.388, 0.206, 0, 0, 0},
     .mmdef = {-4, 4, -3.5, 3.5},
     .mmrange = {-5, 5, -4, 4},
     .abcdrange = {-2, 2, -2, 2},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
    {.name = "Spirals",
     .pdef = {-0.094, 0.1, 0, 0, 0, 0, 0, 0.057, 1.0125},
     .mmdef = {-1.4, 1.4, -1.05, 1.05},
     .mmrange = {-3, 3, -3, 3},
     .sprange = {-2, 2, 1.0, 1.5},
     .poptions = kOptSpecial | kOptWindow | kOptRandom,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits,
     .sp0_label = "p1 ( -2.0 - 2.0 )       ",
     .sp1_label = "p2 ( 1.0 - 1.5 )         ",
     .random = RandomScheme::Spirals},
    {.name = "Cosine Waves",
     .pdef = {0.07, -0.1, 0, 0, 0, 0, 0, -1.251, -0.84},
     .mmdef = {-6.4, 6.4, -5.4, 5.4},
     .mmrange = {-6.4, 6.4, -5.4, 5.4},
     .sprange = {-2, 2, -2, 2},
     .poptions = kOptWindow,
     .method = kMethodSpeedPoints,
     .okmethod = kPoints | kHits},
};
static_assert(std::size(kRows) == NTYPES, "every TypeId has its row");

// A type offers the random search exactly when it has a way to draw.
constexpr bool random_schemes_match_options() {
    for (const TypeInfo& t : kRows)
        if ((t.random != RandomScheme::None) != ((t.poptions & kOptRandom) != 0)) return false;
    return true;
}
static_assert(random_schemes_match_options());

// The Parameters dialog labels sp0 exactly for the types whose special fields it enables.
constexpr bool special_fields_have_labels() {
    for (const TypeInfo& t : kRows)
        if (t.sp0_label.empty() == ((t.poptions & kOptSpecial) != 0)) return false;
    return true;
}
static_assert(special_fields_have_labels());

// Choosing a type re-arms its start sets exactly when it has some.
constexpr bool start_sets_match_follow_up() {
    for (const TypeInfo& t : kRows)
        if (t.start_sets.empty() == (t.follow_up == FollowUp::StormDefaults)) return false;
    return true;
}
static_assert(start_sets_match_follow_up());

constexpr std::array<TypeInfo, NTYPES> as_table() {
    std::array<TypeInfo, NTYPES> table{};
    for (std::size_t t = 0; t < table.size(); ++t)
        table[t] = kRows[t];
    return table;
}

// The type list's labels, made once: the name, then its marks.
struct Label {
    std::array<char, 64> text{};
    std::size_t size = 0;
    constexpr void append(std::string_view s) {
        for (char c : s)
            text[size++] = c;
    }
};

constexpr Label label_of(const TypeInfo& t) {
    Label label;
    label.append(t.name);
    if (changeable(t)) {
        for (int gap = 0; gap < t.mark_gap; ++gap)
            label.append(" ");
        label.append("+");
    }
    if ((t.poptions & kOptRandom) != 0) label.append(" $");
    return label;
}

constexpr std::array<Label, NTYPES> make_labels() {
    std::array<Label, NTYPES> labels{};
    for (std::size_t t = 0; t < labels.size(); ++t)
        labels[t] = label_of(kRows[t]);
    return labels;
}

constexpr std::array<Label, NTYPES> kLabels = make_labels();

} // namespace

const std::array<TypeInfo, NTYPES> catalogue = as_table();

std::string_view type_label(int type) {
    const Label& label = kLabels[static_cast<std::size_t>(type)];
    return {label.text.data(), label.size};
}

std::string_view short_type_name(int type) {
    constexpr std::string_view k3d = " - 3D";
    std::string_view name = catalogue[static_cast<std::size_t>(type)].name;
    if (name.ends_with(k3d)) name.remove_suffix(k3d.size());
    return name;
}

} // namespace morv
