#pragma once

// What the Windows tests read back: a window's controls, an error's text, the files below folders.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace reading {

/// The child windows of `window`, panels' children included.
inline std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM found) WINAPI -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

/// ASCII text as bytes: the program's own texts are ASCII.
inline std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

/// The system's one-line description of an error code, as failure messages give it.
inline std::wstring Cause(DWORD code) {
  wchar_t text[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 512, nullptr);
  return std::wstring(text).substr(0, std::wstring(text).find_first_of(L"\r\n"));
}

inline std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

/// Each of `tops` that is a file and everything below those that are folders, with its bytes; a
/// folder's path ends in "\" and holds none.
inline std::map<std::wstring, std::string> Tree(const std::vector<std::wstring>& tops) {
  std::map<std::wstring, std::string> tree;
  std::error_code error;
  for (const std::filesystem::path top : tops) {
    if (is_regular_file(top, error)) {
      tree[top] = Bytes(top);
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(top, error)) {
      tree[entry.path().wstring() + (entry.is_directory() ? L"\\" : L"")] =
          entry.is_directory() ? "" : Bytes(entry.path());
    }
  }
  return tree;
}

}  // namespace reading
