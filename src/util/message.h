#pragma once

#include <cstdint>
#include <string>

namespace util {

/// The caption of every message box the program shows.
inline constexpr wchar_t kAppTitle[] = L"Brenvic Visio";

/// Shows a modal message box captioned with the application's title, with the `platform::mb`
/// style bits; returns the button pressed.
int ShowMessage(const std::wstring& text, std::uint32_t style);

/// The platform's one-line description of why an operation failed with the Win32 code `code`.
std::wstring Cause(std::uint32_t code);

}  // namespace util
