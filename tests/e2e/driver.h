#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Drives the real program from outside, as a test tool on Windows would: starts it, finds its
// windows, reads and presses their controls, and answers its message boxes.
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

/// Waits up to `timeout_ms` for a visible top-level window captioned `caption` of process
/// `process_id`; null if none came.
HWND WaitForWindow(DWORD process_id, const std::wstring& caption, DWORD timeout_ms);

/// Waits up to `timeout_ms` for `window` to be hidden or destroyed; false if it is still shown.
bool WaitUntilGone(HWND window, DWORD timeout_ms);

/// What a user sees of one child control.
struct ControlView {
  HWND window;
  std::wstring kind;  ///< window class: Button, Static, Edit
  std::wstring text;
  LONG style;
  bool visible;
  bool enabled;
  bool checked;
};

/// Every child control of `window`, those inside panels included, each after its parent.
std::vector<ControlView> ListControls(HWND window);

/// The child control of `window` whose text is `text`; nullopt if there is none.
std::optional<ControlView> FindControl(HWND window, const std::wstring& text);

/// Presses the button or check box of `window` whose text is `text`, without waiting for it to
/// be handled; false if it is missing or disabled.
bool ClickButton(HWND window, const std::wstring& text);

/// Clicks a label with the left mouse button; false if the messages cannot be posted.
bool ClickLabel(HWND label);

/// Posts a press of `key` to the control that has the keyboard focus in `window`'s thread (the
/// window itself when none has); false if it cannot.
bool PressKey(HWND window, WPARAM key);

/// Presses the title bar's close box of `window`; false if it cannot.
bool PressCloseBox(HWND window);

/// A visible window of the test process, made the foreground window while it lives.
class ForegroundWindow {
 public:
  ForegroundWindow();
  ~ForegroundWindow();
  ForegroundWindow(const ForegroundWindow&) = delete;
  ForegroundWindow& operator=(const ForegroundWindow&) = delete;

  /// Whether the window exists and took the foreground.
  bool Ok() const;

 private:
  HWND window_;
};

/// What a user sees of a message box.
struct MessageBoxView {
  HWND window;
  std::wstring text;
  std::vector<int> buttons;  ///< ids of the visible buttons, in creation order
  HWND icon;                 ///< the static that shows the box's icon; null when it shows none
  int default_button;        ///< id of the default push button; 0 for none
};

/// Waits up to `timeout_ms` for a visible message box with `title` shown by process `process_id`.
std::optional<MessageBoxView> WaitForMessageBox(DWORD process_id, const std::wstring& title,
                                                DWORD timeout_ms);

/// Whether the icon static `icon` of a message box shows `expected` as it appears on the screen,
/// waiting up to `timeout_ms` for it to be drawn. Icon handles cannot be compared across
/// processes (each loads its own copy), so the pixels are.
bool ShowsIcon(HWND icon, HICON expected, DWORD timeout_ms);

/// Presses button `id` of `box` without waiting for it to be handled; false if it is missing or
/// disabled.
bool Click(HWND box, int id);

}  // namespace e2e
