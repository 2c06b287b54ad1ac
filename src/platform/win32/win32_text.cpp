#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

// Only what every code page takes: UTF-8 and several others refuse any flag and the used-default
// pointer. The default character and best fit both stand in for characters the code page lacks ("?"
// is a wildcard, a look-alike names another thing); neither converts back to the original.
std::optional<std::string> Narrow(std::wstring_view text, UINT code_page) {
  if (text.empty()) {
    return std::string();
  }
  const int length = static_cast<int>(text.size());
  const int size =
      WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
  if (size == 0 || Widen(bytes, code_page) != text) {
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::string> NarrowName(std::wstring_view text) {
  return text.find(L'\0') == std::wstring_view::npos ? Narrow(text) : std::nullopt;
}

std::wstring Widen(std::string_view bytes, UINT code_page) {
  if (bytes.empty()) {
    return {};
  }
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(code_page, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, bytes.data(), length, text.data(), size);
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
