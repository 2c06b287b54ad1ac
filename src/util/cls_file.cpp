#include "util/cls_file.h"

#include <vector>

#include "platform/listing.h"
#include "platform/platform.h"
#include "util/cls_string.h"
#include "util/message.h"

namespace {

constexpr std::uint32_t kOrdinaryFiles = 0;
constexpr std::int16_t kMaxCount = 32767;

bool IsDotEntry(const std::wstring& name) {
  return name == L"." || name == L"..";
}

}  // namespace

std::wstring cls_File::of_FixPath(const std::wstring& ls_Path) {
  cls_String strings;
  std::wstring path = strings.of_GlobalReplace(ls_Path, L"/", L"\\", false);
  if (path.empty() || path.back() != L'\\') {
    path += L'\\';
  }
  return path;
}

std::wstring cls_File::of_GetDrive(const std::wstring& as_PathName) {
  const std::wstring::size_type first = as_PathName.find_first_not_of(L' ');
  if (first == std::wstring::npos) {
    return {};
  }
  const std::wstring::size_type last = as_PathName.find_last_not_of(L' ');
  const std::wstring path = as_PathName.substr(first, last - first + 1);
  if (path.size() >= 2 && path[1] == L':') {
    return path.substr(0, 1);
  }
  return {};
}

