#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// The shell's execute call.
class Shell {
 public:
  virtual ~Shell() = default;
  /// ShellExecuteA(owner 0, verb, file, parameters, folder, show), COM initialised first. Returns
  /// the shell's result as INT_PTR: above 32 accepted, 0 to 32 its error code.
  virtual std::intptr_t Execute(const std::string& verb, const std::string& file,
                                const std::string& parameters, const std::string& folder,
                                int show) = 0;
};

}  // namespace platform
