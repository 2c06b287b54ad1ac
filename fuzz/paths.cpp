// The path operations of cls_File on any text: what a fixed path, a file name, a folder part and a
// drive always are, and how they fit together.
#include <algorithm>

#include "fuzz.h"
#include "util/cls_file.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  using fuzz::Require;
  const std::wstring path = fuzz::Decode(data, size);
  std::wstring turned = path;
  std::replace(turned.begin(), turned.end(), L'/', L'\\');
  cls_File files;
  const std::wstring fixed = files.of_FixPath(path);
  Require(fixed == (turned.ends_with(L'\\') ? turned : turned + L'\\'), "turns / and ends in \\");
  const std::wstring name = files.of_GetFileName(path);
  const std::wstring folder = files.of_GetFilePath(path);
  Require(name.find(L'\\') == std::wstring::npos && turned.ends_with(name), "the name ends it");
  Require(folder.empty() ? turned.find(L'\\') == std::wstring::npos
                         : folder.ends_with(L'\\') && folder + name == turned,
          "folder and name make the path");
  const std::size_t first = path.find_first_not_of(L' ');
  const bool colon =
      first != std::wstring::npos && first + 1 < path.size() && path[first + 1] == L':';
  Require(files.of_GetDrive(path) == (colon ? path.substr(first, 1) : L""),
          "the drive is the letter before a colon, spaces aside");
  return 0;
}
