// SPDX-License-Identifier: GPL-3.0-or-later
// The settings table walked through --set: every row takes the values at its
// limits and refuses those just past them, naming the field.
#include "cli/set_values.h"
#include "core/settings.h"
#include "core/state.h"
#include "files/record_check.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace morv {
namespace {

std::string shortest(double v) {
    char buf[32];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// The text of a value of the row's kind; `beyond` steps past it, away from
// the limits.
std::string value_text(const Setting& row, double v, double beyond) {
    if (row.kind == SettingKind::Real)
        return shortest(beyond == 0 ? v : std::nextafter(v, beyond * HUGE_VAL));
    const long long n = static_cast<long long>(v + beyond);
    if (row.kind != SettingKind::Colour) return std::to_string(n);
    return std::to_string(n) + ",0,0";
}

// Whatever refuses it, --set at once or the check once all values are in.
std::optional<std::string> refusal(Params& s, const Setting& row, const std::string& name,
                                   const std::string& text) {
    if (auto e = set_state_value(s, name, text)) return e;
    return check_setting(row, s);
}

TEST(SettingsTable, EveryRowTakesItsLimitsAndRefusesPastThemByName) {
    int walked = 0;
    for (const Setting& row : kSettings) {
        if (row.field.write == nullptr) continue;
        const int types = row.limits_of_type != nullptr || row.rule != nullptr ? NTYPES : 1;
        for (int type = 0; type < types; ++type) {
            Params start;
            start.type = type;
            const Limits l = limits_for(row, type);
            for (int i : {0, family_size(row) - 1}) {
                const std::string name = setting_name(row, i);
                SCOPED_TRACE(name + " of type " + std::to_string(type));
                for (const auto& [at, past] : {std::pair{l.lo, -1.0}, std::pair{l.hi, 1.0}}) {
                    Params s = start;
                    const std::string inside = value_text(row, at, 0);
                    if (row.rule != nullptr && !row.rule(s, at).empty()) continue;
                    EXPECT_EQ(refusal(s, row, name, inside), std::nullopt) << inside;
                    EXPECT_EQ(row.field.read(s, i), at); // a colour as its red
                    s = start;
                    const std::string outside = value_text(row, at, past);
                    const auto why = refusal(s, row, name, outside);
                    ASSERT_TRUE(why.has_value()) << outside;
                    EXPECT_NE(why->find(name), std::string::npos) << *why;
                    ++walked;
                }
            }
        }
    }
    EXPECT_GT(walked, 500);
}

// What setting_text writes, set_setting reads back to the same state: values
// with many digits, every type, follow-ups included.
TEST(SettingsTable, EverySettingsTextReadsBackToTheSameValue) {
    for (int type = 0; type < NTYPES; ++type) {
        Params written;
        written.type = type;
        for (const Setting& row : kSettings) {
            if (row.field.write == nullptr) continue;
            const Limits l = limits_for(row, type);
            const double v = row.kind == SettingKind::Real ? l.lo + (l.hi - l.lo) / 3 : l.hi;
            for (int i = 0; i < family_size(row); ++i)
                set_setting(written, setting_name(row, i), value_text(row, v, 0));
        }
        Params read;
        read.type = type;
        for (const Setting& row : kSettings)
            for (int i = 0; row.field.write != nullptr && i < family_size(row); ++i)
                EXPECT_EQ(set_setting(read, setting_name(row, i), setting_text(row, written, i)),
                          std::nullopt);
        EXPECT_TRUE(read == written) << "type " << type;
    }
    Params s;
    ASSERT_EQ(set_state_value(s, "rotationorder", "ZXY"), std::nullopt);
    EXPECT_EQ(s.rotationorder, 4);
}

// A coefficient the type does not have is named as such, not as a range.
TEST(SettingsTable, AValueATypeDoesNotHaveIsRefusedAsSuch) {
    Params s;
    ASSERT_EQ(set_state_value(s, "p.a", "1.4"), std::nullopt);
    EXPECT_EQ(check_settings(s), "p.a is 1.4; Henon has no p.a, it stays 0");
}

TEST(SettingsTable, ColouringOptionsChooseTheirTypesMethod) {
    const struct {
        const char* name;
        int type, on, off;
    } cases[] = {{"scmode", kTypeSierpinski, kMethodHitCount, kMethodSelf},
                 {"ifscmode", kTypeIfs, kMethodHitCount, kMethodSelf},
                 {"basinflag", kTypeBasin, kMethodSpeedPoints, kMethodSelf}};
    for (const auto& c : cases) {
        Params s;
        ASSERT_EQ(set_state_value(s, c.name, "1"), std::nullopt);
        EXPECT_EQ(s.method[c.type], c.on) << c.name;
        ASSERT_EQ(set_state_value(s, c.name, "0"), std::nullopt);
        EXPECT_EQ(s.method[c.type], c.off) << c.name;
    }
}

} // namespace
} // namespace morv
