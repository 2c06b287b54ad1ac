#include "util/cls_dir.h"

#include <cmath>
#include <optional>

#include "platform/ansi.h"
#include "platform/listing.h"
#include "platform/platform.h"
#include "util/cls_file.h"
#include "util/cls_string.h"
#include "util/message.h"
#include "util/removal_plan.h"

namespace {

constexpr std::uint32_t kOrdinaryFiles = 0;
// Folders, hidden entries and read-only files; system entries stay unlisted.
constexpr std::uint32_t kFoldersAndHidden =
    platform::attr::kFolder | platform::attr::kHidden | platform::attr::kReadOnly;
constexpr std::uint32_t kBufferSize = 300;

constexpr wchar_t kUnfollowable[] =
    L"The path cannot be followed past a leading or doubled \"\\\".";
constexpr wchar_t kRootRefused[] = L"A drive's root folder is never removed.";

bool IsBlankOrEmpty(const std::wstring& text) {
  return text.find_first_not_of(L' ') == std::wstring::npos;
}

// The folder's entry itself: named with a trailing separator, a link would answer for its target.
std::wstring EntryName(std::wstring path) {
  path.erase(path.find_last_not_of(L"\\/") + 1);
  return path;
}

// What the system answers about the folder at `path` (ending in "\\").
util::FolderFacts FactsOf(const std::wstring& path) {
  platform::FileSystem& files = *platform::Current().files;
  util::FolderFacts facts;
  facts.final_code = files.FinalPath(path, facts.final_path);
  if (facts.final_code == 0) {
    facts.final_code = files.VolumePath(facts.final_path, facts.volume_path);
  }
  platform::FindHandle search = 0;
  platform::FindData entry;
  facts.entry_code = files.FindFirst(EntryName(path), search, entry);
  if (facts.entry_code == 0) {
    files.FindEnd(search);
    facts.attributes = entry.attributes;
    facts.tag = entry.tag;
  }
  return facts;
}

// The attributes of what is at `path`; nullopt when they cannot be read.
std::optional<std::uint32_t> AttributesOf(const std::wstring& path) {
  std::uint32_t bits = 0;
  if (platform::Current().files->Attributes(path, bits) != 0) {
    return std::nullopt;
  }
  return bits;
}

std::wstring UpperHex(long value) {
  constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring digits;
  do {
    digits.insert(digits.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value > 0);
  return digits;
}

}  // namespace

std::wstring cls_Dir::of_GetDirectoryPath(const std::wstring& as_Dir, bool ab_IsDirectory) {
  cls_File files;
  return files.of_FixPath(ab_IsDirectory ? as_Dir : files.of_GetFilePath(as_Dir));
}

bool cls_Dir::of_IsDirectoryEx(const std::wstring& as_Dir, bool ab_ExcludeFile) {
  if (IsBlankOrEmpty(as_Dir)) {
    return false;
  }
  if (!ab_ExcludeFile) {
    if (!platform::ListFirst(as_Dir, kFoldersAndHidden).empty()) {
      return true;
    }
    // A root lists no "." of its own, so an empty one lists nothing: its attributes tell.
    const auto bits = AttributesOf(as_Dir);
    return bits && (*bits & platform::attr::kFolder) != 0 &&
           util::IsVolumeRoot(FactsOf(of_GetDirectoryPath(as_Dir, true)));
  }
  // Every folder but a drive's root lists itself as "." first.
  return platform::ListFirst(of_GetDirectoryPath(as_Dir, true), kFoldersAndHidden) == L".";
}

bool cls_Dir::of_IsDirectory(const std::wstring& as_Dir) {
  return of_IsDirectoryEx(as_Dir, false);
}

std::int16_t cls_Dir::of_MakeDirectory(const std::wstring& as_Dir) {
  const std::wstring path = of_GetDirectoryPath(as_Dir, true);
  if (of_IsDirectory(path)) {
    return 0;
  }
  const std::uint32_t code = platform::Current().files->MakeFolder(path);
  if (code != 0) {
    util::ShowMessage(L"Failed to create directory \"" + path + L"\": " + util::Cause(code),
                      platform::mb::kOk | platform::mb::kIconExclamation);
    return -1;
  }
  return 0;
}

std::int16_t cls_Dir::of_CreateDirectory(std::wstring as_Dir, bool ab_ConfirmCreate) {
  const std::wstring whole = as_Dir;
  cls_String strings;
  std::wstring current;
  for (;;) {
    const std::wstring segment = strings.of_GetNextToken(as_Dir, L"\\");
    if (segment.empty()) {
      // A walk cut short by a leading or doubled "\" made nothing of what is left: only a folder
      // that is already there counts as done.
      if (!as_Dir.empty() && !of_IsDirectory(whole)) {
        util::ShowMessage(L"Failed to create directory \"" + whole + L"\": " + kUnfollowable,
                          platform::mb::kOk | platform::mb::kIconExclamation);
        return -1;
      }
      return 0;
    }
    if (!current.empty()) {
      current += L'\\';
    }
    current += segment;
    // A leading drive such as C: is there when its root is.
    const bool drive = current.size() == 2 && current[1] == L':';
    if (!of_IsDirectory(drive ? current + L'\\' : current)) {
      if (ab_ConfirmCreate) {
        const int answer = util::ShowMessage(L"\"" + current + L"\" does not exist.  Create it?",
                                             platform::mb::kYesNo | platform::mb::kIconQuestion);
        if (answer != platform::mb::kIdYes) {
          return -1;
        }
        ab_ConfirmCreate = false;
      }
      if (of_MakeDirectory(current) == -1) {
        return -1;
      }
    }
  }
}

std::int16_t cls_Dir::of_SetCurrentDirectory(const std::wstring& as_Dir) {
  const std::wstring path = of_GetDirectoryPath(as_Dir, false);
  return platform::Current().files->SetCurrentFolder(path) == 0 ? 0 : -1;
}

std::wstring cls_Dir::of_GetSpecialDirectory(std::int16_t ai_Kind) {
  std::string buffer(kBufferSize, ' ');
  platform::FileSystem& files = *platform::Current().files;
  std::uint32_t length = 0;
  switch (ai_Kind) {
    case 1:
      length = files.WindowsFolder(buffer.data(), kBufferSize);
      break;
    case 2:
      length = files.SystemFolder(buffer.data(), kBufferSize);
      break;
    case 3:
      length = files.TempFolder(kBufferSize, buffer.data());
      break;
    default:
      return {};
  }
  // A length of the buffer's size or more is the size a longer path would need.
  if (length == 0 || length >= kBufferSize) {
    return {};
  }
  cls_File file;
  return file.of_FixPath(platform::Wide(std::string_view(buffer).substr(0, length)));
}

std::wstring cls_Dir::of_GetTempPath() {
  return of_GetSpecialDirectory(3);
}

std::wstring cls_Dir::of_GetWindowsDirectory() {
  return of_GetSpecialDirectory(1);
}

std::wstring cls_Dir::of_GetSystemDirectory() {
  return of_GetSpecialDirectory(2);
}

std::wstring cls_Dir::of_GetCurrentDirectory() {
  std::wstring path;
  if (platform::Current().files->CurrentFolder(path) != 0) {
    return {};
  }
  return path;
}

std::int16_t cls_Dir::of_RemoveDirectory(const std::wstring& as_Dir, bool ab_ShowError) {
  cls_File file;
  const std::wstring path = file.of_FixPath(as_Dir);
  if (!of_IsDirectory(as_Dir)) {
    return -1;
  }
  // The test above may have left a search open in the folder, or in a link's target.
  platform::ListEnd();
  // Decided before anything is deleted: a root's files would go, and a link's target's files are
  // not the folder's (a link goes alone, as "rd /s" removes one).
  const util::RemovalPlan plan = util::PlanRemoval(FactsOf(path));
  std::uint32_t code = plan.cause;
  if (plan.how == util::Removal::kLink) {
    code = platform::Current().files->RemoveFolder(EntryName(path));
  } else if (plan.how == util::Removal::kFolder) {
    code = platform::DeleteMatching(path + L"*.*");
    if (platform::IsNotFound(code)) {
      code = 0;
    }
    if (code == 0) {
      code = platform::Current().files->RemoveFolder(path);
    }
  }
  if (plan.how != util::Removal::kRoot && code == 0) {
    return 0;
  }
  const std::wstring cause = plan.how == util::Removal::kRoot ? kRootRefused : util::Cause(code);
  if (ab_ShowError) {
    util::ShowMessage(L"Failed to remove directory \"" + path + L"\": " + cause,
                      platform::mb::kOk | platform::mb::kIconExclamation);
  }
  return -1;
}

std::wstring cls_Dir::of_GetTempFileName(const std::wstring& as_UnderPath,
                                         const std::wstring& as_Prefix,
                                         const std::wstring& as_Extension) {
  platform::Random& random = *platform::Current().random;
  random.Seed(random.SecondsSinceMidnight());
  const std::wstring suffix = as_Extension.empty() ? std::wstring() : L"." + as_Extension;
  for (;;) {
    const long number = static_cast<long>(std::nearbyint(random.Next() * 999999.0));
    const std::wstring candidate = as_UnderPath + as_Prefix + UpperHex(number) + suffix;
    // The listings pass over system entries: the attribute query sees anything that is there. A
    // name it cannot read is handed out, for its maker to refuse, rather than tried for ever.
    if (platform::ListFirst(candidate, kOrdinaryFiles).empty() && !of_IsDirectory(candidate) &&
        !AttributesOf(candidate)) {
      return candidate;
    }
  }
}

std::wstring cls_Dir::of_GetTempFilePath(const std::wstring& as_UnderPath,
                                         const std::wstring& as_Prefix) {
  if (!of_IsDirectory(as_UnderPath) && of_CreateDirectory(as_UnderPath, false) == -1) {
    return {};
  }
  // The name always holds at least one digit, so it is never empty.
  const std::wstring name = of_GetTempFileName(as_UnderPath, as_Prefix, L"");
  if (of_CreateDirectory(name, false) == -1) {
    return {};
  }
  return name + L"\\";
}
