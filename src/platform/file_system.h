#pragma once

#include <cstdint>
#include <string>

namespace platform {

/// An open search; 0 never names one.
using FindHandle = std::uintptr_t;

/// Win32 result codes the file calls give (others pass through unchanged).
namespace file_error {
constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kNoMoreFiles = 18;
constexpr std::uint32_t kSharingViolation = 32;
constexpr std::uint32_t kDiskFull = 112;
constexpr std::uint32_t kInvalidName = 123;
constexpr std::uint32_t kDirNotEmpty = 145;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr std::uint32_t kDirectory = 267;
}  // namespace file_error

/// File attribute bits.
namespace attr {
constexpr std::uint32_t kReadOnly = 1;
constexpr std::uint32_t kHidden = 2;
constexpr std::uint32_t kSystem = 4;
constexpr std::uint32_t kFolder = 16;
constexpr std::uint32_t kArchive = 32;
constexpr std::uint32_t kReparsePoint = 0x400;  ///< a symbolic link, junction or mount point
}  // namespace attr

/// One entry of a folder listing: the name without folder, its own attributes (a link's, not its
/// target's) and its reparse tag, 0 where the system tells none.
struct FindData {
  std::wstring name;
  std::uint32_t attributes = 0;
  std::uint32_t tag = 0;
};

/// The kernel32 file and folder functions, one to one: the wide forms, which take every name and
/// hand names back exactly, but for the current folder's change and the three folder queries,
/// whose narrow forms take and give paths in the ANSI code page (a path that has no exact form
/// there fails as an invalid name, 123, and reaches no call). A path holding a NUL fails as an
/// invalid name too. Every call returns 0 on success or the Win32 error code (`file_error`), except
/// the three folder queries, which return a length as kernel32 does.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// FindFirstFileW: 0 with the first entry and a handle; 2 when nothing matches, 3 when the folder
  /// is missing. A pattern ending in "\" matches nothing. "." and ".." come first (not at a drive
  /// root), then the names in the file system's order.
  virtual std::uint32_t FindFirst(const std::wstring& pattern, FindHandle& search,
                                  FindData& entry) = 0;
  /// FindNextFileW: 0 with the next entry, 18 at the end.
  virtual std::uint32_t FindNext(FindHandle search, FindData& entry) = 0;
  /// FindClose.
  virtual void FindEnd(FindHandle search) = 0;

  /// GetFileAttributesW: 0 with the bits; 2 when the path's last part is missing, 3 when a folder
  /// above it is. A link named without a trailing "\" gives its own bits, with one its target's.
  virtual std::uint32_t Attributes(const std::wstring& path, std::uint32_t& bits) = 0;
  /// GetFileSizeEx of the file at `path`, a link followed: its length in bytes.
  virtual std::uint32_t FileLength(const std::wstring& path, std::uint64_t& length) = 0;

  /// DeleteFileW.
  virtual std::uint32_t RemoveFile(const std::wstring& path) = 0;
  /// CopyFileW(from, to, FALSE): replaces a file at `to`.
  virtual std::uint32_t CopyReplacing(const std::wstring& from, const std::wstring& to) = 0;
  /// MoveFileW: fails with 183 when `to` exists.
  virtual std::uint32_t Move(const std::wstring& from, const std::wstring& to) = 0;
  /// CreateDirectoryW without security attributes: 183 when it exists, 3 when the parent is
  /// missing.
  virtual std::uint32_t MakeFolder(const std::wstring& path) = 0;
  /// RemoveDirectoryW: 145 when not empty, 267 for a file; a link named without a trailing "\"
  /// goes itself, its target untouched.
  virtual std::uint32_t RemoveFolder(const std::wstring& path) = 0;

  /// GetCurrentDirectoryW: no trailing "\" except at a drive root.
  virtual std::uint32_t CurrentFolder(std::wstring& path) = 0;
  /// SetCurrentDirectoryA.
  virtual std::uint32_t SetCurrentFolder(const std::wstring& path) = 0;

  /// GetWindowsDirectoryA, GetSystemDirectoryA, GetTempPathA: write the path (ANSI code page) and
  /// its zero into `buffer` of `size` bytes and return the length; 0 on failure; the size needed,
  /// buffer untouched, when it does not fit.
  virtual std::uint32_t WindowsFolder(char* buffer, std::uint32_t size) = 0;
  virtual std::uint32_t SystemFolder(char* buffer, std::uint32_t size) = 0;
  virtual std::uint32_t TempFolder(std::uint32_t size, char* buffer) = 0;

  /// GetFinalPathNameByHandleW of what is at `path`, its links followed: "\\?\C:\...",
  /// "\\?\UNC\server\share\..." or, where the volume has no such name, "\\?\Volume{...}\...";
  /// the code of the first form asked when none answers.
  virtual std::uint32_t FinalPath(const std::wstring& path, std::wstring& final_path) = 0;
  /// GetVolumePathNameW: the root of the volume that `path` lies on, ending in "\".
  virtual std::uint32_t VolumePath(const std::wstring& path, std::wstring& volume) = 0;

  /// FormatMessageW of a Win32 code: one short line, no line break, no inserts.
  virtual std::wstring ErrorText(std::uint32_t code) = 0;
};

}  // namespace platform
