#pragma once

// Drives the real program from another process and reads whole windows, whole message boxes, and
// the files and registry values it could touch. Every wait is for a state, up to a generous limit.

#include <algorithm>
#include <cstdlib>

#include "reading.h"

namespace e2e {

using reading::Children;
using reading::Narrow;
inline constexpr DWORD kWaitMs = 10000;

/// Whether `condition` holds within `timeout_ms`, asked every 20 ms.
template <typename Condition>
bool WaitFor(Condition condition, DWORD timeout_ms = kWaitMs) {
  for (DWORD waited = 0; waited < timeout_ms && !condition(); waited += 20) {
    Sleep(20);
  }
  return condition();
}

/// SendMessage to another process's window: given up on at once when it hangs, or after a wait.
inline LRESULT Ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kWaitMs, &result);
  return static_cast<LRESULT>(result);
}

/// A window's text; WM_GETTEXT, since across processes GetWindowTextW reads no text box.
inline std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  Ask(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
  return text;
}

/// `head`, then each of `lines` on a line of its own, sorted.
inline std::string Sorted(std::string head, std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  for (const std::string& line : lines) {
    head += "\n" + line;
  }
  return head;
}

/// The control with the keyboard focus in `window`'s thread.
inline HWND Focus(HWND window) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  return thread.hwndFocus;
}

/// A window as the user sees it: caption, client size, frame, placement, whether it takes input;
/// then each control, sorted: kind, text, and what differs from a visible, enabled, unchecked,
/// unfocused control inside the client area.
inline std::string Seen(HWND window) {
  RECT frame{}, area{}, common{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &area);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
  std::vector<std::string> lines;
  for (const HWND child : Children(window)) {
    wchar_t kind[32] = {};
    GetClassNameW(child, kind, 32);
    RECT rect{};
    GetWindowRect(child, &rect);
    lines.push_back(
        Narrow(kind) + " \"" + Narrow(Text(child)) + "\"" +
        (IsWindowVisible(child) ? "" : " hidden") + (IsWindowEnabled(child) ? "" : " disabled") +
        (IntersectRect(&common, &rect, &area) ? "" : " outside") +
        (Ask(child, BM_GETCHECK) ? " checked" : "") + (child == Focus(window) ? " focused" : ""));
  }
  const bool centred = std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 2 &&
                       std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 2;
  return Sorted(Narrow(Text(window)) + " " + std::to_string(area.right - area.left) + "x" +
                    std::to_string(area.bottom - area.top) +
                    ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) ? " frame" : "") +
                    (centred ? " centred" : "") + (IsWindowEnabled(window) ? "" : " disabled"),
                lines);
}

/// A message box's icon, told by its pixels from the system's icons drawn over its background.
inline std::string IconOf(HWND control) {
  if (Ask(control, STM_GETICON) == 0) {
    return "no icon";  // the text is drawn over the empty icon control
  }
  RECT r{};
  GetWindowRect(control, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(dc, CreateCompatibleBitmap(screen, w, 2 * h));
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);  // shown above, drawn below
  const HBRUSH back = CreateSolidBrush(GetPixel(screen, r.left - 1, r.top));
  const RECT below{0, h, w, 2 * h};
  std::string icon = "another icon";
  const char* const names[] = {"critical", "question", "exclamation", "information"};
  for (WORD id = 32513; id <= 32516; ++id) {  // IDI_HAND to IDI_ASTERISK
    FillRect(dc, &below, back);
    DrawIconEx(dc, 0, h, LoadIconW(nullptr, MAKEINTRESOURCEW(id)), w, h, 0, nullptr, DI_NORMAL);
    bool same = true;
    for (int at = 0; at < w * h && same; ++at) {
      same = GetPixel(dc, at % w, at / w) == GetPixel(dc, at % w, h + at / w);
    }
    icon = same ? names[id - 32513] : icon;
  }
  DeleteObject(back);
  DeleteObject(SelectObject(dc, old));
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return icon;
}

/// A message box as the user sees it: title (and whether it stays above every window), text, icon
/// and button ids, the default one with "*".
inline std::string SeenBox(HWND box) {
  const bool on_top = GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
  std::string seen = Narrow(Text(box)) + (on_top ? " on top|" : "|") +
                     Narrow(Text(GetDlgItem(box, 0xFFFF))) + "|" + IconOf(GetDlgItem(box, 1088)) +
                     "|";
  for (int id = IDOK; id <= IDNO; ++id) {
    const HWND button = GetDlgItem(box, id);
    if (button != nullptr && IsWindowVisible(button)) {
      const bool main = (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      seen += std::to_string(id) + (main ? "* " : " ");
    }
  }
  return seen;
}

/// The program under test (or a copy), started with `tail` after its quoted name.
class Program {
 public:
  explicit Program(const std::wstring& tail, const std::wstring& program = BRENVIC_E2E_PROGRAM) {
    std::wstring line = L"\"" + program + L"\"" + tail;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                   &started_);
  }
  ~Program() {
    TerminateProcess(started_.hProcess, 1);
    CloseHandle(started_.hProcess);
    CloseHandle(started_.hThread);
  }
  /// Whether the process ends with exit code 0.
  bool EndsWell() const {
    DWORD code = 1;
    return WaitForSingleObject(started_.hProcess, kWaitMs) == 0 &&
           GetExitCodeProcess(started_.hProcess, &code) && code == 0;
  }
  /// Its visible top-level window captioned `caption`, of class `kind` if given: once it shows,
  /// waiting up to `timeout_ms`.
  HWND Window(const wchar_t* caption, const wchar_t* kind = nullptr,
              DWORD timeout_ms = kWaitMs) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
          DWORD owner = 0;
          found = nullptr;
          do {
            found = FindWindowExW(nullptr, found, kind, caption);
            GetWindowThreadProcessId(found, &owner);
          } while (found != nullptr && (owner != started_.dwProcessId || !IsWindowVisible(found)));
          return found != nullptr;
        },
        timeout_ms);
    return found;
  }

 private:
  PROCESS_INFORMATION started_{};
};

/// Clicks the enabled control (a button as BM_CLICK does, so a hidden one too); false if it cannot.
inline bool Push(HWND control) {
  wchar_t kind[16] = {};
  if (control == nullptr || !IsWindowEnabled(control) || !GetClassNameW(control, kind, 16)) {
    return false;
  }
  return std::wstring_view(kind) == L"Button"
             ? PostMessageW(control, BM_CLICK, 0, 0)
             : PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)) &&
                   PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

/// A digest of each file's bytes below `folders` and of each value ("key|value") of
/// HKEY_CLASSES_ROOT that is there.
using State = std::map<std::wstring, std::size_t>;
inline State Snapshot(const std::vector<std::wstring>& folders,
                      const std::vector<std::wstring>& values) {
  State state;
  for (const auto& [path, bytes] : reading::Tree(folders)) {
    state[path] = std::hash<std::string>{}(bytes);
  }
  for (const std::wstring& value : values) {
    const auto bar = value.find(L'|');
    std::string data(4096, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (RegGetValueW(HKEY_CLASSES_ROOT, value.substr(0, bar).c_str(), value.c_str() + bar + 1,
                     RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(), &size) == 0) {
      state[value] = std::hash<std::string>{}(data.substr(0, size));
    }
  }
  return state;
}

}  // namespace e2e
