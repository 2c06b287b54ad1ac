#pragma once

#include <cstdint>
#include <string>

namespace util {

/// What the system answered about a folder that is to be removed, before anything is deleted.
struct FolderFacts {
  /// 0, or why the final path of what the folder's name leads to (its links followed), or the root
  /// of that path's volume, could not be read.
  std::uint32_t final_code = 0;
  std::wstring final_path;   ///< GetFinalPathNameByHandleW's answer
  std::wstring volume_path;  ///< GetVolumePathNameW's answer for the final path
  /// 0, or why the folder's own entry (a link itself, not its target) could not be read.
  std::uint32_t entry_code = 0;
  std::uint32_t attributes = 0;  ///< the entry's own attributes
  std::uint32_t tag = 0;         ///< its reparse tag; 0 where the system tells none
};

enum class Removal {
  kRoot,     ///< refused: a volume's root is never removed, nor emptied
  kRefused,  ///< refused, for `cause`
  kLink,     ///< the link goes alone: its target's files are not the folder's
  kFolder,   ///< its ordinary files go, then the folder
};

struct RemovalPlan {
  Removal how;
  std::uint32_t cause = 0;  ///< the Win32 code that refuses it
  bool operator==(const RemovalPlan&) const = default;
};

/// Whether the final path in `facts` was read and is the root of its volume: a drive, a share, a
/// volume mounted in a folder or one without a name of its own.
bool IsVolumeRoot(const FolderFacts& facts);

/// How the folder that `facts` describe is removed. A root is a root however it is named or
/// reached; a link is a symbolic link, junction or mount point (whose volume's root is still a
/// root), or a reparse point whose tag cannot be read; what cannot be told is refused.
RemovalPlan PlanRemoval(const FolderFacts& facts);

}  // namespace util
