#include "platform/listing.h"

#include "platform/platform.h"
#include "platform/wildcards.h"

namespace platform {

namespace {

FindHandle open_search = 0;
std::uint32_t open_mask = 0;
std::wstring open_long_names;
std::uint32_t broke_off = 0;

// The last part of `pattern`, in upper case, when it holds a wildcard; else empty. Windows matches
// a wildcard against each entry's 8.3 name too, where "*.vss" finds "drawing.vssx" (DRAWIN~1.VSS);
// a plain name, short or long, names one entry.
std::wstring LongNamePattern(const std::wstring& pattern) {
  const std::wstring last = pattern.substr(pattern.find_last_of(L"\\/:") + 1);
  return HasWildcard(last) ? Current().text->UpperCase(last) : std::wstring();
}

bool Accepted(const FindData& entry, std::uint32_t mask, const std::wstring& long_names) {
  const std::uint32_t kinds = entry.attributes & (attr::kHidden | attr::kSystem | attr::kFolder);
  return (kinds & ~mask) == 0 &&
         (long_names.empty() || MatchesLongName(long_names, Current().text->UpperCase(entry.name)));
}

// Steps the open search past entries the mask or the long names refuse; closes it at the end so
// that no search stays open in a folder that is about to be removed.
std::wstring Deliver(FindData entry, std::uint32_t found) {
  while (found == 0) {
    if (Accepted(entry, open_mask, open_long_names)) {
      return entry.name;
    }
    found = Current().files->FindNext(open_search, entry);
  }
  if (found != file_error::kNoMoreFiles) {
    broke_off = found;
  }
  ListEnd();
  return {};
}

}  // namespace

void ListEnd() {
  if (open_search != 0) {
    Current().files->FindEnd(open_search);
    open_search = 0;
  }
}

void ForgetListing() {
  open_search = 0;
}

std::wstring ListFirst(const std::wstring& pattern, std::uint32_t mask) {
  ListEnd();
  broke_off = 0;
  std::wstring full = pattern;
  if (!full.empty() && full.back() == L'\\') {
    full += L'*';
  }
  FindData entry;
  FindHandle search = 0;
  const std::uint32_t found = Current().files->FindFirst(full, search, entry);
  if (found != 0) {
    return {};
  }
  open_search = search;
  open_mask = mask;
  open_long_names = LongNamePattern(full);
  return Deliver(std::move(entry), found);
}

std::wstring ListNext() {
  if (open_search == 0) {
    return {};
  }
  FindData entry;
  const std::uint32_t found = Current().files->FindNext(open_search, entry);
  return Deliver(std::move(entry), found);
}

std::uint32_t ListBrokeOff() {
  return broke_off;
}

std::uint32_t DeleteMatching(const std::wstring& pattern) {
  FileSystem& files = *Current().files;
  const std::wstring::size_type cut = pattern.find_last_of(L"\\/:");
  const std::wstring folder =
      cut == std::wstring::npos ? std::wstring() : pattern.substr(0, cut + 1);
  FindData entry;
  FindHandle search = 0;
  // The listing's own cause: a folder that cannot be read is no folder without files.
  std::uint32_t code = files.FindFirst(pattern, search, entry);
  if (code != 0) {
    return code;
  }
  const std::wstring long_names = LongNamePattern(pattern);
  bool matched = false;
  std::uint32_t result = 0;
  for (; code == 0 && result == 0; code = files.FindNext(search, entry)) {
    if (!Accepted(entry, 0, long_names)) {
      continue;
    }
    matched = true;
    result = files.RemoveFile(folder + entry.name);
  }
  files.FindEnd(search);
  // A listing that breaks off fails the deletion: it has not seen every file.
  if (result == 0 && code != file_error::kNoMoreFiles) {
    result = code;
  }
  if (result == 0 && !matched) {
    result = file_error::kFileNotFound;
  }
  return result;
}

bool IsNotFound(std::uint32_t code) {
  return code == file_error::kFileNotFound || code == file_error::kPathNotFound;
}

}  // namespace platform
