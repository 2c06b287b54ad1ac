#include <windows.h>

#include "platform/win32/win32_parts.h"
#include "platform/win32/win32_toolkit.h"

namespace platform::win32 {

namespace {

class Win32Dialogs final : public Dialogs {
 public:
  // Owned by the program's front form, which then takes no input while the box is up; with no
  // form, task-modal, so that no other window of the program does either.
  int MessageBox(const std::wstring& text, const std::wstring& title,
                 std::uint32_t style) override {
    const HWND owner = ActiveFormWindow();
    return MessageBoxW(owner, text.c_str(), title.c_str(),
                       owner != nullptr ? style : style | MB_TASKMODAL);
  }
};

}  // namespace

Dialogs& TheDialogs() {
  static Win32Dialogs dialogs;
  return dialogs;
}

}  // namespace platform::win32
