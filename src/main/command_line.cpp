#include "main/command_line.h"

#include "util/cls_string.h"

std::wstring ArgumentText(std::wstring_view command_line) {
  std::wstring_view::size_type end = 0;
  if (!command_line.empty() && command_line.front() == L'"') {
    end = command_line.find(L'"', 1);
    end = end == std::wstring_view::npos ? command_line.size() : end + 1;
  } else {
    end = command_line.find_first_of(L" \t");
    if (end == std::wstring_view::npos) {
      end = command_line.size();
    }
  }
  const auto start = command_line.find_first_not_of(L" \t", end);
  return start == std::wstring_view::npos ? std::wstring()
                                          : std::wstring(command_line.substr(start));
}

std::wstring HelpPage(std::wstring text, cls_String& strings, bool& stay) {
  if (strings.of_Find(text, L"visio=", false) > 0) {
    strings.of_GetNextToken(text, L" ");
  }
  text = strings.of_GlobalReplace(text, L"\"", L"", true);
  // Only spaces: a tab around a page name belongs to it.
  const auto first = text.find_first_not_of(L' ');
  text = first == std::wstring::npos ? std::wstring()
                                     : text.substr(first, text.find_last_not_of(L' ') - first + 1);
  if (text == L"ABOUT_STAY") {
    stay = true;
    text.clear();
  }
  return text;
}
