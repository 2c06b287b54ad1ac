#include "fake/fake_random.h"

#include <cmath>

namespace fake {

void FakeRandom::Seed(double seed) {
  seeds_.push_back(seed);
  seed_ = seed;
  drawn_ = 0;
}

double FakeRandom::Next() {
  if (!script_.empty()) {
    const double fraction = script_.front();
    script_.pop_front();
    return fraction;
  }
  // Multiples of the golden ratio's fraction: spread over [0, 1), and a seed one apart starts
  // elsewhere.
  ++drawn_;
  double whole = 0;
  return std::modf((seed_ + drawn_) * 0.6180339887498949, &whole);
}

void FakeRandom::Script(const std::vector<double>& fractions) {
  script_.insert(script_.end(), fractions.begin(), fractions.end());
}

}  // namespace fake
