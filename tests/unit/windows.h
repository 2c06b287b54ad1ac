#pragma once

// The classes' tests: the real Win32 platform with doubles where a person or another program
// answers (message boxes, the shell, the program's folder) and a fixed clock.

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "reading.h"

namespace unit {

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
    const int enter = (style & mb::kYesNo) == 0            ? mb::kIdOk
                      : (style & mb::kDefaultButton2) != 0 ? mb::kIdNo
                                                           : mb::kIdYes;
    if (answers.empty()) {
      return enter;
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
  void Seed(double seed) override { generator->Seed(seed); }
  double Next() override { return generator->Next(); }
  platform::Random* generator;
};

struct Process final : platform::Process {
  std::wstring folder;
  std::wstring CommandLine() override { return L"BrenvicAbout.exe"; }
  std::wstring ProgramFolder() override { return folder; }
};

/// Every test works in this folder and registry key (HKCU); Q: is a drive whose root is an empty
/// folder (scripts/lib/env.sh maps it).
inline constexpr wchar_t kScratch[] = L"C:\\brenvic-unit\\";
inline constexpr wchar_t kScratchKey[] = L"Software\\BrenvicUnit";

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

/// `Reset` starts a row afresh: it deletes what a crashed run or the row before left in the scratch
/// folder, on Q: and in the key. `Play` plays an act on what `before` makes. The keys of
/// HKEY_CLASSES_ROOT that tests change are put back as they were after each test.
class Windows : public ::testing::Test {
 protected:
  Windows();
  ~Windows() override;
  void Reset();
  void Play(const Act& act, void (*before)());

  Dialogs dialogs;
  Shell shell;
  Process process;
  Clock clock;
};

/// The tests run under code page 1252 or 1251 (the scripts set which): a letter of the code page
/// beyond ASCII, its byte there, and a letter that it lacks.
inline const bool kCyrillic = GetACP() == 1251;
inline const std::wstring kOwnLetter = kCyrillic ? L"ж" : L"é";
inline const char kOwnByte = kCyrillic ? '\xE6' : '\xE9';
inline const std::wstring kForeignLetter = kCyrillic ? L"é" : L"ж";

/// `path` below the scratch folder unless absolute.
std::wstring At(const std::wstring& path);
/// Makes a file of `bytes` bytes with `attributes` (a folder for a path ending in "\") and the
/// folders above it.
void Make(const std::wstring& path, std::size_t bytes = 1, DWORD attributes = 0);
/// Everything in the scratch folder and on Q:, each with its bytes.
inline std::map<std::wstring, std::string> Files() {
  return reading::Tree({kScratch, L"Q:\\"});
}
/// Sets a value (`data` as stored) of `key` under `root`, making the key.
void SetValue(HKEY root, const std::wstring& key, const char* name, DWORD type,
              const std::string& data);
/// The bytes of a string value holding the ASCII `text`, its terminating zero included.
std::string Sz(const std::wstring& text);

}  // namespace unit
