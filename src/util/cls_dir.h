#pragma once

#include <cstdint>
#include <string>

/// The folder class: tests for folders, creates and removes them, names the system's folders and
/// makes uniquely named temporary ones. Actions report their own failures in a message box and
/// return 0 (done or nothing to do) or -1 (failed or answered No).
class cls_Dir {
 public:
  /// Makes `as_Dir` with every missing folder above it, asking once about the first missing one
  /// when `ab_ConfirmCreate`.
  std::int16_t of_CreateDirectory(std::wstring as_Dir, bool ab_ConfirmCreate = false);
  /// Makes the folder part of `as_Dir` the current folder; -1 without a message when that fails.
  std::int16_t of_SetCurrentDirectory(const std::wstring& as_Dir);
  /// The folder for temporary files, ending in "\"; empty on failure.
  std::wstring of_GetTempPath();
  /// The Windows folder, ending in "\"; empty on failure.
  std::wstring of_GetWindowsDirectory();
  /// The system folder, ending in "\"; empty on failure.
  std::wstring of_GetSystemDirectory();
  /// The current folder as the platform writes it; empty on failure.
  std::wstring of_GetCurrentDirectory();
  /// Deletes the ordinary files in `as_Dir` and removes it; never a drive's root or a file.
  std::int16_t of_RemoveDirectory(const std::wstring& as_Dir, bool ab_ShowError);
  /// Makes a new, uniquely named folder in `as_UnderPath` (made first when missing) and returns
  /// its path ending in "\"; empty on failure.
  std::wstring of_GetTempFilePath(const std::wstring& as_UnderPath, const std::wstring& as_Prefix);
  /// `as_UnderPath` + `as_Prefix` + random hexadecimal digits (+ "." + `as_Extension`), a path at
  /// which neither a file nor a folder exists.
  std::wstring of_GetTempFileName(const std::wstring& as_UnderPath, const std::wstring& as_Prefix,
                                  const std::wstring& as_Extension);
  /// True when listing `as_Dir` with folders and hidden entries gives any name.
  bool of_IsDirectory(const std::wstring& as_Dir);
  /// As `of_IsDirectory`; with `ab_ExcludeFile`, true only for an existing folder other than a
  /// drive's root.
  bool of_IsDirectoryEx(const std::wstring& as_Dir, bool ab_ExcludeFile);

 private:
  /// `as_Dir` (its folder part unless `ab_IsDirectory`) with "\" separators and a trailing "\".
  std::wstring of_GetDirectoryPath(const std::wstring& as_Dir, bool ab_IsDirectory);
  /// Makes the one folder `as_Dir` unless it exists; tells the user when that fails.
  std::int16_t of_MakeDirectory(const std::wstring& as_Dir);
  /// The Windows (1), system (2) or temporary (3) folder ending in "\"; empty for any other kind,
  /// on failure or when the path does not fit its buffer.
  std::wstring of_GetSpecialDirectory(std::int16_t ai_Kind);
};