std::wstring cls_File::of_GetFileName(const std::wstring& as_PathName) {
  cls_String strings;
  const std::wstring path = strings.of_GlobalReplace(as_PathName, L"/", L"\\", false);
  const std::wstring::size_type cut = path.rfind(L'\\');
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring cls_File::of_GetFilePath(const std::wstring& as_PathName) {
  const std::size_t n = of_GetFileName(as_PathName).size();
  if (n == as_PathName.size()) {
    return {};
  }
  return of_FixPath(as_PathName.substr(0, as_PathName.size() - n));
}

bool cls_File::of_IsFile(const std::wstring& as_File) {
  if (as_File.empty()) {
    return false;
  }
  if (platform::ListFirst(as_File, kOrdinaryFiles).empty()) {
    return false;
  }
  std::uint32_t bits = 0;
  const std::uint32_t code = platform::Current().files->Attributes(as_File, bits);
  if (platform::IsNotFound(code)) {
    return false;
  }
  if (code != 0) {
    bits = 0;
  }
  return (bits & platform::attr::kFolder) == 0;
}

std::int16_t cls_File::of_Delete(const std::wstring& as_File, bool ab_Confirm) {
  if (!of_IsFile(as_File)) {
    return 0;
  }
  if (ab_Confirm) {
    const int answer = util::ShowMessage(
        L"Sure to delete file \"" + as_File + L"\"?",
        platform::mb::kYesNo | platform::mb::kIconExclamation | platform::mb::kDefaultButton2);
    if (answer != platform::mb::kIdYes) {
      return -1;
    }
  }
  const std::uint32_t code = platform::DeleteMatching(as_File);
  if (code != 0) {
    util::ShowMessage(L"Failed to delete file \"" + as_File + L"\": " + util::Cause(code),
                      platform::mb::kOk | platform::mb::kIconCritical);
    return -1;
  }
  return 0;
}

// No question is asked whatever `ab_Confirm` holds: each file goes as `of_Delete` without one.
std::int16_t cls_File::of_DeleteFiles(const std::wstring& as_Files,
                                      [[maybe_unused]] bool ab_Confirm) {
  std::wstring folder = of_GetFilePath(as_Files);
  // "D:*.tmp" lists in the current folder of D:, so the names are deleted there too.
  if (folder.empty() && as_Files.size() >= 2 && as_Files[1] == L':') {
    folder = as_Files.substr(0, 2);
  }
  // Every deletion starts a listing of its own, so the names are all taken first.
  std::vector<std::wstring> names;
  for (std::wstring name = platform::ListFirst(as_Files, kOrdinaryFiles); !name.empty();
       name = platform::ListNext()) {
    if (!IsDotEntry(name)) {
      names.push_back(name);
    }
  }
  // A listing that broke off names only some of the files: none is deleted.
  if (const std::uint32_t code = platform::ListBrokeOff(); code != 0) {
    util::ShowMessage(L"Failed to delete file \"" + as_Files + L"\": " + util::Cause(code),
                      platform::mb::kOk | platform::mb::kIconCritical);
    return -1;
  }
  for (const std::wstring& name : names) {
    if (of_Delete(folder + name, false) == -1) {
      return -1;
    }
  }
  return 0;
}

std::int16_t cls_File::of_GetFileCount(const std::wstring& as_Path,
                                       const std::wstring& as_Extension) {
  std::int16_t count = 0;
  for (std::wstring name = platform::ListFirst(as_Path + L"*." + as_Extension, kOrdinaryFiles);
       !name.empty(); name = platform::ListNext()) {
    // The count is 16 bits wide: it stays at its top instead of wrapping.
    if (!IsDotEntry(name) && count < kMaxCount) {
      ++count;
    }
  }
  return platform::ListBrokeOff() == 0 ? count : std::int16_t{-1};
}

std::int16_t cls_File::of_CopyFiles(const std::wstring& as_Pattern, const std::wstring& as_From,
                                    const std::wstring& as_To) {
  return of_CopyFilesEx(as_Pattern, as_From, as_To, false);
}

std::int16_t cls_File::of_CopyFilesEx(const std::wstring& as_Pattern, const std::wstring& as_From,
                                      const std::wstring& as_To, bool ab_LaterVersionOnly) {
  // Copying lists nothing, so each file can be copied as the listing goes on.
  for (std::wstring name = platform::ListFirst(as_From + as_Pattern, kOrdinaryFiles); !name.empty();
       name = platform::ListNext()) {
    if (!IsDotEntry(name) &&
        of_CopyEx(as_From + name, as_To + name, false, ab_LaterVersionOnly) == -1) {
      return -1;
    }
  }
  if (const std::uint32_t code = platform::ListBrokeOff(); code != 0) {
    util::ShowMessage(L"Failed to copy file \"" + as_From + as_Pattern + L"\" to \"" + as_To +
                          L"\": " + util::Cause(code),
                      platform::mb::kOk | platform::mb::kIconCritical);
    return -1;
  }
  return 0;
}

std::int16_t cls_File::of_Copy(const std::wstring& as_From, const std::wstring& as_To,
                               bool ab_Confirm) {
  return of_CopyEx(as_From, as_To, ab_Confirm, false);
}

// The copy always replaces the destination without a question or a comparison: the stencil switch
// relies on that, so neither flag changes anything.
std::int16_t cls_File::of_CopyEx(const std::wstring& as_From, std::wstring as_To,
                                 [[maybe_unused]] bool ab_Confirm,
                                 [[maybe_unused]] bool ab_LaterVersionOnly) {
  if (of_GetFileName(as_To).empty()) {
    as_To += of_GetFileName(as_From);
  }
  const std::uint32_t code = platform::Current().files->CopyReplacing(as_From, as_To);
  if (code != 0) {
    util::ShowMessage(
        L"Failed to copy file \"" + as_From + L"\" to \"" + as_To + L"\": " + util::Cause(code),
        platform::mb::kOk | platform::mb::kIconCritical);
    return -1;
  }
  return 0;
}

bool cls_File::of_IsFileEx(const std::wstring& as_File, bool ab_ShowError) {
  const bool found = of_IsFile(as_File);
  if (!found && ab_ShowError) {
    util::ShowMessage(L"File not found: " + as_File,
                      platform::mb::kOk | platform::mb::kIconExclamation);
  }
  return found;
}

std::int16_t cls_File::of_Rename(const std::wstring& as_SourcePathName,
                                 const std::wstring& as_DestNameWithoutPath, bool ab_Warn) {
  const std::wstring target =
      of_GetFilePath(as_SourcePathName) + of_GetFileName(as_DestNameWithoutPath);
  const std::uint32_t code = platform::Current().files->Move(as_SourcePathName, target);
  if (code != 0) {
    if (ab_Warn) {
      util::ShowMessage(L"Failed to rename file from \"" + as_SourcePathName + L"\" to \"" +
                            target + L"\": " + util::Cause(code),
                        platform::mb::kOk | platform::mb::kIconCritical);
    }
    return -1;
  }
  return 0;
}
