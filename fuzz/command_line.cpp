// Any command line cut and cleaned against the grammar written out plainly: the name's cut drops
// the blanks after it, a text holding "visio=" in any case loses its first space-separated token,
// quotes go, spaces are trimmed, and ABOUT_STAY asks for a window that stays. On Linux the text
// service is Latin-1 for the code page with the C library's upper case, as the grammar here uses.
#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <iostream>

#include "main/command_line.h"
#include "platform/platform.h"
#include "util/cls_string.h"

namespace {

struct Latin1 final : platform::Text {
  std::optional<std::string> ToAnsi(std::wstring_view text) override {
    const auto outside = [](wchar_t c) { return c < 0 || c > 0xFF; };
    return std::any_of(text.begin(), text.end(), outside)
               ? std::nullopt
               : std::optional<std::string>(std::in_place, text.begin(), text.end());
  }
  std::wstring FromAnsi(std::string_view bytes) override { return {bytes.begin(), bytes.end()}; }
  std::wstring UpperCase(std::wstring_view text) override {
    std::wstring upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), std::towupper);
    return upper;
  }
};

/// Bytes below 0xFF are the characters of those codes; 0xFF and the two bytes after it make any
/// other character of the basic plane.
std::wstring Decode(const unsigned char* data, std::size_t size) {
  std::wstring decoded;
  for (std::size_t i = 0; i < size; ++i) {
    const bool wide = data[i] == 0xFF && i + 2 < size;
    decoded += static_cast<wchar_t>(wide ? data[i + 1] << 8 | data[i + 2] : data[i]);
    i += wide ? 2 : 0;
  }
  return decoded;
}

void Require(bool holds, const char* property) {
  if (!holds) {
    std::cerr << "violated: " << property << '\n';
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  static Latin1 text;
  platform::Install({.text = &text});
  const std::wstring arguments = Decode(data, size);
  const std::size_t start = arguments.find_first_not_of(L" \t");
  std::wstring page = start == std::wstring::npos ? L"" : arguments.substr(start);
  if (text.UpperCase(page).find(L"VISIO=") != std::wstring::npos) {
    page = page.find(L' ') == std::wstring::npos ? L"" : page.substr(page.find(L' ') + 1);
  }
  std::erase(page, L'"');
  const std::size_t first = page.find_first_not_of(L' ');
  page = first == std::wstring::npos ? L""
                                     : page.substr(first, page.find_last_not_of(L' ') - first + 1);
  cls_String strings;
  bool stay = false;
  // The program's name, unquoted or quoted, ends at a space or a tab.
  const wchar_t* const names[] = {L"BrenvicAbout.exe ", L"BrenvicAbout.exe\t",
                                  L"\"C:\\a b\\Brenvic.exe\"\t", L"\"C:\\a b\\Brenvic.exe\" "};
  const std::wstring cleaned = HelpPage(ArgumentText(names[size % 4] + arguments), strings, stay);
  Require(stay == (page == L"ABOUT_STAY"), "ABOUT_STAY and only it makes the window stay");
  Require(cleaned == (stay ? L"" : page), "the page is the cleaned argument text");
  return 0;
}
