#include "fake/fake_text.h"

#include <cstdint>

namespace fake {

// The Win32 layer makes no call for an empty text, so none is counted.
std::string FakeText::ToAnsi(std::wstring_view text) {
  if (text.empty() || faults_.Step("WideCharToMultiByte")) {
    return {};
  }
  constexpr unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  std::string bytes;
  for (const wchar_t c : text) {
    const auto code = static_cast<std::uint32_t>(c);
    if (code >= 0x110000 || (code >= 0xD800 && code <= 0xDFFF)) {
      bytes += '?';
      continue;
    }
    const int extra = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
    bytes += static_cast<char>(kLead[extra] | (code >> (6 * extra)));
    for (int i = extra - 1; i >= 0; --i) {
      bytes += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
    }
  }
  return bytes;
}

// The tests hand it only what ToAnsi makes, so the bytes are well formed.
std::wstring FakeText::FromAnsi(std::string_view bytes) {
  if (bytes.empty() || faults_.Step("MultiByteToWideChar")) {
    return {};
  }
  std::wstring text;
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length && at + i < bytes.size(); ++i) {
      code = (code << 6) | (static_cast<unsigned char>(bytes[at + i]) & 0x3Fu);
    }
    text += static_cast<wchar_t>(code);
    at += length;
  }
  return text;
}

std::wstring FakeText::UpperCase(std::wstring_view text) {
  std::wstring upper(text);
  if (text.empty() || faults_.Step("LCMapStringW")) {
    return upper;
  }
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
