// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morv {

struct Params;

// The hit-count filters a picture may have been finished with, by the names
// morvane-render's --filter takes; "" for none.
inline constexpr std::string_view kRecipeFilters[] = {"", "normalize", "equalize", "log",
                                                      "logsquare"};

// What a picture depends on beside its parameter set: how it was drawn.
struct RecipeRun {
    int res = 600;                    // the picture's side
    std::string filter;               // one of kRecipeFilters
    long long calls = -1;             // render-driver calls; -1 when not known
    std::optional<std::int64_t> seed; // the clock every "seed from the clock" read
    long long orbits = 1;             // independent orbits sharing the calls
    bool fast = false;                // the orbits drawn in vector lanes (not the same bytes)
    bool operator==(const RecipeRun&) const = default;
};

inline constexpr std::uint32_t kRecipeVersion = 1;

// The clock values a run (or an image of the desktop program) read. When
// they were all one value, that value reproduces every "seed from the clock"
// of the run, and is saved as its seed.
class ClockLog {
  public:
    std::int64_t note(std::int64_t v) {
        if (!first_)
            first_ = v;
        else if (*first_ != v)
            varied_ = true;
        return v;
    }
    void reset() { *this = ClockLog{}; }
    std::optional<std::int64_t> seed() const { return varied_ ? std::nullopt : first_; }

  private:
    std::optional<std::int64_t> first_;
    bool varied_ = false;
};

// The recipe chunk's bytes (docs/png-recipe.md): every setting of `ps` by its
// name, its palette and `run`, bound to the record and view bytes it travels
// with by their checksum.
std::vector<std::uint8_t> encode_recipe(const Params& ps, const RecipeRun& run,
                                        std::span<const std::uint8_t> record,
                                        std::span<const std::uint8_t> view);

// Reads a recipe into `ps`, which already holds the record and view it came
// with, and `run`. All or nothing: on a refusal returns why, and neither is
// changed; the settings are checked as --set values are.
std::optional<std::string> apply_recipe(Params& ps, RecipeRun& run,
                                        std::span<const std::uint8_t> bytes,
                                        std::span<const std::uint8_t> record,
                                        std::span<const std::uint8_t> view);

} // namespace morv
