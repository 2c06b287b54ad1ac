#include "e2e/driver.h"

namespace e2e {

namespace {

constexpr DWORD kPollMs = 20;
constexpr UINT kReplyMs = 5000;
constexpr int kMessageTextId = 0xFFFF;

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

struct Search {
  DWORD process_id;
  std::wstring title;
  HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (owner == search.process_id && IsWindowVisible(window) && ClassOf(window) == L"#32770" &&
      search.title == title) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK ReadControl(HWND control, LPARAM data) {
  auto& view = *reinterpret_cast<MessageBoxView*>(data);
  if (!IsWindowVisible(control)) {
    return TRUE;
  }
  const std::wstring kind = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const int id = GetDlgCtrlID(control);
  if (kind == L"Button") {
    view.buttons.push_back(id);
  } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
    // Wine keeps its icon static (id 1088, where Windows has 20 and leaves it out) in every box,
    // visible but empty when no icon was asked for: what counts is the icon it holds.
    DWORD_PTR icon = 0;
    SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &icon);
    view.has_icon = view.has_icon || icon != 0;
  } else if (kind == L"Static" && id == kMessageTextId) {
    view.text = TextOf(control);
  }
  return TRUE;
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

std::optional<MessageBoxView> WaitForMessageBox(DWORD process_id, const std::wstring& title,
                                                DWORD timeout_ms) {
  Search search{process_id, title, nullptr};
  for (DWORD waited = 0; waited <= timeout_ms; waited += kPollMs) {
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      MessageBoxView view{search.found, {}, {}, false};
      EnumChildWindows(search.found, ReadControl, reinterpret_cast<LPARAM>(&view));
      return view;
    }
    Sleep(kPollMs);
  }
  return std::nullopt;
}

bool Click(HWND box, int id) {
  const HWND button = GetDlgItem(box, id);
  return button != nullptr && IsWindowEnabled(button) &&
         PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

}  // namespace e2e
