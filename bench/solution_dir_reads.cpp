// Finds Visio's Solutions folder as the About window does, through a registry that counts its
// reads, and prints "opens values folder" on one line (the folder in UTF-8, empty when none).
#include <windows.h>

#include <cstdio>
#include <string>

#include "counting_registry.h"
#include "host/cls_global.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"

namespace {

std::string Utf8(const std::wstring& text) {
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr),
                    '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                      static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

}  // namespace

int main() {
  platform::InstallWin32();
  platform::Platform parts = platform::Current();
  CountingRegistry counting(*parts.registry);
  parts.registry = &counting;
  platform::Install(parts);

  const std::wstring folder = cls_Global().gs_FindSolutionDir();
  std::printf("%d %d %s\n", counting.Opens(), counting.ValueReads(), Utf8(folder).c_str());
  return folder.empty() ? 1 : 0;
}
