#pragma once

#include <cstdint>
#include <string>

/// The program's string toolbox: tokens, global replace, find and trim. Positions are 1-based.
class cls_String {
 public:
  /// Cuts the text before the first `as_Delimitor` (any case) off `as_Source` and returns it; the
  /// delimiter goes too. No delimiter: returns the whole source and empties it.
  std::wstring of_GetNextToken(std::wstring& as_Source, const std::wstring& as_Delimitor);

  /// As `of_GetNextToken`, matching the delimiter with or without regard to case.
  std::wstring of_GetNextTokenEx(std::wstring& as_Source, const std::wstring& as_Delimitor,
                                 const bool& ab_IsCaseSensitive);

  /// `as_Source` with every occurrence of `as_Find` replaced from left to right, without
  /// rescanning.
  std::wstring of_GlobalReplace(std::wstring as_Source, std::wstring as_Find,
                                std::wstring as_ReplaceWith, bool ab_CaseSensitive);

  /// As `of_GlobalReplace`. A text to find that is empty or longer than 32,767 characters leaves
  /// the source unchanged.
  std::wstring of_GlobalReplaceEx(std::wstring as_Source, const std::wstring& as_Find,
                                  const std::wstring& as_ReplaceWith, const bool& ab_CaseSensitive);

  /// Position of the first `as_Find` in `as_Source`; 0 if none or the source is empty, 1 for an
  /// empty `as_Find`.
  std::int32_t of_Find(const std::wstring& as_Source, std::wstring as_Find, bool ab_CaseSensitive);

  /// `as_Text` without blanks (ANSI code below 33) at its start (`ai_Type` < 0), its end
  /// (`ai_Type` > 0) or both (0).
  std::wstring of_Trim(std::wstring as_Text, const std::int16_t& ai_Type = 0);
};
