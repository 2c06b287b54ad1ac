#pragma once

#include <string>
#include <string_view>

namespace fake {

/// `text` with its ASCII letters upper-cased: how the registry and the file system compare names.
inline std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return upper;
}

}  // namespace fake
