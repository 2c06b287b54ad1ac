#pragma once

// Drives the real program from another process, as a test tool on Windows would, and reads what
// it shows: whole windows, whole message boxes, and the files and registry values it could touch.
// Every wait is for a state, up to a generous limit.

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <vector>

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

/// A window's text; WM_GETTEXT, since across processes GetWindowTextW reads no text box.
inline std::wstring Text(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kWaitMs, &length);
  return text;
}

inline std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());  // the program's texts are ASCII
}

/// A window as the user sees it: a line for the window (caption, client size, frame, placement,
/// whether it takes input), then one per control, sorted: kind, text, and what differs from a
/// visible, enabled, unchecked control without the keyboard focus that shows inside the client
/// area.
inline std::string Seen(HWND window) {
  struct Look {
    RECT area;
    HWND focus;
    std::vector<std::string> lines;
  } look{{}, nullptr, {}};
  RECT frame{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &look.area);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&look.area), 2);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  look.focus = thread.hwndFocus;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM param) WINAPI -> BOOL {
        Look& look = *reinterpret_cast<Look*>(param);
        wchar_t kind[32] = {};
        GetClassNameW(child, kind, 32);
        RECT r{};
        GetWindowRect(child, &r);
        const RECT& area = look.area;
        const bool inside = r.left < area.right && r.top < area.bottom && r.right > area.left &&
                            r.bottom > area.top;
        look.lines.push_back(Narrow(kind) + " \"" + Narrow(Text(child)) + "\"" +
                             (IsWindowVisible(child) ? "" : " hidden") +
                             (IsWindowEnabled(child) ? "" : " disabled") +
                             (inside ? "" : " outside") +
                             (SendMessageW(child, BM_GETCHECK, 0, 0) ? " checked" : "") +
                             (child == look.focus ? " focused" : ""));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&look));
  std::sort(look.lines.begin(), look.lines.end());
  const bool centred = std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 2 &&
                       std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 2;
  std::string seen = Narrow(Text(window)) + " " + std::to_string(look.area.right - look.area.left) +
                     "x" + std::to_string(look.area.bottom - look.area.top) +
                     ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) ? " frame" : "") +
                     (centred ? " centred" : "") + (IsWindowEnabled(window) ? "" : " disabled");
  for (const std::string& line : look.lines) {
    seen += "\n" + line;
  }
  return seen;
}

