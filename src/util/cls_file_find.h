#pragma once

#include <string>
#include <vector>

/// The file finder: lists the files, or the folders, matching `FileSpec` in `Path`, and in folder
/// mode, when `Recursive`, in every folder found below it.
class cls_FileFind {
 public:
  /// False: the search lists files; true: it lists folders (names without a period).
  bool SearchDir() const;
  void SearchDir(bool lb_SearchDir);
  /// The folder searched at the top level, joined to `FileSpec` without a separator.
  std::wstring Path() const;
  void Path(std::wstring vData);
  /// The name pattern, with * and ?, applied in every folder searched.
  std::wstring FileSpec() const;
  void FileSpec(std::wstring vData);
  /// In folder mode, also search each folder found.
  bool Recursive() const;
  void Recursive(bool vData);

  /// Stores the names found at positions 1 and up of `as_Files` (position 0 holds no entry), with
  /// their folder when `ab_AddPath` or in recursive folder mode, folders ending in "\"; starts
  /// from an empty array when `ab_InitArray`, else appends. At most 32767 entries are stored:
  /// names found past that are dropped. Returns false.
  bool FindAllEx(std::vector<std::wstring>& as_Files, bool ab_AddPath, bool ab_InitArray);

 private:
  /// Does the work of `FindAllEx` for `as_Folder` (`Path` when empty) and the folders found in it.
  bool FindAllInDir(std::vector<std::wstring>& as_Files, bool ab_AddPath, bool ab_InitArray,
                    std::wstring as_Folder);

  bool search_dir_ = false;
  std::wstring path_;
  std::wstring file_spec_;
  bool recursive_ = true;
};
