#pragma once

// Runs an event handler so that no failure leaves it: an exception (an overflow, a text that
// is no number) ends the handler quietly, with the controls as far as they were written.

#include <utility>

namespace mapsheet::window_common {

template <class Handler>
void RunGuarded(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        // Deliberately silent: the window shows no message for a failed action.
    }
}

// Counts a nested activity for the life of the guard (the window's own writes into its boxes).
class ScopedCount {
  public:
    explicit ScopedCount(int& count) : count_(count) { ++count_; }
    ~ScopedCount() { --count_; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;

  private:
    int& count_;
};

}  // namespace mapsheet::window_common
