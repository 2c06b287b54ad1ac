#pragma once

#include <cstdint>
#include <string>

/// The file class: splits and normalises paths, tests for files, counts, copies, deletes and
/// renames them. Actions report their own failures in a message box and return 0 (done or nothing
/// to do) or -1 (failed or answered No).
class cls_File {
 public:
  /// `ls_Path` with "\" separators and a trailing "\".
  std::wstring of_FixPath(const std::wstring& ls_Path);
  /// The drive letter of `as_PathName` (spaces at both ends ignored), or empty.
  std::wstring of_GetDrive(const std::wstring& as_PathName);
  /// The part after the last separator; the whole path when it has none.
  std::wstring of_GetFileName(const std::wstring& as_PathName);
  /// The folder part ending in "\", or empty when the path has no separator.
  std::wstring of_GetFilePath(const std::wstring& as_PathName);
  /// True when `as_File` names an existing ordinary file (not hidden, system or a folder).
  bool of_IsFile(const std::wstring& as_File);
  /// Deletes the ordinary file `as_File`, asking first when `ab_Confirm`; 0 when there is none.
  std::int16_t of_Delete(const std::wstring& as_File, bool ab_Confirm);
  /// Deletes every ordinary file matching the pattern `as_Files`, stopping at the first failure.
  std::int16_t of_DeleteFiles(const std::wstring& as_Files, bool ab_Confirm);
  /// The number of ordinary files matching `as_Path` + "*." + `as_Extension`, at most 32767; -1
  /// when the listing broke off before its end.
  std::int16_t of_GetFileCount(const std::wstring& as_Path, const std::wstring& as_Extension);
  /// Copies every ordinary file `as_From` + name matching `as_Pattern` to `as_To` + name.
  std::int16_t of_CopyFiles(const std::wstring& as_Pattern, const std::wstring& as_From,
                            const std::wstring& as_To);
  /// As `of_CopyFiles`; stops at the first copy that fails.
  std::int16_t of_CopyFilesEx(const std::wstring& as_Pattern, const std::wstring& as_From,
                              const std::wstring& as_To, bool ab_LaterVersionOnly);
  /// Copies `as_From` to `as_To`, replacing the destination.
  std::int16_t of_Copy(const std::wstring& as_From, const std::wstring& as_To, bool ab_Confirm);
  /// As `of_Copy`; a destination ending in "\" receives the file under its own name.
  std::int16_t of_CopyEx(const std::wstring& as_From, std::wstring as_To, bool ab_Confirm,
                         bool ab_LaterVersionOnly);
  /// `of_IsFile`, telling the user when the file is missing and `ab_ShowError`.
  bool of_IsFileEx(const std::wstring& as_File, bool ab_ShowError);
  /// Gives the file `as_SourcePathName` the name part of `as_DestNameWithoutPath` in its own
  /// folder; the failure message only when `ab_Warn`.
  std::int16_t of_Rename(const std::wstring& as_SourcePathName,
                         const std::wstring& as_DestNameWithoutPath, bool ab_Warn = false);
};
