#pragma once

#include <deque>
#include <vector>

#include "platform/random.h"

namespace fake {

/// A clock set by the test and a generator that answers from a script, then from a sequence that
/// each seed determines.
class FakeRandom : public platform::Random {
 public:
  double SecondsSinceMidnight() override { return clock_; }
  void Seed(double seed) override;
  double Next() override;

  /// Sets the time of day that SecondsSinceMidnight gives.
  void SetClock(double seconds) { clock_ = seconds; }
  /// Queues fractions for Next to give before its own sequence.
  void Script(const std::vector<double>& fractions);
  /// Every seed given, in order.
  const std::vector<double>& Seeds() const { return seeds_; }

 private:
  double clock_ = 0;
  std::deque<double> script_;
  std::vector<double> seeds_;
  double seed_ = 0;
  int drawn_ = 0;
};

}  // namespace fake
