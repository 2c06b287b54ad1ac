#pragma once

#include <string>

/// Asks the shell to open a document, program or URL.
class cls_ShellExecute {
 public:
  /// 0 when the shell accepted the request, else the shell's error code (1 to 32).
  int fi_Run(const std::wstring& as_Command);
};
