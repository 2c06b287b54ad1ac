// Usage: about_wait PROGRAM [ARGUMENTS]
// Starts the program and returns once a visible top-level window of it captioned "About Brenvic
// Visio" is on the screen, after closing that window and letting the program end: timed from
// outside, it measures the time from start to the About window shown. It prints the tick counts
// of the start and of the window found, to place them in a trace of Wine's own timestamps.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include "main/command_line.h"

namespace {

constexpr wchar_t kCaption[] = L"About Brenvic Visio";
constexpr DWORD kShowTimeoutMs = 10000;
constexpr DWORD kExitTimeoutMs = 5000;

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct Search {
  DWORD process_id;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) {
    return TRUE;
  }
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  if (std::wstring(caption) != kCaption) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// Polls at the scheduler's finest step, so that the wait adds as little as it can to the time.
HWND WaitForAbout(DWORD process_id, HANDLE process) {
  Search search{process_id, nullptr};
  const ULONGLONG deadline = GetTickCount64() + kShowTimeoutMs;
  while (GetTickCount64() < deadline) {
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || WaitForSingleObject(process, 1) == WAIT_OBJECT_0) {
      break;
    }
  }
  return search.found;
}

}  // namespace

int main() {
  std::wstring command = ArgumentText(GetCommandLineW());
  if (command.empty()) {
    std::fputs("usage: about_wait PROGRAM [ARGUMENTS]\n", stderr);
    return 2;
  }
  const DWORD started_at = GetTickCount();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &started)) {
    std::fprintf(stderr, "about_wait: cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  const Handle process(started.hProcess);
  const Handle thread(started.hThread);
  const HWND about = WaitForAbout(started.dwProcessId, process.get());
  if (about == nullptr) {
    std::fputs("about_wait: no About window came\n", stderr);
    TerminateProcess(process.get(), 1);
    return 1;
  }
  std::printf("started %lu shown %lu\n", started_at, GetTickCount());
  PostMessageW(about, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.get(), kExitTimeoutMs) != WAIT_OBJECT_0) {
    std::fputs("about_wait: the program did not end after its window was closed\n", stderr);
    TerminateProcess(process.get(), 1);
    return 1;
  }
  return 0;
}
