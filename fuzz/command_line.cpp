// Any command line cut and cleaned against the grammar written out plainly: the name's cut drops
// the blanks after it, a text holding "visio=" in any case loses its first space-separated token,
// quotes go, spaces are trimmed, and ABOUT_STAY asks for a window that stays.
#include "main/command_line.h"
#include "fuzz.h"
#include "util/cls_string.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::wstring arguments = fuzz::Decode(data, size);
  const std::size_t start = arguments.find_first_not_of(L" \t");
  std::wstring page = start == std::wstring::npos ? L"" : arguments.substr(start);
  if (platform::Current().text->UpperCase(page).find(L"VISIO=") != std::wstring::npos) {
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
  const std::wstring name = names[size % 4];
  const std::wstring cleaned = HelpPage(ArgumentText(name + arguments), strings, stay);
  fuzz::Require(stay == (page == L"ABOUT_STAY"), "ABOUT_STAY and only it makes the window stay");
  fuzz::Require(cleaned == (stay ? L"" : page), "the page is the cleaned argument text");
  return 0;
}
