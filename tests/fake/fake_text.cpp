#include "fake/fake_text.h"

#include <cstdint>

namespace fake {

namespace {

bool IsScalar(std::uint32_t code) {
  return code < 0x110000 && (code < 0xD800 || code > 0xDFFF);
}

// Decodes the sequence starting at `at`; an invalid one gives "?" and consumes one byte.
wchar_t DecodeOne(std::string_view bytes, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
  bool valid = (lead < 0x80 || lead >= 0xC0) && lead < 0xF8 && at + length <= bytes.size();
  for (std::size_t i = 1; valid && i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    valid = (next & 0xC0) == 0x80;
    code = (code << 6) | (next & 0x3F);
  }
  valid = valid && code >= kSmallest[length] && IsScalar(code);
  at += valid ? length : 1;
  return valid ? static_cast<wchar_t>(code) : L'?';
}

}  // namespace

std::string FakeText::ToAnsi(std::wstring_view text) {
  std::string bytes;
  for (const wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(c);
    if (!IsScalar(code)) {
      bytes += '?';
    } else if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else if (code < 0x800) {
      bytes += static_cast<char>(0xC0 | (code >> 6));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      bytes += static_cast<char>(0xE0 | (code >> 12));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (code >> 18));
      bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}

std::wstring FakeText::FromAnsi(std::string_view bytes) {
  std::wstring text;
  for (std::size_t at = 0; at < bytes.size();) {
    text += DecodeOne(bytes, at);
  }
  return text;
}

std::wstring FakeText::UpperCase(std::wstring_view text) {
  std::wstring upper(text);
  for (wchar_t& c : upper) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
      c = static_cast<wchar_t>(c - 0x20);
    } else if (c == 0xFF) {
      c = 0x178;
    }
  }
  return upper;
}

}  // namespace fake
