// The Windows entry point: the composition root. MinGW's start-up calls main in a GUI program too.
#include <bits/functexcept.h>

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

// The standard library's throw helpers make exception objects that carry messages, and with them
// pull in its copy-on-write string, its stream of exception classes and their messages, a third of
// the program. Nothing catches them here: ending at once is what an uncaught exception does.
// clang-format off
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std
// clang-format on

int main() {
  platform::InstallWin32();
  cls_Main::Main();
  return 0;
}
