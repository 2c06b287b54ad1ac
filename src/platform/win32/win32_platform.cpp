#include "platform/win32/win32_platform.h"

#include "platform/win32/win32_parts.h"

namespace platform {

void InstallWin32() {
  Install({.registry = &win32::TheRegistry(),
           .files = &win32::TheFileSystem(),
           .text = &win32::TheText(),
           .dialogs = &win32::TheDialogs(),
           .random = &win32::TheRandom(),
           .shell = &win32::TheShell(),
           .process = &win32::TheProcess(),
           .toolkit = &win32::TheToolkit()});
}

}  // namespace platform
