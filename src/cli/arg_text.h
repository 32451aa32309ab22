// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/parse.h"

namespace morv {

// The next word is an option, not a value, unless it is a number ("--seed
// -5"); a file whose name starts with '-' can be given as "./-name".
bool looks_like_option(const char* word);

} // namespace morv
