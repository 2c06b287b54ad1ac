#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

class Win32Dialogs final : public Dialogs {
 public:
  // Task-modal, so that no window of the program takes input while the box is up.
  int MessageBox(const std::wstring& text, const std::wstring& title,
                 std::uint32_t style) override {
    return MessageBoxW(nullptr, text.c_str(), title.c_str(), style | MB_TASKMODAL);
  }
};

}  // namespace

Dialogs& TheDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace platform::win32
