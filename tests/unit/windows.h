#pragma once

// The classes' tests: the real Win32 platform; doubles for boxes, shell, program folder and clock.

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

/// A fixed time of day: the random generator it seeds draws the same numbers each time.
struct Clock final : platform::Random {
  double SecondsSinceMidnight() override { return 43200.5; }
  void Seed(double seed) override { platform::win32::TheRandom().Seed(seed); }
  double Next() override { return platform::win32::TheRandom().Next(); }
};

struct Process final : platform::Process {
  std::wstring CommandLine() override { return L"BrenvicAbout.exe"; }
  std::wstring ProgramFolder() override { return L"C:\\brenvic-unit"; }
};

/// Every test works in these (and HKEY_CLASSES_ROOT) of the throw-away prefix the scripts make, and
/// on Q:, an empty folder's drive (scripts/lib/wine-root.sh).
inline constexpr wchar_t kScratch[] = L"C:\\brenvic-unit\\";
inline constexpr wchar_t kScratchKey[] = L"Software\\BrenvicUnit";

/// Under code page 1252 or 1251: a non-ASCII letter of the code page, its byte, and one it lacks.
inline const bool kCyrillic = GetACP() == 1251;
inline const std::wstring kOwnLetter = kCyrillic ? L"ж" : L"é";
inline const char kOwnByte = kCyrillic ? '\xE6' : '\xE9';
inline const std::wstring kForeignLetter = kCyrillic ? L"é" : L"ж";

/// `path` below the scratch folder unless absolute.
inline std::wstring At(const std::wstring& path) {
  return path.size() > 1 && path[1] == L':' ? path : kScratch + path;
}

/// Makes a file of `bytes` bytes (a folder for a path ending in "\") and the folders above it.
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
  ASSERT_EQ(RegSetKeyValueA(root, reading::Narrow(key).c_str(), name, type, data.data(),
                            static_cast<DWORD>(data.size())),
            0);
}

/// Q: is wiped only when the scripts name it the scratch drive and it was empty when the tests
/// began (an empty root lists no "." either).
inline bool IsScratchDrive() {
  static const bool scratch = [] {
    const char* named = std::getenv("BRENVIC_SCRATCH_DRIVE");
    WIN32_FIND_DATAW entry;
    const HANDLE first = FindFirstFileW(L"Q:\\*", &entry);
    const bool empty = first == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_NOT_FOUND;
    FindClose(first);
    return named != nullptr && std::string_view(named) == "Q:" && empty;
  }();
  return scratch;
}

/// An act on the files: what it returns, the boxes it shows (answered with `answers`, then as Enter
/// does) and what it changes in the scratch folder and on Q: (each path then holds that many bytes,
/// a folder none; -1: nothing is there); all else stays as it was.
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

  /// Deletes what a crashed run or the row before left in the scratch folder, on Q: and in the key.
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

  void Play(const Act& act, void (*before)()) {
    SCOPED_TRACE(act.name);
    Reset();
    before();
    dialogs.answers = act.answers;
    auto expected = reading::Tree({kScratch, L"Q:\\"});
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
    EXPECT_EQ(reading::Tree({kScratch, L"Q:\\"}), expected);
  }

  Dialogs dialogs;
  Shell shell;
  Process process;
  Clock clock;
};

}  // namespace unit
