#pragma once

#include <string>

namespace util {

/// `n` in decimal digits, with a leading "-" when negative.
inline std::wstring Decimal(long long n) {
  // Written out by hand: std::to_wstring goes through the C library's formatted output, which
  // weighs more than the rest of the program.
  unsigned long long magnitude =
      n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (n < 0) {
    digits.insert(digits.begin(), L'-');
  }
  return digits;
}

}  // namespace util
