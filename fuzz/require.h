#pragma once

#include <cstdlib>
#include <iostream>

namespace fuzz {

/// Ends the run as a finding, naming the property, when `holds` is false.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::cerr << "violated: " << property << '\n';
    std::abort();
  }
}

}  // namespace fuzz
