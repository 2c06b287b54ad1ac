#include "unit/windows.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/listing.h"
#include "platform/win32/win32_parts.h"

namespace unit {

namespace fs = std::filesystem;

Windows::Windows() {
  namespace win32 = platform::win32;
  platform::Install({&win32::TheRegistry(), &win32::TheFileSystem(), &win32::TheText(), &dialogs,
                     &win32::TheRandom(), &shell, &process, &win32::TheToolkit()});
  Reset();
}

void Windows::Reset() {
  // A listing the program left open keeps its folder from being deleted.
  platform::ListFirst(L"C:\\*.none", 0);
  SetCurrentDirectoryW(L"C:\\");
  std::error_code error;
  for (const fs::path& top : {fs::path(kScratch), fs::path(L"Q:\\")}) {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(top, error)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only ones too
      entries.push_back(entry.path());
    }
    for (const fs::path& entry : entries) {
      fs::remove_all(entry, error);
    }
  }
  fs::create_directories(kScratch);
  DeleteKey(HKEY_CURRENT_USER, kScratchKey);
  dialogs = {};
  shell = {};
  process = {};
}

std::wstring At(const std::wstring& path) {
  return path.size() > 1 && path[1] == L':' ? path : kScratch + path;
}

void Make(const std::wstring& path, std::size_t bytes, DWORD attributes) {
  const fs::path full = At(path);
  fs::create_directories(path.ends_with(L'\\') ? full : full.parent_path());
  if (!path.ends_with(L'\\')) {
    std::ofstream(full, std::ios::binary) << std::string(bytes, 'x');
  }
  // Wine keeps only one of hidden and system set at once.
  SetFileAttributesW(full.c_str(), attributes & ~FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(full.c_str(), attributes);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(At(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Bytes(const std::wstring& path) {
  std::ifstream in(fs::path(At(path)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring Cause(DWORD code) {
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 512, nullptr);
  return std::wstring(text).substr(0, std::wstring(text).find_first_of(L"\r\n"));
}

void SetValue(HKEY root, const std::wstring& key, const char* name, DWORD type,
              const std::string& data) {
  HKEY opened = nullptr;
  RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
  ASSERT_EQ(RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            0);
  RegCloseKey(opened);
}

void DeleteKey(HKEY root, const std::wstring& key) {
  RegDeleteTreeW(root, key.c_str());
  RegDeleteKeyW(root, key.c_str());
}

std::string Sz(const std::wstring& text) {
  return std::string(text.begin(), text.end()) + '\0';
}

}  // namespace unit
