#include "platform/wildcards.h"

#include <string>
#include <vector>

namespace platform {

namespace {

// The forms FindFirstFileW gives the wildcards before the file system matches them.
constexpr wchar_t kDosStar = L'<';
constexpr wchar_t kDosQuestion = L'>';
constexpr wchar_t kDosDot = L'"';

std::wstring Translated(std::wstring_view pattern) {
  std::wstring dos(pattern);
  for (std::size_t i = 0; i < dos.size(); ++i) {
    const wchar_t next = i + 1 < dos.size() ? pattern[i + 1] : L'\0';
    if (dos[i] == L'?') {
      dos[i] = kDosQuestion;
    } else if (dos[i] == L'*' && next == L'.') {
      dos[i] = kDosStar;
    } else if (dos[i] == L'.' && (next == L'\0' || next == L'?' || next == L'*')) {
      dos[i] = kDosDot;
    }
  }
  return dos;
}

}  // namespace

bool MatchesLongName(std::wstring_view pattern, std::wstring_view name) {
  const std::wstring dos = Translated(pattern);
  const std::size_t last_dot = name.rfind(L'.');
  // reached[i]: the pattern read so far can match the first i characters of the name.
  std::vector<bool> reached(name.size() + 1, false);
  reached[0] = true;
  for (const wchar_t wild : dos) {
    std::vector<bool> next(name.size() + 1, false);
    for (std::size_t i = 0; i <= name.size(); ++i) {
      if (!reached[i]) {
        continue;
      }
      const bool more = i < name.size();
      switch (wild) {
        case L'*':
          for (std::size_t j = i; j <= name.size(); ++j) {
            next[j] = true;
          }
          break;
        case kDosStar:
          for (std::size_t j = i; j <= name.size() && (j == i || j - 1 != last_dot); ++j) {
            next[j] = true;
          }
          break;
        case kDosQuestion:
          next[more && name[i] != L'.' ? i + 1 : i] = true;
          break;
        case kDosDot:
          if (more ? name[i] == L'.' : true) {
            next[more ? i + 1 : i] = true;
          }
          break;
        default:
          if (more && name[i] == wild) {
            next[i + 1] = true;
          }
      }
    }
    reached.swap(next);
  }
  return reached[name.size()];
}

bool HasWildcard(std::wstring_view name) {
  return name.find_first_of(L"*?<>\"") != std::wstring_view::npos;
}

}  // namespace platform
