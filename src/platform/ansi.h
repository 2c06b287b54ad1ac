#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace platform {

/// The program's text in the ANSI code page, exactly, or nullopt.
inline std::optional<std::string> Ansi(std::wstring_view text) {
  return Current().text->ToAnsi(text);
}

/// Text the narrow calls gave back.
inline std::wstring Wide(std::string_view bytes) {
  return Current().text->FromAnsi(bytes);
}

}  // namespace platform
