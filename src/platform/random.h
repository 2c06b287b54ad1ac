#pragma once

namespace platform {

/// The process's clock and its one pseudo-random generator.
class Random {
 public:
  virtual ~Random() = default;
  /// Local time of day in seconds since midnight, with the milliseconds as fraction.
  virtual double SecondsSinceMidnight() = 0;
  /// Restarts the generator from `seed`.
  virtual void Seed(double seed) = 0;
  /// The next fraction, 0 <= f < 1.
  virtual double Next() = 0;
};

}  // namespace platform
