// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arg_text.h"

namespace morv {

bool looks_like_option(const char* word) {
    return word[0] == '-' && word[1] != '\0' && !(word[1] >= '0' && word[1] <= '9') &&
           word[1] != '.';
}

} // namespace morv
