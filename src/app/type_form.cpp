#include "app/type_form.h"

#include "core/state.h"

namespace morv::app {

TypeForm TypeForm::load(const State& s) {
    TypeForm f;
    if (valid_type(s.type)) f.checked[static_cast<std::size_t>(s.type)] = true;
    return f;
}

void TypeForm::apply(State& s) const {
    for (int i = 0; i < NTYPES; ++i) {
        if (checked[static_cast<std::size_t>(i)]) {
            s.type = i;
            return;
        }
    }
}

std::string_view TypeForm::label(int type) {
    return catalogue[static_cast<std::size_t>(type)].name;
}

TypeForm::Place TypeForm::place(int type) {
    const int group = type < kTypesInFirstGroup ? 0 : 1;
    const int first = group == 0 ? 0 : kTypesInFirstGroup;
    const int size = group == 0 ? kTypesInFirstGroup : NTYPES - kTypesInFirstGroup;
    const int half = (size + 1) / 2;
    const int k = type - first;
    return Place{group, k < half ? 0 : 1, k < half ? k : k - half};
}

} // namespace morv::app
