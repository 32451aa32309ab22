// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/forms/options_chart.h"

#include "core/catalogue.h"

namespace morv::app {

std::array<OptionsChartRow, NTYPES> options_chart() {
    std::array<OptionsChartRow, NTYPES> rows{};
    for (int t = 0; t < NTYPES; ++t) {
        const TypeInfo& info = catalogue[static_cast<std::size_t>(t)];
        rows[static_cast<std::size_t>(t)] = {t, info.name, changeable(info),
                                             (info.poptions & kOptRandom) != 0};
    }
    return rows;
}

} // namespace morv::app
