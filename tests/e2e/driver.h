#pragma once

// Drives the real program from another process, as a test tool on Windows would. Every wait is for
// a state, up to a generous limit.

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace e2e {

inline constexpr DWORD kWaitMs = 10000;

/// Whether `condition` holds within `timeout_ms`, asked every 20 ms.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout_ms = kWaitMs) {
  for (DWORD waited = 0; !condition(); waited += 20) {
    if (waited >= timeout_ms) {
      return false;
    }
    Sleep(20);
  }
  return true;
}

/// The program under test, started with `tail` after its quoted name; ended if still running.
class Program {
 public:
  explicit Program(const std::wstring& tail) {
    std::wstring line = L"\"" BRENVIC_E2E_PROGRAM L"\"" + tail;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &started);
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
  }
  ~Program() {
    TerminateProcess(process_, 1);
    CloseHandle(process_);
  }
  /// Whether the process ends with exit code 0.
  bool EndsWell() const {
    DWORD code = 1;
    return WaitForSingleObject(process_, kWaitMs) == 0 && GetExitCodeProcess(process_, &code) &&
           code == 0;
  }
  /// Its visible top-level window captioned `caption`, of class `kind` if given, once it is shown.
  HWND Window(const wchar_t* caption, const wchar_t* kind = nullptr) const {
    HWND found = nullptr;
    WaitFor([&] {
      DWORD owner = 0;
      do {
        found = FindWindowExW(nullptr, found, kind, caption);
        GetWindowThreadProcessId(found, &owner);
      } while (found != nullptr && (owner != id_ || !IsWindowVisible(found)));
      return found != nullptr;
    });
    return found;
  }

 private:
  HANDLE process_;
  DWORD id_;
};

/// The child control of `window` whose text is `text` (or starts with it, with `prefix`; the link,
/// the one static that takes clicks, for "link"), panels' children included; null if none is.
inline HWND Find(HWND window, const std::wstring& text, bool prefix = false) {
  std::tuple<const std::wstring*, bool, HWND> search{&text, prefix, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto& [wanted, starts, found] = *reinterpret_cast<decltype(search)*>(data);
        wchar_t read[1024] = {};
        DWORD_PTR length = 0;
        // WM_GETTEXT, not GetWindowTextW: across processes only the message reads a text box.
        SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(read),
                            SMTO_ABORTIFHUNG, kWaitMs, &length);
        const std::wstring_view shown = read;
        const bool link = *wanted == L"link" && (GetWindowLongW(child, GWL_STYLE) & SS_NOTIFY);
        found = link || (starts ? shown.starts_with(*wanted) : shown == *wanted) ? child : nullptr;
        return found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return std::get<HWND>(search);
}

/// Clicks the enabled control (a button as BM_CLICK does, so a hidden one too); false if it cannot.
inline bool Click(HWND control) {
  wchar_t kind[16] = {};
  if (control == nullptr || !IsWindowEnabled(control) || !GetClassNameW(control, kind, 16)) {
    return false;
  }
  return std::wstring_view(kind) == L"Button"
             ? PostMessageW(control, BM_CLICK, 0, 0)
             : PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)) &&
                   PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

/// Presses `key` on the control that has the keyboard focus in `window`'s thread.
inline bool PressKey(HWND window, WPARAM key) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  const HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : window;
  return PostMessageW(target, WM_KEYDOWN, key, 1) &&
         PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

inline std::string Bytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace e2e
