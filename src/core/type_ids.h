// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace morv {

// Type ids: the number a parameter record stores for each type, the row of
// the catalogue and of the step table.
enum TypeId : int {
    kTypeHenon,
    kTypeIkeda,
    kTypeBifurcation,
    kTypeLorenz,
    kTypeGanymede,
    kTypePickover,
    kTypeDeJong,
    kTypeHenonPhase,
    kTypeSierpinski,
    kTypeIfs,
    kTypeFeather,
    kTypeDuffing,
    kTypeHopalong,
    kTypeSierpinskiWeb,
    kTypeVolterraLotka,
    kTypeLace,
    kTypePopcorn,
    kTypePgm,
    kTypeBasin,
    kTypeUnity,
    kTypeChrysanthemum,
    kTypeRossler,
    kTypeButterfly,
    kTypeKamTorus,
    kTypeSamardzija,
    kTypeLissajous,
    kTypeIris,
    kTypeAtom,
    kTypeRandomKamTorus,
    kTypeWings,
    kTypeMedusa,
    kTypeDisk,
    kTypeIkedaIfs,
    kTypeStormJulia,
    kTypeFrostJulia,
    kTypeStar,
    kTypeSpirals,
    kTypeCosineWaves,
    kTypeCount, // not a type: the number of types
};

} // namespace morv
