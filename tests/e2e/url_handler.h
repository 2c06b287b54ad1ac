#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The shell's handler for web URLs (http and https) in the test prefix, and what the recorder
// wrote down.
namespace e2e {

/// Makes `command` the open command of web URLs, replacing any handler there was; false on
/// failure.
bool SetUrlHandler(const std::wstring& command);

/// Deletes the web URL classes; true when they are gone.
bool RemoveUrlHandler();

/// The handler command that runs the recorder on the URL.
std::wstring RecorderCommand();

/// Deletes the record file; true when it is gone.
bool ClearRecord();

/// The record file's text once it holds a complete line, waiting up to `timeout_ms`; nullopt if
/// none came.
std::optional<std::string> WaitForRecord(DWORD timeout_ms);

}  // namespace e2e
