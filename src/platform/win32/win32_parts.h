#pragma once

// The process-lifetime Win32 implementations of the seam, one per group.

#include "platform/platform.h"

namespace platform::win32 {

Registry& TheRegistry();
FileSystem& TheFileSystem();
Text& TheText();
Dialogs& TheDialogs();
Random& TheRandom();
Shell& TheShell();
Process& TheProcess();
Toolkit& TheToolkit();

}  // namespace platform::win32
