// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/messages.h"

#include "color/filters.h"

namespace morv {

const char* filter_result_text(int code) {
    switch (code) {
    case kFilterDone:
        return "filter applied";
    case kFilterTooFewIterations:
        return "fewer than 1000 iterations were rendered";
    case kFilterNotHitCount:
        return "the colouring method is not Hit Count";
    case kFilterNoMemory:
        return kFilterNoMemoryText;
    case kFilterNoBuffer:
        return "there is no hit-count buffer for this image";
    default:
        return "unknown filter result";
    }
}

} // namespace morv
