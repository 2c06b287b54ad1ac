#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

/// The system's text services: the ANSI code page and the user's locale.
class Text {
 public:
  virtual ~Text() = default;
  /// WideCharToMultiByte(CP_ACP) without best fit; nullopt when a character has no exact byte
  /// form (it would become "?", a wildcard to the file layer, or a look-alike).
  virtual std::optional<std::string> ToAnsi(std::wstring_view text) = 0;
  /// MultiByteToWideChar(CP_ACP).
  virtual std::wstring FromAnsi(std::string_view bytes) = 0;
  /// LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE): same length as the input.
  virtual std::wstring UpperCase(std::wstring_view text) = 0;
};

}  // namespace platform
