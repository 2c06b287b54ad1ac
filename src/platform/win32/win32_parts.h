#pragma once

// The process-lifetime Win32 implementations of the seam, one per group.

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "platform/platform.h"

namespace platform::win32 {

/// `text` in the code page (the ANSI one unless told), exactly: nullopt when a character has no
/// byte form there but the default character or a best-fit look-alike.
std::optional<std::string> Narrow(std::wstring_view text, UINT code_page = CP_ACP);
/// A path or a name for a narrow call: Narrow, and nullopt for one holding a NUL, which would cut
/// it short.
std::optional<std::string> NarrowName(std::wstring_view text);
/// Text that a narrow call gave back.
std::wstring Widen(std::string_view bytes, UINT code_page = CP_ACP);

template <typename>
using NarrowText = const char*;

/// Runs `call` with the names in the ANSI code page, or fails as Windows fails an invalid name.
template <typename Call, typename... Names>
std::invoke_result_t<Call, NarrowText<Names>...> Narrowed(Call call, const Names&... names) {
  const std::array narrow = {NarrowName(names)...};
  for (const auto& name : narrow) {
    if (!name) {
      return ERROR_INVALID_NAME;
    }
  }
  return std::apply([&](const auto&... name) { return call(name->c_str()...); }, narrow);
}

Registry& TheRegistry();
FileSystem& TheFileSystem();
Text& TheText();
Dialogs& TheDialogs();
Random& TheRandom();
Shell& TheShell();
Process& TheProcess();
Toolkit& TheToolkit();

}  // namespace platform::win32
