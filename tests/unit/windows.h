#pragma once

// The classes' tests: the real Win32 platform with doubles where a person or another program
// answers (message boxes, the shell, the program's folder) and a fixed clock.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <functional>

#include "platform/listing.h"
#include "platform/platform.h"
#include "platform/win32/win32_parts.h"
#include "reading.h"

namespace unit {

namespace fs = std::filesystem;
namespace mb = platform::mb;
using reading::Cause;

struct Box {
  std::wstring text;
  std::uint32_t style;
  std::wstring title = L"Brenvic Visio";
  bool operator==(const Box&) const = default;
};
inline void PrintTo(const Box& box, std::ostream* out) {
  *out << testing::PrintToString(box.text) << " style " << box.style;
}

/// Records each box and answers with the next of `answers`, or, with none left, as Enter does.
struct Dialogs final : platform::Dialogs {
  std::vector<Box> shown;
  std::deque<int> answers;
  int MessageBox(const std::wstring& text, const std::wstring& title,
                 std::uint32_t style) override {
    shown.push_back({text, style, title});
    if (answers.empty()) {
      return (style & mb::kYesNo) == 0       ? mb::kIdOk
             : (style & mb::kDefaultButton2) ? mb::kIdNo
                                             : mb::kIdYes;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

/// Records each request as "verb|file|parameters|folder|show" and answers `result`.
struct Shell final : platform::Shell {
  std::vector<std::string> requests;
  std::intptr_t result = 42;
  std::intptr_t Execute(const std::string& verb, const std::string& file, const std::string& params,
                        const std::string& folder, int show) override {
    requests.push_back(verb + "|" + file + "|" + params + "|" + folder + "|" +
                       std::to_string(show));
    return result;
  }
};

/// The time of day, fixed, so that the random generator it seeds draws the same numbers each time.
struct Clock final : platform::Random {
  double SecondsSinceMidnight() override { return 43200.5; }
  void Seed(double seed) override { platform::win32::TheRandom().Seed(seed); }
  double Next() override { return platform::win32::TheRandom().Next(); }
};

struct Process final : platform::Process {
  std::wstring CommandLine() override { return L"BrenvicAbout.exe"; }
  std::wstring ProgramFolder() override { return L"C:\\brenvic-unit"; }
};

/// Every test works in this folder and registry key (HKCU), and may change HKEY_CLASSES_ROOT: all
/// lie in the throw-away prefix that the scripts make. Q: is a drive whose root is an empty folder
/// (scripts/lib/wine-root.sh maps it).
inline constexpr wchar_t kScratch[] = L"C:\\brenvic-unit\\";
inline constexpr wchar_t kScratchKey[] = L"Software\\BrenvicUnit";

/// The tests run under code page 1252 or 1251 (the scripts set which): a letter of the code page
/// beyond ASCII, its byte there, and a letter that it lacks.
inline const bool kCyrillic = GetACP() == 1251;
inline const std::wstring kOwnLetter = kCyrillic ? L"ж" : L"é";
inline const char kOwnByte = kCyrillic ? '\xE6' : '\xE9';
inline const std::wstring kForeignLetter = kCyrillic ? L"é" : L"ж";

/// `path` below the scratch folder unless absolute.
inline std::wstring At(const std::wstring& path) {
  return path.size() > 1 && path[1] == L':' ? path : kScratch + path;
}

/// Everything in the scratch folder and on Q:, each with its bytes.
inline std::map<std::wstring, std::string> Files() {
  return reading::Tree({kScratch, L"Q:\\"});
}

/// Makes a file of `bytes` bytes with `attributes` (a folder for a path ending in "\") and the
/// folders above it.
inline void Make(const std::wstring& path, std::size_t bytes = 1, DWORD attributes = 0) {
  const fs::path full = At(path);
  fs::create_directories(path.ends_with(L'\\') ? full : full.parent_path());
  if (!path.ends_with(L'\\')) {
    std::ofstream(full, std::ios::binary) << std::string(bytes, 'x');
  }
  // Wine keeps only one of hidden and system set at once.
  SetFileAttributesW(full.c_str(), attributes & ~FILE_ATTRIBUTE_SYSTEM);
  SetFileAttributesW(full.c_str(), attributes);
}

/// Sets a value (`data` as stored) of `key` under `root`, making the key.
inline void SetValue(HKEY root, const std::wstring& key, const char* name, DWORD type,
                     const std::string& data) {
  HKEY opened = nullptr;
  RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr);
  ASSERT_EQ(RegSetValueExA(opened, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())),
            0);
  RegCloseKey(opened);
}

/// Q: is wiped only when it is the scratch drive that the test scripts name, and it was empty when
/// the tests began.
inline bool IsScratchDrive() {
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

/// One act of the program on the files: what it returns, the boxes it shows (answered with
/// `answers`, then as Enter does) and what it changes in the scratch folder and on Q: (each path
/// then holds that many bytes, a folder's path ending in "\" none; -1: nothing is there); all else
/// stays as it was.
struct Act {
  const char* name;
  std::function<int()> call;
  int result;
  std::vector<Box> boxes;
  std::vector<std::pair<const wchar_t*, int>> after = {};
  std::deque<int> answers = {};
  const wchar_t* in_use = nullptr;  ///< held open meanwhile by another program, as Visio does
  DWORD sharing = 0;                ///< what that program lets others do with it
};

class Windows : public ::testing::Test {
 protected:
  Windows() {
    namespace win32 = platform::win32;
    platform::Install({&win32::TheRegistry(), &win32::TheFileSystem(), &win32::TheText(), &dialogs,
                       &clock, &shell, &process, &win32::TheToolkit()});
    EXPECT_TRUE(IsScratchDrive()) << "Q: is not the empty scratch drive: it is left as it is";
    Reset();
  }
  ~Windows() override { Reset(); }

  /// Starts a row afresh: deletes what a crashed run or the row before left in the scratch folder,
  /// on Q: and in the key.
  void Reset() {
    platform::ListEnd();  // a listing left open keeps its folder
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
  }

  /// Plays `act` on what `before` makes.
  void Play(const Act& act, void (*before)()) {
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
    const HANDLE held = act.in_use == nullptr ? INVALID_HANDLE_VALUE
                                              : CreateFileW(At(act.in_use).c_str(), GENERIC_READ,
                                                            act.sharing, nullptr, OPEN_EXISTING,
                                                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    EXPECT_EQ(act.call(), act.result);
    CloseHandle(held);
    EXPECT_EQ(dialogs.shown, act.boxes);
    EXPECT_EQ(Files(), expected);
  }

  Dialogs dialogs;
  Shell shell;
  Process process;
  Clock clock;
};

}  // namespace unit
