#include <windows.h>

#include <objbase.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

// The shell and COM are loaded on the first request, not at start: the About window, the common
// case, never needs them, and under Wine importing them costs every start several more libraries.
// Both are known system libraries, so loading them by name cannot pick up a planted copy.
template <typename Function>
Function Load(const wchar_t* library, const char* name) {
  const HMODULE module = LoadLibraryW(library);
  const FARPROC address = module != nullptr ? GetProcAddress(module, name) : nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, const char*, const char*, const char*,
                                                 const char*, int);

class Win32Shell final : public Shell {
 public:
  std::intptr_t Execute(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& folder,
                        int show) override {
    if (execute_ == nullptr) {
      // The shell may hand the request to a COM component: Microsoft asks for an apartment first.
      if (const auto initialize = Load<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx")) {
        initialize(nullptr, COINIT_APARTMENTTHREADED);
      }
      execute_ = Load<ShellExecuteAFunction>(L"shell32.dll", "ShellExecuteA");
      if (execute_ == nullptr) {
        return 0;  // what the shell itself answers when resources are short
      }
    }
    const HINSTANCE result =
        execute_(nullptr, verb.c_str(), file.c_str(), parameters.c_str(), folder.c_str(), show);
    return reinterpret_cast<INT_PTR>(result);
  }

 private:
  ShellExecuteAFunction execute_ = nullptr;
};

class Win32Process final : public Process {
 public:
  std::wstring CommandLine() override { return GetCommandLineW(); }

  std::wstring ProgramFolder() override {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length =
          GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
      if (length == 0) {
        return {};
      }
      if (length < path.size()) {
        path.resize(length);
        break;
      }
      path.resize(path.size() * 2);
    }
    const auto cut = path.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
  }
};

}  // namespace

Shell& TheShell() {
  static Win32Shell shell;
  return shell;
}

Process& TheProcess() {
  static Win32Process process;
  return process;
}

}  // namespace platform::win32
