// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/random.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/handlers.h"
#include "app/messages.h"
#include "app/search_steering.h"
#include "color/filters.h"

#include <string>

namespace morv::app {

namespace {

void advise_once(Ui& ui, int& flag, const char* caption, const char* text) {
    if (!flag) return;
    ui.prompts.inform(caption, text);
    flag = 0;
}

} // namespace

// The menu item's state is only renewed at a pause, so the type may have
// changed since: a type without random parameters never reaches the search.
void random_parameters(Instance& s, Ui& ui) {
    if (!random_search_offered(s)) return;
    advise_once(ui, s.advisory, kRandomAdvisoryCaption, kRandomAdvisoryText);
    if (s.steering.steered()) {
        steered_random_parameters(s, ui);
        return;
    }
    ui.host.set_cursor(Cursor::Wait);
    // In the parameter display mode every accepted set is shown for confirmation.
    ConfirmFn confirm;
    if (s.debugflag)
        confirm = [&ui](const std::string& text) {
            return ui.prompts.ask(kRandomConfirmCaption, text);
        };
    const RandomResult r = randomparams(s, s.chaos, confirm);
    s.chaos = r.measure;
    ui.host.set_cursor(Cursor::Cross);
    if (r.code == kRandomNotFound) ui.prompts.warn(kRandomNotFoundCaption, kRandomNotFoundText);
    if (r.code != kRandomAccepted) return;
    s.rendering = false;
    s.fresh_image = true;
    post_command(s, kCmdRender);
}

namespace {

// A filter command's name as a recipe keeps it.
std::string filter_name(int id) {
    switch (id) {
    case kCmdNormalize:
        return "normalize";
    case kCmdEqualize:
        return "equalize";
    case kCmdLog:
        return "log";
    default:
        return "logsquare";
    }
}

} // namespace

// Only on a hit count of the current image size.
void run_filter(Instance& s, Ui& ui, int id) {
    if (s.hcres != s.res) return;
    switch (id) {
    case kCmdNormalize:
        advise_once(ui, s.nadvisory, kNormalizeAdvisoryCaption, kNormalizeAdvisoryText);
        normalize(s);
        break;
    case kCmdEqualize: {
        advise_once(ui, s.eadvisory, kEqualizeAdvisoryCaption, kEqualizeAdvisoryText);
        ui.host.set_cursor(Cursor::Wait);
        const int rc = equalize(s);
        ui.host.set_cursor(Cursor::Cross);
        if (rc == kFilterNoMemory) {
            ui.prompts.warn(kEqualizeMemoryCaption, kEqualizeMemoryText);
            ui.host.flush();
            return; // the picture is as it was
        }
        break;
    }
    case kCmdLog:
    case kCmdLogSquared:
        // The two log filters share one advisory.
        advise_once(ui, s.logadvisory, kLogAdvisoryCaption, kLogAdvisoryText);
        if (id == kCmdLog)
            logplain(s);
        else
            logadjust(s);
        break;
    default:
        ui.host.flush();
        return;
    }
    // The filter rewrote the picture as it stands; a saved image names it
    // until the image draws on.
    s.applied_filter = filter_name(id);
    s.filter_calls = s.image_calls;
    ui.host.flush();
}

} // namespace morv::app
