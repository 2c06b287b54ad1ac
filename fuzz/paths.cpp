// The path operations of cls_File on any text: what a fixed path, a file name, a folder part and a
// drive always are, and how they fit together.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake/fake_platform.h"
#include "require.h"
#include "util/cls_file.h"

namespace {

using fuzz::Require;

// ASCII as it stands, so that seeds read as paths; 0x80 to 0xBF stand for what paths are made of
// (both separators, drive colons, dots, spaces), and 0xC0 and up take the next byte as a Latin-1
// character.
std::wstring Decode(const std::uint8_t* data, std::size_t size) {
  static constexpr wchar_t kCommon[] = {L'\\', L'/', L':', L'.', L' ', L'C', L'c', L'a', L'\t'};
  std::wstring text;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] < 0x80) {
      text += static_cast<wchar_t>(data[i]);
    } else if (data[i] < 0xC0) {
      text += kCommon[data[i] % std::size(kCommon)];
    } else if (i + 1 < size) {
      text += static_cast<wchar_t>(data[++i]);
    }
  }
  return text;
}

bool HasSeparator(const std::wstring& text) {
  return text.find_first_of(L"\\/") != std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = Decode(data, size);
  std::wstring turned = path;
  std::replace(turned.begin(), turned.end(), L'/', L'\\');
  fake::FakePlatform fakes;
  cls_File files;

  const std::wstring fixed = files.of_FixPath(path);
  Require(fixed.ends_with(L'\\') && fixed.find(L'/') == std::wstring::npos,
          "a fixed path ends in \\ and holds no /");
  Require(fixed.starts_with(turned) && fixed.size() - turned.size() <= 1,
          "fixing a path turns its slashes and adds at most the final \\");
  Require(files.of_FixPath(fixed) == fixed, "a fixed path stays as it is");

  const std::wstring name = files.of_GetFileName(path);
  Require(!HasSeparator(name), "a file name holds no separator");
  Require(turned.ends_with(name), "the file name ends the path");

  const std::wstring folder = files.of_GetFilePath(path);
  if (folder.empty()) {
    Require(!HasSeparator(path) && name == path, "only a path without separators has no folder");
  } else {
    Require(folder.ends_with(L'\\') && folder.find(L'/') == std::wstring::npos,
            "a folder part ends in \\ and holds no /");
    Require(folder + name == turned, "folder and name make the path, its slashes turned");
  }

  const std::wstring drive = files.of_GetDrive(path);
  const std::size_t first = path.find_first_not_of(L' ');
  const bool colon_second =
      first != std::wstring::npos && first + 1 < path.size() && path[first + 1] == L':';
  Require(drive == (colon_second ? path.substr(first, 1) : std::wstring()),
          "the drive is the character before a colon in second place, spaces aside, or empty");
  return 0;
}
