#include "e2e/driver.h"

namespace e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kReplyMs = 5000;
constexpr int kMessageTextId = 0xFFFF;
constexpr wchar_t kForegroundClass[] = L"BrenvicE2eForeground";

template <typename Condition>
bool WaitFor(DWORD timeout_ms, Condition condition) {
  for (DWORD waited = 0; waited <= timeout_ms; waited += kPollMs) {
    if (condition()) {
      return true;
    }
    Sleep(kPollMs);
  }
  return false;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// WM_GETTEXT, not GetWindowTextW: across processes only the message reads a control's text.
std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      kReplyMs, &copied);
  return text;
}

LRESULT Ask(HWND window, UINT message) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &answer);
  return static_cast<LRESULT>(answer);
}

struct Search {
  DWORD process_id;
  std::wstring title;
  const wchar_t* kind;  // nullptr: any class
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (owner == search.process_id && IsWindowVisible(window) &&
      (search.kind == nullptr || ClassOf(window) == search.kind) && search.title == title) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindTopWindow(DWORD process_id, const std::wstring& title, const wchar_t* kind,
                   DWORD timeout_ms) {
  Search search{process_id, title, kind, nullptr};
  WaitFor(timeout_ms, [&search] {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM data) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  reinterpret_cast<std::vector<ControlView>*>(data)->push_back(
      {control, ClassOf(control), TextOf(control), style, IsWindowVisible(control) != FALSE,
       IsWindowEnabled(control) != FALSE, Ask(control, BM_GETCHECK) == BST_CHECKED});
  return TRUE;
}

bool IsDefault(const ControlView& button) {
  return (button.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// A bitmap to draw on and read back, the size of `rect`, holding what the screen shows there.
class Canvas {
 public:
  explicit Canvas(const RECT& rect)
      : width_(rect.right - rect.left),
        screen_(GetDC(nullptr)),
        memory_(CreateCompatibleDC(screen_)),
        bitmap_(CreateCompatibleBitmap(screen_, width_, rect.bottom - rect.top)),
        selected_(SelectObject(memory_, bitmap_)) {
    BitBlt(memory_, 0, 0, width_, rect.bottom - rect.top, screen_, rect.left, rect.top, SRCCOPY);
  }
  ~Canvas() {
    SelectObject(memory_, selected_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    ReleaseDC(nullptr, screen_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return memory_; }
  std::vector<COLORREF> Pixels(int height) const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width_; ++x) {
        pixels.push_back(GetPixel(memory_, x, y));
      }
    }
    return pixels;
  }

 private:
  int width_;
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_;
  HGDIOBJ selected_;
};

LRESULT CALLBACK ForegroundProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

std::wstring WindowsPath(const char* unix_path) {
  std::wstring path = L"Z:";
  for (const char* c = unix_path; *c != '\0'; ++c) {
    path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  }
  return path;
}

std::optional<Program> Program::Start(const std::wstring& tail, bool quoted_name) {
  const std::wstring exe = WindowsPath(BRENVIC_E2E_PROGRAM);
  std::wstring line = (quoted_name ? L"\"" + exe + L"\"" : exe) + tail;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    return std::nullopt;
  }
  CloseHandle(started.hThread);
  return Program(Handle(started.hProcess), started.dwProcessId);
}

Program::~Program() {
  if (process_ && !WaitForExit(0)) {
    TerminateProcess(process_.get(), 1);
  }
}

std::optional<DWORD> Program::WaitForExit(DWORD timeout_ms) const {
  DWORD code = 0;
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.get(), &code)) {
    return std::nullopt;
  }
  return code;
}

HWND WaitForWindow(DWORD process_id, const std::wstring& caption, DWORD timeout_ms) {
  return FindTopWindow(process_id, caption, nullptr, timeout_ms);
}

bool WaitUntilGone(HWND window, DWORD timeout_ms) {
  return WaitFor(timeout_ms, [window] { return !IsWindowVisible(window); });
}

