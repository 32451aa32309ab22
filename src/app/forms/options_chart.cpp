#include "app/forms/options_chart.h"

#include "core/catalogue.h"

namespace morv::app {

namespace {

bool is_marker(char c) {
    return c == ' ' || c == '+' || c == '$';
}

} // namespace

std::array<OptionsChartRow, NTYPES> options_chart() {
    std::array<OptionsChartRow, NTYPES> rows{};
    for (int t = 0; t < NTYPES; ++t) {
        const std::string_view full = catalogue[static_cast<std::size_t>(t)].name;
        std::string_view name = full;
        while (!name.empty() && is_marker(name.back()))
            name.remove_suffix(1);
        const std::string_view markers = full.substr(name.size());
        rows[static_cast<std::size_t>(t)] = {t, name, markers.find('+') != std::string_view::npos,
                                             markers.find('$') != std::string_view::npos};
    }
    return rows;
}

} // namespace morv::app
