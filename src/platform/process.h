#pragma once

#include <string>

namespace platform {

/// What the process knows of its own start.
class Process {
 public:
  virtual ~Process() = default;
  /// GetCommandLineW: the whole command line, the program's name first.
  virtual std::wstring CommandLine() = 0;
  /// The folder of the program's own executable file, without a trailing "\".
  virtual std::wstring ProgramFolder() = 0;
};

}  // namespace platform
