#include <windows.h>

#include <bit>
#include <cstdint>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// A 64-bit linear congruential generator (Knuth's MMIX constants); fractions come from its high
// bits, the well-mixed ones.
class Win32Random final : public Random {
 public:
  double SecondsSinceMidnight() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
  }

  void Seed(double seed) override { state_ = std::bit_cast<std::uint64_t>(seed); }

  double Next() override {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) * 0x1.0p-53;
  }

 private:
  std::uint64_t state_ = 0;
};

}  // namespace

Random& TheRandom() {
  static Win32Random random;
  return random;
}

}  // namespace platform::win32
