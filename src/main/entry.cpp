// The Windows entry point: the composition root. MinGW's start-up calls main in a GUI program too.
#include "main/cls_main.h"
#include "platform/win32/win32_platform.h"

int main() {
  platform::InstallWin32();
  cls_Main::Main();
  return 0;
}
