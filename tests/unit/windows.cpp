#include "unit/windows.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/listing.h"
#include "platform/win32/win32_parts.h"

namespace unit {

namespace fs = std::filesystem;

Windows::Windows() {
  namespace win32 = platform::win32;
  clock.generator = &win32::TheRandom();
  platform::Install({&win32::TheRegistry(), &win32::TheFileSystem(), &win32::TheText(), &dialogs,
                     &clock, &shell, &process, &win32::TheToolkit()});
  Reset();
}

void Windows::Reset() {
  // A listing the program left open keeps its folder from being deleted.
  platform::ListFirst(L"C:\\*.none", 0);
  SetCurrentDirectoryW(L"C:\\");
  std::error_code error;
  for (const fs::path& top : {fs::path(kScratch), fs::path(L"Q:\\")}) {
    for (const auto& entry : fs::recursive_directory_iterator(top, error)) {
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only ones too
    }
    for (const auto& entry : fs::directory_iterator(top, error)) {
      fs::remove_all(entry.path(), error);
    }
  }
  fs::create_directories(kScratch);
  RegDeleteTreeW(HKEY_CURRENT_USER, kScratchKey);
  dialogs = {};
  shell = {};
  process = {};
}

void Windows::Play(const Act& act, void (*before)()) {
  SCOPED_TRACE(act.name);
  Reset();
  before();
  dialogs.answers = act.answers;
  const HANDLE held = act.in_use == nullptr
                          ? INVALID_HANDLE_VALUE
                          : CreateFileW(At(act.in_use).c_str(), GENERIC_READ, act.sharing, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  EXPECT_EQ(act.call(), act.result);
  CloseHandle(held);
  EXPECT_EQ(dialogs.shown, act.boxes);
  for (const auto& [path, size] : act.after) {
    EXPECT_EQ(Size(path), size) << path;
  }
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

int Size(const std::wstring& path) {
  std::ifstream in(fs::path(At(path)), std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(in), {});
  return GetFileAttributesW(At(path).c_str()) == INVALID_FILE_ATTRIBUTES
             ? -1
             : static_cast<int>(bytes.size());
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

std::string Sz(const std::wstring& text) {
  return std::string(text.begin(), text.end()) + '\0';
}

}  // namespace unit
