#include <windows.h>

#include "platform/win32/win32_parts.h"

namespace platform::win32 {

namespace {

class Win32Text final : public Text {
 public:
  std::string ToAnsi(std::wstring_view text) override {
    if (text.empty()) {
      return {};
    }
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
  }

  std::wstring FromAnsi(std::string_view bytes) override {
    if (bytes.empty()) {
      return {};
    }
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, text.data(), size);
    return text;
  }

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
