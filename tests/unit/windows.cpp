#include "unit/windows.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/listing.h"
#include "platform/win32/win32_parts.h"

namespace unit {

namespace fs = std::filesystem;

namespace {

// Q: is wiped before every test: only when it is the scratch drive that the test scripts name, and
// it was empty when the tests began.
bool IsScratchDrive() {
  static const bool scratch = [] {
    const char* named = std::getenv("BRENVIC_SCRATCH_DRIVE");
    WIN32_FIND_DATAW entry;
    const HANDLE first = FindFirstFileW(L"Q:\\*", &entry);  // an empty root lists no "." either
    const bool empty = first == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
    FindClose(first);
    return named != nullptr && std::string_view(named) == "Q:" && empty;
  }();
  return scratch;
}

// The keys of HKEY_CLASSES_ROOT that the tests change, and where they are kept meanwhile.
constexpr const wchar_t* kBorrowed[] = {L"Visio.Drawing", L"Visio.Drawing.20", L"Visio.Drawing.21",
                                        L"V.11"};
const std::wstring kKept = std::wstring(kScratchKey) + L"Kept\\";

// Copies the tree `from` to `to`, replacing it; nothing when `from` is missing.
void CopyTree(HKEY root_from, const std::wstring& from, HKEY root_to, const std::wstring& to) {
  HKEY source = nullptr, target = nullptr;
  RegDeleteTreeW(root_to, to.c_str());
  if (RegOpenKeyExW(root_from, from.c_str(), 0, KEY_READ, &source) == 0 &&
      RegCreateKeyExW(root_to, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                      nullptr) == 0) {
    RegCopyTreeW(source, nullptr, target);
  }
  RegCloseKey(source);
  RegCloseKey(target);
}

}  // namespace

Windows::Windows() {
  namespace win32 = platform::win32;
  clock.generator = &win32::TheRandom();
  platform::Install({&win32::TheRegistry(), &win32::TheFileSystem(), &win32::TheText(), &dialogs,
                     &clock, &shell, &process, &win32::TheToolkit()});
  for (const wchar_t* key : kBorrowed) {
    CopyTree(HKEY_CLASSES_ROOT, key, HKEY_CURRENT_USER, kKept + key);
  }
  EXPECT_TRUE(IsScratchDrive()) << "Q: is not the empty scratch drive: it is left as it is";
  Reset();
}

Windows::~Windows() {
  Reset();
  for (const wchar_t* key : kBorrowed) {
    CopyTree(HKEY_CURRENT_USER, kKept + key, HKEY_CLASSES_ROOT, key);
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, kKept.c_str());
}

void Windows::Reset() {
  // A listing the program left open keeps its folder from being deleted.
  platform::ListFirst(L"C:\\*.none", 0);
  SetCurrentDirectoryW(L"C:\\");
  std::error_code error;
  for (const fs::path& top : {fs::path(kScratch), fs::path(IsScratchDrive() ? L"Q:\\" : L"")}) {
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
  auto expected = Files();
  for (const auto& [path, size] : act.after) {
    if (size < 0) {
      expected.erase(At(path));
    } else {
      expected[At(path)] = std::string(static_cast<std::size_t>(size), 'x');
    }
  }
  const HANDLE held = act.in_use == nullptr
                          ? INVALID_HANDLE_VALUE
                          : CreateFileW(At(act.in_use).c_str(), GENERIC_READ, act.sharing, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  EXPECT_EQ(act.call(), act.result);
  CloseHandle(held);
  EXPECT_EQ(dialogs.shown, act.boxes);
  EXPECT_EQ(Files(), expected);
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
