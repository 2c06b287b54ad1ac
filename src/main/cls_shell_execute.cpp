#include "main/cls_shell_execute.h"

#include "platform/ansi.h"

namespace {
constexpr int kShowNormal = 1;
constexpr std::intptr_t kLastErrorCode = 32;
// The shell answers 0 when it runs out of memory or resources; that is no success.
constexpr int kOutOfMemory = 8;
// The shell's "file not found": what a command that the code page cannot spell names.
constexpr int kNotFound = 2;
}  // namespace

int cls_ShellExecute::fi_Run(const std::wstring& as_Command) {
  // A character the code page lacks would reach the shell as "?" or a look-alike, and a NUL would
  // cut the command short: either would open something else.
  const auto file = platform::Ansi(as_Command);
  if (!file || file->find('\0') != std::string::npos) {
    return kNotFound;
  }
  const std::intptr_t result =
      platform::Current().shell->Execute("open", *file, "", "", kShowNormal);
  if (result > kLastErrorCode) {
    return 0;
  }
  return result == 0 ? kOutOfMemory : static_cast<int>(result);
}
