#include "e2e/shell_call.h"

#include <vector>

#include "e2e/driver.h"

namespace e2e {

namespace {

constexpr BYTE kBreakpoint = 0xCC;
constexpr std::size_t kChunk = 4096;

template <typename T>
bool Read(HANDLE process, ULONG_PTR address, T& value) {
  return ReadProcessMemory(process, reinterpret_cast<const void*>(address), &value, sizeof(value),
                           nullptr) != FALSE;
}

// The name a DLL's export directory gives itself, read from the stopped process.
std::string ExportName(HANDLE process, ULONG_PTR base) {
  IMAGE_DOS_HEADER dos{};
  IMAGE_NT_HEADERS64 nt{};
  IMAGE_EXPORT_DIRECTORY exports{};
  char name[32] = {};
  if (!Read(process, base, dos) || !Read(process, base + dos.e_lfanew, nt)) {
    return {};
  }
  const IMAGE_DATA_DIRECTORY& directory =
      nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  if (directory.VirtualAddress == 0 || !Read(process, base + directory.VirtualAddress, exports) ||
      !Read(process, base + exports.Name, name)) {
    return {};
  }
  name[sizeof(name) - 1] = '\0';
  return CharLowerA(name);
}

// A zero-terminated text in the stopped process, read a page at a time: it may end anywhere.
std::string TextAt(HANDLE process, ULONG_PTR address) {
  std::string text;
  std::vector<char> chunk(kChunk);
  for (;;) {
    SIZE_T got = 0;
    const ULONG_PTR to_page_end = kChunk - address % kChunk;
    ReadProcessMemory(process, reinterpret_cast<const void*>(address), chunk.data(), to_page_end,
                      &got);
    const std::string part(chunk.data(), got);
    const std::size_t end = part.find('\0');
    text += part.substr(0, end);
    if (end != std::string::npos || got == 0) {
      return text;
    }
    address += got;
  }
}

// Where ShellExecuteA lies in shell32, which Wine may load at another base in the other process.
ULONG_PTR ShellExecuteOffset() {
  const HMODULE shell32 = LoadLibraryW(L"shell32.dll");
  const FARPROC function = GetProcAddress(shell32, "ShellExecuteA");
  return reinterpret_cast<ULONG_PTR>(function) - reinterpret_cast<ULONG_PTR>(shell32);
}

}  // namespace

std::optional<std::string> FileGivenToShell(const std::wstring& tail, DWORD timeout_ms) {
  const std::wstring exe = WindowsPath(BRENVIC_E2E_PROGRAM);
  std::wstring line = L"\"" + exe + L"\"" + tail;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                      nullptr, nullptr, &startup, &started)) {
    return std::nullopt;
  }
  const Handle process(started.hProcess);
  const Handle thread(started.hThread);
  const ULONG_PTR offset = ShellExecuteOffset();
  ULONG_PTR breakpoint = 0;
  std::optional<std::string> file;
  DEBUG_EVENT event{};
  while (WaitForDebugEvent(&event, timeout_ms)) {
    DWORD status = DBG_CONTINUE;
    switch (event.dwDebugEventCode) {
      case CREATE_PROCESS_DEBUG_EVENT:
        CloseHandle(event.u.CreateProcessInfo.hFile);
        break;
      case LOAD_DLL_DEBUG_EVENT: {
        CloseHandle(event.u.LoadDll.hFile);
        const auto base = reinterpret_cast<ULONG_PTR>(event.u.LoadDll.lpBaseOfDll);
        if (ExportName(process.get(), base) == "shell32.dll") {
          breakpoint = base + offset;
          WriteProcessMemory(process.get(), reinterpret_cast<void*>(breakpoint), &kBreakpoint, 1,
                             nullptr);
          FlushInstructionCache(process.get(), reinterpret_cast<void*>(breakpoint), 1);
        }
        break;
      }
      case EXCEPTION_DEBUG_EVENT: {
        const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
        const auto at = reinterpret_cast<ULONG_PTR>(record.ExceptionAddress);
        if (breakpoint != 0 && at == breakpoint) {
          const Handle stopped(OpenThread(THREAD_GET_CONTEXT, FALSE, event.dwThreadId));
          CONTEXT context{};
          context.ContextFlags = CONTEXT_INTEGER;
          // The file is ShellExecuteA's third argument, in R8.
          if (GetThreadContext(stopped.get(), &context)) {
            file = TextAt(process.get(), context.R8);
          }
          TerminateProcess(process.get(), 1);
        } else if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
          status = DBG_EXCEPTION_NOT_HANDLED;
        }
        break;
      }
      default:
        break;
    }
    ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) {
      return file;
    }
  }
  TerminateProcess(process.get(), 1);
  DebugActiveProcessStop(started.dwProcessId);
  return file;
}

}  // namespace e2e
