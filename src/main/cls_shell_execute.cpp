#include "main/cls_shell_execute.h"

#include "platform/ansi.h"

namespace {
constexpr int kShowNormal = 1;
constexpr std::intptr_t kLastErrorCode = 32;
// The shell answers 0 when it runs out of memory or resources; that is no success.
constexpr int kOutOfMemory = 8;
}  // namespace

int cls_ShellExecute::fi_Run(const std::wstring& as_Command) {
  const std::string file = platform::Ansi(as_Command);
  // Only a failed conversion turns a command into nothing, and the shell must not be asked to open
  // nothing: that is a failure for want of memory, as the shell's own 0 is.
  if (file.empty() && !as_Command.empty()) {
    return kOutOfMemory;
  }
  const std::intptr_t result =
      platform::Current().shell->Execute("open", file, "", "", kShowNormal);
  if (result > kLastErrorCode) {
    return 0;
  }
  return result == 0 ? kOutOfMemory : static_cast<int>(result);
}
