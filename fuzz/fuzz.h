#pragma once

// What the fuzz targets share. On Linux the pure code's text service is Latin-1 for the code page
// (nothing else converts) with the C library's upper case; the references use the same, so they
// judge the code's logic.

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <iostream>

#include "platform/platform.h"

namespace fuzz {

struct Latin1 final : platform::Text {
  std::optional<std::string> ToAnsi(std::wstring_view text) override {
    const auto outside = [](wchar_t c) { return c < 0 || c > 0xFF; };
    return std::any_of(text.begin(), text.end(), outside)
               ? std::nullopt
               : std::optional<std::string>(std::in_place, text.begin(), text.end());
  }
  std::wstring FromAnsi(std::string_view bytes) override { return {bytes.begin(), bytes.end()}; }
  std::wstring UpperCase(std::wstring_view text) override {
    std::wstring upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), std::towupper);
    return upper;
  }
};

/// The fuzzer's bytes as text, with Latin-1 installed as the platform's text service. Bytes below
/// 0xFF are the characters of those codes; 0xFF and the two bytes after it make any other character
/// of the basic plane.
inline std::wstring Decode(const unsigned char* data, std::size_t size) {
  static Latin1 text;
  platform::Install({.text = &text});
  std::wstring decoded;
  for (std::size_t i = 0; i < size; ++i) {
    const bool wide = data[i] == 0xFF && i + 2 < size;
    decoded += static_cast<wchar_t>(wide ? data[i + 1] << 8 | data[i + 2] : data[i]);
    i += wide ? 2 : 0;
  }
  return decoded;
}

/// Ends the run as a finding, naming the property, when `holds` is false.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::cerr << "violated: " << property << '\n';
    std::abort();
  }
}

}  // namespace fuzz
