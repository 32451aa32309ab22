// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <any>
#include <utility>

namespace morv {

// What the step functions keep between calls, held for them without the engine
// knowing its type. One object per instance, made on first use and kept for the
// instance's life; copies of an instance get copies of it.
class StepScratch {
  public:
    StepScratch() = default;
    StepScratch(const StepScratch& o) : held_(o.held_) {}
    StepScratch(StepScratch&& o) noexcept : held_(std::move(o.held_)) { o.cached_ = nullptr; }
    StepScratch& operator=(const StepScratch& o) {
        held_ = o.held_;
        cached_ = nullptr;
        return *this;
    }
    StepScratch& operator=(StepScratch&& o) noexcept {
        held_ = std::move(o.held_);
        cached_ = nullptr;
        o.cached_ = nullptr;
        return *this;
    }

    // The object of type T; the first call makes it. Steps call this on every
    // iteration, so the found object is remembered.
    template <typename T> T& get() {
        if (cached_ == nullptr) {
            if (!held_.has_value()) held_.emplace<T>();
            cached_ = std::any_cast<T>(&held_);
        }
        return *static_cast<T*>(cached_);
    }

    // The object a non-const get() has made; for helpers that only read it.
    template <typename T> const T& get() const {
        return *static_cast<const T*>(cached_ != nullptr ? cached_ : std::any_cast<T>(&held_));
    }

  private:
    std::any held_;
    void* cached_ = nullptr;
};

} // namespace morv
