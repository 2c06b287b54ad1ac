#include "util/cls_string.h"

#include <limits>
#include <utility>

#include "platform/ansi.h"
#include "platform/platform.h"

namespace {

// The search every operation shares: 1-based position, 0 for none; an empty subject has none and
// an empty pattern stands at 1. Without case, the user's locale decides through its upper case.
std::int32_t FindIn(const std::wstring& subject, const std::wstring& pattern, bool case_sensitive) {
  if (subject.empty()) {
    return 0;
  }
  std::wstring::size_type at = 0;
  if (case_sensitive) {
    at = subject.find(pattern);
  } else {
    platform::Text& text = *platform::Current().text;
    at = text.UpperCase(subject).find(text.UpperCase(pattern));
  }
  return at == std::wstring::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

std::wstring Rest(const std::wstring& text, std::size_t position) {
  return position > text.size() ? std::wstring() : text.substr(position - 1);
}

// A character is blank when the code page holds it in one byte below 33.
bool IsBlank(wchar_t character) {
  const auto bytes = platform::Ansi(std::wstring_view(&character, 1));
  return bytes && bytes->size() == 1 && static_cast<unsigned char>(bytes->front()) < 33;
}

}  // namespace

std::wstring cls_String::of_GetNextToken(std::wstring& as_Source,
                                         const std::wstring& as_Delimitor) {
  return of_GetNextTokenEx(as_Source, as_Delimitor, false);
}

std::wstring cls_String::of_GetNextTokenEx(std::wstring& as_Source,
                                           const std::wstring& as_Delimitor,
                                           const bool& ab_IsCaseSensitive) {
  const std::int32_t p = FindIn(as_Source, as_Delimitor, ab_IsCaseSensitive);
  if (p == 0) {
    std::wstring token;
    token.swap(as_Source);
    return token;
  }
  std::wstring token = as_Source.substr(0, static_cast<std::size_t>(p) - 1);
  as_Source = Rest(as_Source, static_cast<std::size_t>(p) + as_Delimitor.size());
  return token;
}

std::wstring cls_String::of_GlobalReplace(std::wstring as_Source, std::wstring as_Find,
                                          std::wstring as_ReplaceWith, bool ab_CaseSensitive) {
  return of_GlobalReplaceEx(std::move(as_Source), as_Find, as_ReplaceWith, ab_CaseSensitive);
}

std::wstring cls_String::of_GlobalReplaceEx(std::wstring as_Source, const std::wstring& as_Find,
                                            const std::wstring& as_ReplaceWith,
                                            const bool& ab_CaseSensitive) {
  // The length is a 16-bit count: a longer text to find cannot be held and finds nothing.
  std::int16_t n = 0;
  if (as_Find.size() <= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    n = static_cast<std::int16_t>(as_Find.size());
  }
  if (n == 0) {
    return as_Source;
  }
  // The rest is searched where it starts in one copy of the source, upper-cased once when case does
  // not count: copying the rest at every match made a text of many matches take quadratic time.
  std::wstring subject;
  std::wstring pattern;
  if (!ab_CaseSensitive) {
    platform::Text& text = *platform::Current().text;
    subject = text.UpperCase(as_Source);
    pattern = text.UpperCase(as_Find);
  }
  const std::wstring& searched = ab_CaseSensitive ? as_Source : subject;
  const std::wstring& wanted = ab_CaseSensitive ? as_Find : pattern;
  std::wstring done;
  std::size_t rest = 0;
  while (rest < as_Source.size()) {
    const std::size_t at = searched.find(wanted, rest);
    if (at == std::wstring::npos) {
      break;
    }
    done.append(as_Source, rest, at - rest);
    done += as_ReplaceWith;
    rest = at + static_cast<std::size_t>(n);
  }
  done.append(as_Source, rest);
  return done;
}

std::int32_t cls_String::of_Find(const std::wstring& as_Source, std::wstring as_Find,
                                 bool ab_CaseSensitive) {
  return FindIn(as_Source, as_Find, ab_CaseSensitive);
}

std::wstring cls_String::of_Trim(std::wstring as_Text, const std::int16_t& ai_Type) {
  std::wstring text = std::move(as_Text);
  if (ai_Type <= 0) {
    std::size_t position = 1;
    while (position <= text.size() && IsBlank(text[position - 1])) {
      ++position;
    }
    text = Rest(text, position);
  }
  if (ai_Type >= 0) {
    std::size_t position = text.size();
    while (position > 0 && IsBlank(text[position - 1])) {
      --position;
    }
    text.resize(position);
  }
  return text;
}
