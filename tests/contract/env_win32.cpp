#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "contract/env.h"
#include "platform/win32/win32_platform.h"

namespace contract {

namespace {

class Win32Env final : public Env {
 public:
  Win32Env() { platform::InstallWin32(); }
  ~Win32Env() override { Release(); }

  Build Which() const override { return Build::kWine; }

  void Wipe(const std::string& path) override {
    const std::string bare = path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    const DWORD attributes = GetFileAttributesA(bare.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      return;
    }
    SetFileAttributesA(bare.c_str(), FILE_ATTRIBUTE_NORMAL);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      DeleteFileA(bare.c_str());
      return;
    }
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((bare + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
          Wipe(bare + "\\" + name);
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(bare.c_str());
  }

  void MakeFolder(const std::string& path, std::uint32_t attributes) override {
    CreateDirectoryA(path.c_str(), nullptr);
    AddAttributes(path, attributes);
  }

  void MakeFile(const std::string& path, const std::string& bytes,
                std::uint32_t attributes) override {
    std::ofstream(path, std::ios::binary) << bytes;
    AddAttributes(path, attributes);
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  void HoldOpen(const std::string& path) override {
    Release();
    held_ = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }

  void Release() override {
    if (held_ != INVALID_HANDLE_VALUE) {
      CloseHandle(held_);
      held_ = INVALID_HANDLE_VALUE;
    }
  }

  void DeleteKey(const std::string& path) override {
    RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
  }

  void MakeKey(const std::string& path) override { RegCloseKey(Create(path)); }

  void PutValue(const std::string& key, const std::string& name, std::uint32_t type,
                const std::string& data) override {
    const HKEY opened = Create(key);
    RegSetValueExA(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
    RegCloseKey(opened);
  }

  // Everyone: KEY_READ and DELETE, so that the next run can still delete the key.
  void LimitKey(const std::string& path) override {
    PSECURITY_DESCRIPTOR limited = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;0x30019;;;WD)", SDDL_REVISION_1,
                                                         &limited, nullptr);
    HKEY opened = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &opened);
    RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, limited);
    RegCloseKey(opened);
    LocalFree(limited);
  }

 private:
  static void AddAttributes(const std::string& path, std::uint32_t attributes) {
    if (attributes != 0) {
      SetFileAttributesA(path.c_str(), GetFileAttributesA(path.c_str()) | attributes);
    }
  }

  // One part at a time: Wine's narrow calls refuse a path of more than 260 characters.
  static HKEY Create(const std::string& path) {
    HKEY key = HKEY_CURRENT_USER;
    for (std::string::size_type start = 0; start <= path.size();) {
      const std::string::size_type end = std::min(path.find('\\', start), path.size());
      HKEY created = nullptr;
      RegCreateKeyExA(key, path.substr(start, end - start).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &created, nullptr);
      if (key != HKEY_CURRENT_USER) {
        RegCloseKey(key);
      }
      key = created;
      start = end + 1;
    }
    return key;
  }

  HANDLE held_ = INVALID_HANDLE_VALUE;
};

}  // namespace

Env& TheEnv() {
  static Win32Env env;
  return env;
}

}  // namespace contract
