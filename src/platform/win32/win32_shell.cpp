#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

class Win32Shell final : public Shell {
 public:
  std::intptr_t Execute(const std::string& verb, const std::string& file,
                        const std::string& parameters, const std::string& folder,
                        int show) override {
    // The shell may hand the request to a COM component: Microsoft asks for an apartment first.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    const HINSTANCE result = ShellExecuteA(nullptr, verb.c_str(), file.c_str(), parameters.c_str(),
                                           folder.c_str(), show);
    return reinterpret_cast<INT_PTR>(result);
  }
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
