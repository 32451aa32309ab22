// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/search_steering.h"

#include "analysis/lyapunov.h"
#include "app/app_state.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/forms/field_text.h"
#include "core/catalogue.h"
#include "core/parse.h"
#include "formulas/tangent_models.h"

#include <array>
#include <cmath>

namespace morv::app {

namespace {

using K = ControlKind;

constexpr int kMeasureGroup = 1400;
constexpr int kFreezeGroup = 1401;
constexpr int kSpreadGroup = 1402;

constexpr std::array kControls{
    Control{K::Group, kMeasureGroup, "   Accept a set whose measures lie in   ", 0, 0, 0},
    Control{K::Check, kSteerLargestOn, "largest exponent (nats per step)", kMeasureGroup, 0, 0},
    Control{K::Edit, kSteerLargestOn + 1, "", kMeasureGroup, 0, 1},
    Control{K::Label, kNoId, "to", kMeasureGroup, 0, 2},
    Control{K::Edit, kSteerLargestOn + 2, "", kMeasureGroup, 0, 3},
    Control{K::Check, kSteerKyOn, "Kaplan-Yorke dimension", kMeasureGroup, 1, 0},
    Control{K::Edit, kSteerKyOn + 1, "", kMeasureGroup, 1, 1},
    Control{K::Label, kNoId, "to", kMeasureGroup, 1, 2},
    Control{K::Edit, kSteerKyOn + 2, "", kMeasureGroup, 1, 3},
    Control{K::Group, kFreezeGroup, "   Keep these coefficients as they are   ", 0, 1, 0},
    Control{K::Check, kSteerFrozen, "a", kFreezeGroup, 0, 0},
    Control{K::Check, kSteerFrozen + 1, "b", kFreezeGroup, 0, 1},
    Control{K::Check, kSteerFrozen + 2, "c", kFreezeGroup, 0, 2},
    Control{K::Check, kSteerFrozen + 3, "d", kFreezeGroup, 0, 3},
    Control{K::Check, kSteerFrozen + 4, "sp0", kFreezeGroup, 0, 4},
    Control{K::Check, kSteerFrozen + 5, "sp1", kFreezeGroup, 0, 5},
    Control{K::Group, kSpreadGroup, "   Draw near the current set   ", 0, 2, 0},
    Control{K::Label, kNoId, "within percent of each range (empty: the whole range)", kSpreadGroup,
            0, 0},
    Control{K::Edit, kSteerSpread, "", kSpreadGroup, 0, 1},
    Control{K::Label, kNoId,
            "With nothing set, F5 and the gallery search by the program's own rule.\nThe "
            "measures are worked out by Benettin's method over 100,000 steps.",
            0, 3, 0},
};
constexpr DialogSpec kSpec{1400, "Random Search Options", kControls};

constexpr int kShownDecimals = 6;

void show_range(const std::optional<Range>& r, Fields& f, int on) {
    f.checked[on] = r.has_value();
    f.text[on + 1] = r ? show_fixed(r->low, kShownDecimals) : std::string();
    f.text[on + 2] = r ? show_fixed(r->high, kShownDecimals) : std::string();
}

// Nothing when the box is clear; a message when its numbers are no range.
std::optional<std::string> read_range(const Fields& f, int on, const char* what,
                                      std::optional<Range>& out) {
    out.reset();
    if (!f.is_checked(on)) return std::nullopt;
    Range r;
    if (!parse_double(std::string(f.text_of(on + 1)), r.low) ||
        !parse_double(std::string(f.text_of(on + 2)), r.high) || !std::isfinite(r.low) ||
        !std::isfinite(r.high) || r.low > r.high)
        return std::string("The ") + what + " needs two numbers, the first not above the second.";
    out = r;
    return std::nullopt;
}

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

const DialogSpec& SteeringForm::description() const {
    return kSpec;
}

Fields SteeringForm::open(const Params&, const AppState& app) {
    Fields f;
    show_range(app.steering.largest_exponent, f, kSteerLargestOn);
    show_range(app.steering.kaplan_yorke, f, kSteerKyOn);
    for (std::size_t k = 0; k < app.steering.frozen.size(); ++k)
        f.checked[kSteerFrozen + static_cast<int>(k)] = app.steering.frozen[k];
    const auto& spread = app.steering.spread_percent;
    f.text[kSteerSpread] = spread ? show_fixed(*spread, 2) : std::string();
    return f;
}

// Nothing changes until every field reads.
FormOutcome SteeringForm::ok(Instance& s, const Fields& f) {
    SearchSteering steer;
    std::optional<std::string> fault =
        read_range(f, kSteerLargestOn, "range of the largest exponent", steer.largest_exponent);
    if (!fault) fault = read_range(f, kSteerKyOn, "Kaplan-Yorke range", steer.kaplan_yorke);
    if (!fault && !read_spread(std::string(f.text_of(kSteerSpread)), steer.spread_percent))
        fault = "The percentage must be above 0 and at most 100, or empty for the whole range.";
    if (fault)
        return FormOutcome{false, {Message{Message::Kind::Warn, "Random Search Options", *fault}}};
    for (std::size_t k = 0; k < steer.frozen.size(); ++k)
        steer.frozen[k] = f.is_checked(kSteerFrozen + static_cast<int>(k));
    s.steering = steer;
    return {};
}

bool read_spread(const std::string& text, std::optional<double>& out) {
    if (blank(text)) {
        out.reset();
        return true;
    }
    double p = 0;
    if (!parse_double(text, p) || !(p > 0 && p <= 100)) return false;
    out = p;
    return true;
}

void steered_random_parameters(Instance& s, Ui& ui) {
    ui.host.set_cursor(Cursor::Wait);
    const SteeredResult r = steered_search(s, s.steering, tangent_models);
    ui.host.set_cursor(Cursor::Cross);
    if (r.code == kRandomNotFound) {
        s.search_note =
            "the steered search accepted none of " + std::to_string(r.candidates) + " candidates";
        return;
    }
    if (r.code != kRandomAccepted) {
        const std::string why = spectrum_refusal(s, tangent_models);
        s.search_note = std::string(type_label(s.type)) +
                        " cannot be steered: " + (why.empty() ? "no random search" : why);
        return;
    }
    s.search_note.clear();
    if (const auto m = lyapunov(s)) s.chaos = *m;
    s.rendering = false;
    s.fresh_image = true;
    post_command(s, kCmdRender);
}

} // namespace morv::app
