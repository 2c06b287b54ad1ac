#pragma once

#include "platform/text.h"

namespace fake {

/// Text services with UTF-8 as the ANSI code page, so that a text's ANSI form can hold more bytes
/// than characters; what cannot be converted becomes "?".
class FakeText : public platform::Text {
 public:
  std::string ToAnsi(std::wstring_view text) override;
  std::wstring FromAnsi(std::string_view bytes) override;
  /// Upper-cases ASCII and Latin-1 letters.
  std::wstring UpperCase(std::wstring_view text) override;
};

}  // namespace fake
