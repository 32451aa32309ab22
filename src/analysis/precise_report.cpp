// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/precise_report.h"

#include <cmath>
#include <cstdio>

namespace morv {

namespace {

std::string number(const char* format, double v) {
    if (!std::isfinite(v)) return "n/a";
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// JSON has no NaN: an unknown value is null.
std::string json_number(double v) {
    return std::isfinite(v) ? number("%.10g", v) : "null";
}

std::string json_string(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out + "\"";
}

// "l1 +- e1, l2 +- e2" with every exponent multiplied by `scale`.
std::string exponent_list(const Spectrum& s, double scale) {
    std::string out;
    for (std::size_t k = 0; k < static_cast<std::size_t>(s.dim); ++k) {
        if (k > 0) out += ", ";
        out +=
            number("%.6f", s.exponents[k] * scale) + " +- " + number("%.6f", s.errors[k] * scale);
    }
    return out;
}

std::string json_list(const Spectrum& s, const std::array<double, 3>& values) {
    std::string out = "[";
    for (std::size_t k = 0; k < static_cast<std::size_t>(s.dim); ++k)
        out += (k > 0 ? "," : "") + json_number(values[k]);
    return out + "]";
}

// The quick screening figures in bits, or null where there are none.
std::string estimate_json(const std::optional<ChaosMeasure>& estimate) {
    if (!estimate) return "null";
    return "{\"lexp_bits\":" + json_number(estimate->lexp) +
           ",\"fd\":" + json_number(estimate->fd) + "}";
}

} // namespace

std::string precise_text(const PreciseMeasure& m) {
    const Spectrum& s = m.spectrum;
    std::string out = "Lyapunov exponents (nats per step): " + exponent_list(s, 1.0) + "\n";
    out += "Lyapunov exponents (bits per step): " + exponent_list(s, kBitsPerNat) + "\n";
    if (s.time_step > 0)
        out += "Lyapunov exponents (per unit time, Euler step " + number("%g", s.time_step) +
               "): " + exponent_list(s, 1.0 / s.time_step) + "\n";
    out += "Kaplan-Yorke dimension: " + number("%.4f", m.kaplan_yorke.value) + " +- " +
           number("%.4f", m.kaplan_yorke.error) + "\n";
    if (m.flow.dim > 0) {
        out += "Lyapunov exponents of the flow itself (per unit time, Runge-Kutta step " +
               number("%g", m.flow.time_step) +
               "): " + exponent_list(m.flow, 1.0 / m.flow.time_step) + "\n";
        out += "Kaplan-Yorke dimension of the flow itself: " +
               number("%.4f", m.flow_kaplan_yorke.value) + " +- " +
               number("%.4f", m.flow_kaplan_yorke.error) + "\n";
    }
    const CorrelationDimension& c = m.correlation;
    if (c.failure.empty())
        out += "Correlation dimension: " + number("%.4f", c.value) + " +- " +
               number("%.4f", c.error) + " (scaling region r = " + number("%.3g", c.r_low) +
               " .. " + number("%.3g", c.r_high) + ")\n";
    else
        out += "Correlation dimension: not measured: " + c.failure + "\n";
    out += "Steps: " + std::to_string(s.steps) + " after " + std::to_string(s.transient) +
           " skipped\n";
    return out;
}

std::string precise_json(int type, const PreciseMeasure& m,
                         const std::optional<ChaosMeasure>& estimate) {
    const Spectrum& s = m.spectrum;
    const bool correlated = m.correlation.failure.empty();
    std::string out = "{\"type\":" + std::to_string(type);
    out += ",\"lyapunov\":" + json_list(s, s.exponents);
    out += ",\"lyapunov_error\":" + json_list(s, s.errors);
    out += ",\"units\":\"nats per step\"";
    out += ",\"kaplan_yorke\":" + json_number(m.kaplan_yorke.value);
    out += ",\"correlation_dimension\":" + (correlated ? json_number(m.correlation.value) : "null");
    out += ",\"correlation_dimension_error\":" +
           (correlated ? json_number(m.correlation.error) : "null");
    out += ",\"steps\":" + std::to_string(s.steps);
    if (s.time_step > 0) out += ",\"time_step\":" + json_number(s.time_step);
    if (m.flow.dim > 0) {
        std::array<double, 3> per_time{};
        for (std::size_t k = 0; k < 3; ++k)
            per_time[k] = m.flow.exponents[k] / m.flow.time_step;
        out += ",\"flow_lyapunov_per_time\":" + json_list(m.flow, per_time);
        out += ",\"flow_kaplan_yorke\":" + json_number(m.flow_kaplan_yorke.value);
    }
    out += ",\"estimate\":" + estimate_json(estimate);
    return out + "}\n";
}

std::string search_json(int type, const TypeParams& set, const Spectrum& s, const Measured& ky,
                        int candidates, const std::optional<ChaosMeasure>& estimate) {
    std::string out = "{\"type\":" + std::to_string(type);
    const std::pair<const char*, double> coefficients[] = {
        {"a", set.a}, {"b", set.b}, {"c", set.c}, {"d", set.d}, {"sp0", set.sp0}, {"sp1", set.sp1}};
    for (const auto& [name, value] : coefficients)
        out += ",\"" + std::string(name) + "\":" + json_number(value);
    out += ",\"lyapunov\":" + json_list(s, s.exponents);
    out += ",\"lyapunov_error\":" + json_list(s, s.errors);
    out += ",\"units\":\"nats per step\"";
    out += ",\"kaplan_yorke\":" + (s.dim > 0 ? json_number(ky.value) : "null");
    out += ",\"steps\":" + std::to_string(s.steps);
    out += ",\"candidates\":" + (candidates > 0 ? std::to_string(candidates) : "null");
    out += ",\"estimate\":" + estimate_json(estimate);
    return out + "}\n";
}

std::string refusal_json(int type, const std::string& why) {
    return "{\"type\":" + std::to_string(type) + ",\"refused\":" + json_string(why) + "}\n";
}

} // namespace morv
