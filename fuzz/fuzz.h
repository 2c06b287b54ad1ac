#pragma once

// What the fuzz targets share. On Linux the pure code's text service is Latin-1 for the code page
// ("?" for the rest) with the C library's upper case; the references use the same, so they judge
// the code's logic.

#include <cstdlib>
#include <cwctype>
#include <iostream>

#include "platform/platform.h"

namespace fuzz {

struct Latin1 final : platform::Text {
  std::string ToAnsi(std::wstring_view text) override {
    std::string bytes;
    for (const wchar_t c : text) {
      bytes += c >= 0 && c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return bytes;
  }
  std::wstring FromAnsi(std::string_view bytes) override { return {bytes.begin(), bytes.end()}; }
  std::wstring UpperCase(std::wstring_view text) override {
    std::wstring upper(text);
    for (wchar_t& c : upper) {
      c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    }
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
