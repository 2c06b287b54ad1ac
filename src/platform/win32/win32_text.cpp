#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

// The default character and best fit both stand in for characters the code page lacks: "?" is a
// wildcard to the file layer and a look-alike names another file, so either makes the text fail.
std::optional<std::string> Narrow(std::wstring_view text) {
  if (text.empty()) {
    return std::string();
  }
  const int length = static_cast<int>(text.size());
  BOOL used_default = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr,
                                       0, nullptr, &used_default);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, bytes.data(), size,
                      nullptr, &used_default);
  if (size == 0 || used_default || Widen(bytes) != text) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> NarrowName(std::wstring_view text) {
  return text.find(L'\0') == std::wstring_view::npos ? Narrow(text) : std::nullopt;
}

std::wstring Widen(std::string_view bytes) {
  if (bytes.empty()) {
    return {};
  }
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
  return text;
}

namespace {

class Win32Text final : public Text {
 public:
  std::optional<std::string> ToAnsi(std::wstring_view text) override { return Narrow(text); }
  std::wstring FromAnsi(std::string_view bytes) override { return Widen(bytes); }
  std::wstring UpperCase(std::wstring_view text) override {
    std::wstring upper(text);
    if (!text.empty()) {
      const int length = static_cast<int>(text.size());
      LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), length, upper.data(), length);
    }
    return upper;
  }
};

}  // namespace

Text& TheText() {
  static Win32Text text;
  return text;
}

}  // namespace platform::win32
