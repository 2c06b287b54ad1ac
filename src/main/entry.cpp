// The Windows entry point: the composition root. MinGW's start-up calls main in a GUI program too.
#include <cstdlib>

#include "main/cls_main.h"
#include "platform/win32/win32_platform.h"

// A GUI program has no console to print an uncaught exception's name to, so the standard
// library's verbose handler (and the demangler it drags in) would only add weight: just end.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx

int main() {
  platform::InstallWin32();
  cls_Main::Main();
  return 0;
}
