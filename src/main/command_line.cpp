#include "main/command_line.h"

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
