#pragma once

// The fixture of the classes' tests: the real Win32 platform, with doubles where a person or
// another program answers (the user at the message boxes, the shell, the folder the program is
// started from), over a scratch folder and registry key.

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace unit {

namespace mb = platform::mb;

struct Box {
  std::wstring text;
  std::uint32_t style;
  std::wstring title = L"Brenvic Visio";
  bool operator==(const Box&) const = default;
};

/// Records each box and answers with the next of `answers`, or, with none left, as Enter does.
struct Dialogs final : platform::Dialogs {
  std::vector<Box> shown;
  std::deque<int> answers;
  int MessageBox(const std::wstring& text, const std::wstring& title,
                 std::uint32_t style) override {
    shown.push_back({text, style, title});
    int answer = (style & mb::kYesNo) == 0            ? mb::kIdOk
                 : (style & mb::kDefaultButton2) != 0 ? mb::kIdNo
                                                      : mb::kIdYes;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
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

struct Process final : platform::Process {
  std::wstring folder;
  std::wstring CommandLine() override { return L"BrenvicAbout.exe"; }
  std::wstring ProgramFolder() override { return folder; }
};

/// Every test works in this folder and registry key (HKCU); Q: is a drive whose root is an empty
/// folder (scripts/lib/env.sh maps it).
inline constexpr wchar_t kScratch[] = L"C:\\brenvic-unit\\";
inline constexpr wchar_t kScratchKey[] = L"Software\\BrenvicUnit";

/// `Reset` starts a row afresh: it deletes what a crashed run or the row before left in the scratch
/// folder, on Q: and in the key.
class Windows : public ::testing::Test {
 protected:
  Windows();
  ~Windows() override { Reset(); }
  void Reset();

  Dialogs dialogs;
  Shell shell;
  Process process;
};

/// `path` below the scratch folder unless absolute.
std::wstring At(const std::wstring& path);
/// Makes a file of `bytes` bytes with `attributes` (a folder for a path ending in "\") and the
/// folders above it.
void Make(const std::wstring& path, std::size_t bytes = 1, DWORD attributes = 0);
bool Exists(const std::wstring& path);
std::string Bytes(const std::wstring& path);
/// The system's one-line description of an error code, as failure messages give it.
std::wstring Cause(DWORD code);
/// Sets a value (`data` as stored) of `key` under `root`, making the key; deletes a key's tree.
void SetValue(HKEY root, const std::wstring& key, const char* name, DWORD type,
              const std::string& data);
void DeleteKey(HKEY root, const std::wstring& key);
/// The bytes of a string value holding the ASCII `text`, its terminating zero included.
std::string Sz(const std::wstring& text);

}  // namespace unit
