#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Drives the real program from outside, as a test tool on Windows would: starts it, finds its
// windows and answers them.
namespace e2e {

/// Closes a kernel handle.
struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

/// The Windows name that Wine gives a Unix path (Z:\ is /).
std::wstring WindowsPath(const char* unix_path);

/// A running copy of the program under test; ended on destruction if it is still running.
class Program {
 public:
  /// Starts the program with `tail` (separator included) after its name, quoted or bare; nullopt
  /// if it cannot.
  static std::optional<Program> Start(const std::wstring& tail, bool quoted_name);
  Program(Program&&) = default;
  ~Program();

  DWORD Id() const { return id_; }
  /// The exit code if the process ends within `timeout_ms`, else nullopt.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms) const;

 private:
  Program(Handle process, DWORD id) : process_(std::move(process)), id_(id) {}
  Handle process_;
  DWORD id_;
};

/// What a user sees of a message box.
struct MessageBoxView {
  HWND window;
  std::wstring text;
  std::vector<int> buttons;  ///< ids of the visible buttons, in creation order
  bool has_icon;             ///< a visible static shows an icon
};

/// Waits up to `timeout_ms` for a visible message box with `title` shown by process `process_id`.
std::optional<MessageBoxView> WaitForMessageBox(DWORD process_id, const std::wstring& title,
                                                DWORD timeout_ms);

/// Presses button `id` of `box` without waiting for it to be handled; false if it is missing or
/// disabled.
bool Click(HWND box, int id);

}  // namespace e2e