/// The 32-bit pixels of `size` drawn by `draw` on a device context filled with `back`.
template <typename Draw>
std::vector<DWORD> Pixels(SIZE size, COLORREF back, Draw draw) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  const HBRUSH brush = CreateSolidBrush(back);
  const RECT all{0, 0, size.cx, size.cy};
  FillRect(dc, &all, brush);
  draw(dc);
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                            static_cast<const DWORD*>(bits) + size.cx * size.cy);
  for (DWORD& pixel : pixels) {
    pixel &= 0xFFFFFF;  // a copy of the screen may fill the fourth byte
  }
  SelectObject(dc, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

/// A message box's icon, judged by its pixels against the system's icons drawn the same size.
inline std::string IconOf(HWND control) {
  // Without an icon the text is drawn over the empty icon control.
  if (SendMessageW(control, STM_GETICON, 0, 0) == 0) {
    return "no icon";
  }
  RECT rect{};
  GetWindowRect(control, &rect);
  const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
  const HDC screen = GetDC(nullptr);
  const COLORREF back = GetPixel(screen, rect.left - 1, rect.top);
  const auto shown = Pixels(size, back, [&](HDC dc) {
    BitBlt(dc, 0, 0, size.cx, size.cy, screen, rect.left, rect.top, SRCCOPY);
  });
  ReleaseDC(nullptr, screen);
  // IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK
  const std::pair<WORD, const char*> icons[] = {
      {32513, "critical"}, {32514, "question"}, {32515, "exclamation"}, {32516, "information"}};
  for (const auto& [id, icon] : icons) {
    if (shown == Pixels(size, back, [&](HDC dc) {
          DrawIconEx(dc, 0, 0, LoadIconW(nullptr, MAKEINTRESOURCEW(id)), size.cx, size.cy, 0,
                     nullptr, DI_NORMAL);
        })) {
      return icon;
    }
  }
  return "another icon";
}

/// A message box as the user sees it: title (and whether it stays above every window), text, icon
/// and button ids, the default one with "*".
inline std::string SeenBox(HWND box) {
  const bool on_top = GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST;
  std::string seen = Narrow(Text(box)) + (on_top ? " on top" : "") + "|" +
                     Narrow(Text(GetDlgItem(box, 0xFFFF))) + "|" + IconOf(GetDlgItem(box, 1088)) +
                     "|";
  for (int id = IDOK; id <= IDNO; ++id) {
    const HWND button = GetDlgItem(box, id);
    if (button != nullptr && IsWindowVisible(button)) {
      const bool default_button =
          (GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      seen += std::to_string(id) + (default_button ? "* " : " ");
    }
  }
  return seen;
}

/// The program under test (or a copy), started with `tail` after its quoted name; ended if still
/// running.
class Program {
 public:
  explicit Program(const std::wstring& tail, const std::wstring& program = BRENVIC_E2E_PROGRAM) {
    std::wstring line = L"\"" + program + L"\"" + tail;
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
  /// Its visible top-level window captioned `caption`, of class `kind` if given: once it shows,
  /// waiting up to `timeout_ms`.
  HWND Window(const wchar_t* caption, const wchar_t* kind = nullptr,
              DWORD timeout_ms = kWaitMs) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
          DWORD owner = 0;
          do {
            found = FindWindowExW(nullptr, found, kind, caption);
            GetWindowThreadProcessId(found, &owner);
          } while (found != nullptr && (owner != id_ || !IsWindowVisible(found)));
          return found != nullptr;
        },
        timeout_ms);
    return found;
  }

 private:
  HANDLE process_;
  DWORD id_;
};

/// The child control of `window` whose text is `text`, panels' children included; null if none.
inline HWND Find(HWND window, const std::wstring& text) {
  std::pair<const std::wstring*, HWND> search{&text, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) WINAPI -> BOOL {
        auto& [wanted, found] = *reinterpret_cast<decltype(search)*>(data);
        found = Text(child) == *wanted ? child : nullptr;
        return found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

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

/// Presses `key` on the control that has the keyboard focus in `window`'s thread.
inline bool PressKey(HWND window, WPARAM key) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
  const HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : window;
  return PostMessageW(target, WM_KEYDOWN, key, 1) &&
         PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

inline std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

/// What the program could touch: each file's bytes ("/" for a folder) below `folders`, and each
/// registry value's bytes under HKEY_CLASSES_ROOT ("key|value"); what is missing is left out.
using State = std::map<std::wstring, std::string>;
inline State Snapshot(const std::vector<std::wstring>& folders,
                      const std::vector<std::wstring>& values) {
  namespace fs = std::filesystem;
  State state;
  std::error_code error;
  for (const fs::path top : folders) {
    if (fs::is_regular_file(top, error)) {
      state[top.wstring()] = Bytes(top);
    }
    for (const auto& entry : fs::recursive_directory_iterator(top, error)) {
      state[entry.path().wstring()] = entry.is_directory() ? "/" : Bytes(entry.path());
    }
  }
  for (const std::wstring& value : values) {
    const auto bar = value.find(L'|');
    std::string data(4096, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    if (RegGetValueW(HKEY_CLASSES_ROOT, value.substr(0, bar).c_str(), value.c_str() + bar + 1,
                     RRF_RT_ANY | RRF_NOEXPAND, nullptr, data.data(), &size) == 0) {
      state[value] = data.substr(0, size);
    }
  }
  return state;
}

}  // namespace e2e
