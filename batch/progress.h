#pragma once

// How far a long run has come, told to whoever listens: a front end that shows it (the CLI's
// line on a terminal) or nobody.
//
// A run counts the units it has finished (rows written, sheets written) and tells the listener
// the count so far, with the total when the run knew it before it began (a cover counts its
// sheets before it writes them). The calls come in order from the thread that writes the
// output, and the count never falls. A run that nobody listens to pays one test of an empty
// function per count: nothing is measured or formatted here.

#include <cstdint>
#include <functional>
#include <utility>

namespace mapsheet::batch {

struct ProgressCount {
    std::uint64_t done = 0;
    std::uint64_t total = 0;  // 0 when the run did not know it beforehand
};

using ProgressListener = std::function<void(const ProgressCount&)>;

// The count of one run, told to its listener (which may be empty) at each step.
class ProgressCounter {
  public:
    explicit ProgressCounter(ProgressListener listener = {}, std::uint64_t total = 0)
        : listener_(std::move(listener)), count_{0, total} {}

    void add(std::uint64_t units = 1) {
        if (listener_) {
            count_.done += units;
            listener_(count_);
        }
    }

  private:
    ProgressListener listener_;
    ProgressCount count_;
};

}  // namespace mapsheet::batch
