#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

/// Starts the program with `tail` after its quoted name under the debugger, stops it at its first
/// call of shell32's ShellExecuteA and ends it there; the file it passed, as bytes, or nullopt if
/// it made no such call within `timeout_ms`. Shows what the program hands the shell where Wine's
/// shell itself cannot carry it on.
std::optional<std::string> FileGivenToShell(const std::wstring& tail, DWORD timeout_ms);

}  // namespace e2e
