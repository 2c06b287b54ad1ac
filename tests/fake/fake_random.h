#pragma once

#include <cmath>
#include <deque>
#include <vector>

#include "platform/random.h"

namespace fake {

/// A clock set by the test and a generator that answers from a script, then from a sequence that
/// each seed determines.
class FakeRandom : public platform::Random {
 public:
  double SecondsSinceMidnight() override { return clock_; }
  void Seed(double seed) override {
    seeds_.push_back(seed);
    drawn_ = seed;
  }
  // Multiples of the golden ratio's fraction: spread over [0, 1), and each seed starts elsewhere.
  double Next() override {
    if (script_.empty()) {
      double whole = 0;
      return std::modf(++drawn_ * 0.6180339887498949, &whole);
    }
    const double fraction = script_.front();
    script_.pop_front();
    return fraction;
  }

  /// Sets the time of day that SecondsSinceMidnight gives.
  void SetClock(double seconds) { clock_ = seconds; }
  /// Queues fractions for Next to give before its own sequence.
  void Script(const std::vector<double>& fractions) {
    script_.insert(script_.end(), fractions.begin(), fractions.end());
  }
  /// Every seed given, in order.
  const std::vector<double>& Seeds() const { return seeds_; }

 private:
  double clock_ = 0;
  double drawn_ = 0;
  std::deque<double> script_;
  std::vector<double> seeds_;
};

}  // namespace fake