std::vector<ControlView> ListControls(HWND window) {
  std::vector<ControlView> controls;
  EnumChildWindows(window, ReadControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

std::optional<ControlView> FindControl(HWND window, const std::wstring& text) {
  for (const ControlView& control : ListControls(window)) {
    if (control.text == text) {
      return control;
    }
  }
  return std::nullopt;
}

bool ClickButton(HWND window, const std::wstring& text) {
  const auto button = FindControl(window, text);
  return button && button->kind == L"Button" && IsWindowEnabled(button->window) &&
         PostMessageW(button->window, BM_CLICK, 0, 0) != FALSE;
}

bool ClickLabel(HWND label) {
  return PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)) != FALSE &&
         PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(1, 1)) != FALSE;
}

bool PressKey(HWND window, WPARAM key) {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  const bool known = GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) != FALSE;
  const HWND target = known && thread.hwndFocus != nullptr ? thread.hwndFocus : window;
  return PostMessageW(target, WM_KEYDOWN, key, 1) != FALSE &&
         PostMessageW(target, WM_KEYUP, key, 0xC0000001) != FALSE;
}

bool PressCloseBox(HWND window) {
  return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

ForegroundWindow::ForegroundWindow() {
  static const ATOM registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = ForegroundProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kForegroundClass;
    return RegisterClassExW(&window_class);
  }();
  (void)registered;
  window_ =
      CreateWindowExW(0, kForegroundClass, L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                      0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(window_);
}

ForegroundWindow::~ForegroundWindow() {
  DestroyWindow(window_);
}

bool ForegroundWindow::Ok() const {
  return window_ != nullptr && GetForegroundWindow() == window_;
}

std::optional<MessageBoxView> WaitForMessageBox(DWORD process_id, const std::wstring& title,
                                                DWORD timeout_ms) {
  const HWND box = FindTopWindow(process_id, title, L"#32770", timeout_ms);
  if (box == nullptr) {
    return std::nullopt;
  }
  MessageBoxView view{box, {}, {}, nullptr, 0};
  for (const ControlView& control : ListControls(box)) {
    if (!control.visible) {
      continue;
    }
    if (control.kind == L"Button") {
      const int id = GetDlgCtrlID(control.window);
      view.buttons.push_back(id);
      view.default_button = IsDefault(control) ? id : view.default_button;
    } else if (control.kind == L"Static" && (control.style & SS_TYPEMASK) == SS_ICON) {
      // Wine keeps its icon static (id 1088, where Windows has 20 and leaves it out) in every box,
      // visible but empty when no icon was asked for: what counts is the icon it holds.
      view.icon = Ask(control.window, STM_GETICON) != 0 ? control.window : nullptr;
    } else if (control.kind == L"Static" && GetDlgCtrlID(control.window) == kMessageTextId) {
      view.text = control.text;
    }
  }
  return view;
}

bool ShowsIcon(HWND icon, HICON expected, DWORD timeout_ms) {
  RECT rect{};
  if (!GetWindowRect(icon, &rect)) {
    return false;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  return WaitFor(timeout_ms, [&] {
    const std::vector<COLORREF> shown = Canvas(rect).Pixels(height);
    // The expected icon drawn over the box's own background, which its corner shows.
    const Canvas drawn(rect);
    const HBRUSH background = CreateSolidBrush(shown.front());
    const RECT all{0, 0, width, height};
    FillRect(drawn.Dc(), &all, background);
    DeleteObject(background);
    DrawIconEx(drawn.Dc(), 0, 0, expected, width, height, 0, nullptr, DI_NORMAL);
    return drawn.Pixels(height) == shown;
  });
}

bool Click(HWND box, int id) {
  const HWND button = GetDlgItem(box, id);
  return button != nullptr && IsWindowEnabled(button) &&
         PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

}  // namespace e2e
