#include "util/cls_dir.h"

#include <cmath>

#include "platform/ansi.h"
#include "platform/listing.h"
#include "platform/platform.h"
#include "util/cls_file.h"
#include "util/cls_string.h"
#include "util/message.h"

namespace {

constexpr std::uint32_t kOrdinaryFiles = 0;
// Folders, hidden entries and read-only files; system entries stay unlisted.
constexpr std::uint32_t kFoldersAndHidden =
    platform::attr::kFolder | platform::attr::kHidden | platform::attr::kReadOnly;
constexpr std::uint32_t kBufferSize = 300;

constexpr wchar_t kUnfollowable[] =
    L"The path cannot be followed past a leading or doubled \"\\\".";
constexpr wchar_t kRootRefused[] = L"A drive's root folder is never removed.";

std::wstring Cause(std::uint32_t code) {
  return platform::Wide(platform::Current().files->ErrorText(code));
}

bool IsBlankOrEmpty(const std::wstring& text) {
  return text.find_first_not_of(L' ') == std::wstring::npos;
}

// "\", "C:", "C:\" and the like, with "/" or doubled separators: removing one would empty a drive.
bool NamesRoot(const std::wstring& path) {
  const std::wstring::size_type end = path.find_last_not_of(L"\\/");
  return !path.empty() && (end == std::wstring::npos || (end == 1 && path[1] == L':'));
}

// A removal is refused for a file before anything is deleted.
bool NamesFile(const std::wstring& path) {
  std::uint32_t bits = 0;
  return platform::Current().files->Attributes(platform::Ansi(path), bits) == 0 &&
         (bits & platform::attr::kFolder) == 0;
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
    return !platform::ListFirst(as_Dir, kFoldersAndHidden).empty();
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
  const std::uint32_t code = platform::Current().files->MakeFolder(platform::Ansi(path));
  if (code != 0) {
    util::ShowMessage(L"Failed to create directory \"" + path + L"\": " + Cause(code),
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
    if (!of_IsDirectory(current)) {
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
  return platform::Current().files->SetCurrentFolder(platform::Ansi(path)) == 0 ? 0 : -1;
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
  std::string path;
  if (platform::Current().files->CurrentFolder(path) != 0) {
    return {};
  }
  return platform::Wide(path);
}

std::int16_t cls_Dir::of_RemoveDirectory(const std::wstring& as_Dir, bool ab_ShowError) {
  cls_File file;
  const std::wstring path = file.of_FixPath(as_Dir);
  std::wstring cause;
  if (NamesRoot(as_Dir)) {
    cause = kRootRefused;
  } else if (!of_IsDirectory(as_Dir)) {
    return -1;
  } else if (NamesFile(as_Dir)) {
    cause = Cause(platform::file_error::kDirectory);
  } else {
    std::uint32_t code = platform::DeleteMatching(path + L"*.*");
    if (platform::IsNotFound(code)) {
      code = 0;
    }
    if (code == 0) {
      // Ends the search that the test above may have left open in the folder.
      platform::ListFirst(path, kOrdinaryFiles);
      code = platform::Current().files->RemoveFolder(platform::Ansi(path));
    }
    if (code == 0) {
      return 0;
    }
    cause = Cause(code);
  }
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
    if (platform::ListFirst(candidate, kOrdinaryFiles).empty() && !of_IsDirectory(candidate)) {
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
