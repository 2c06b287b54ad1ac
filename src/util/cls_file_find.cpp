#include "util/cls_file_find.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "platform/file_system.h"
#include "platform/listing.h"

namespace {

// Positions are 16-bit: the array never grows past this upper bound.
constexpr std::size_t kMaxEntries = 32767;

std::size_t UpperBound(const std::vector<std::wstring>& files) {
  return files.empty() ? 0 : files.size() - 1;
}

}  // namespace

bool cls_FileFind::SearchDir() const {
  return search_dir_;
}

void cls_FileFind::SearchDir(bool lb_SearchDir) {
  search_dir_ = lb_SearchDir;
}

std::wstring cls_FileFind::Path() const {
  return path_;
}

void cls_FileFind::Path(std::wstring vData) {
  path_ = std::move(vData);
}

std::wstring cls_FileFind::FileSpec() const {
  return file_spec_;
}

void cls_FileFind::FileSpec(std::wstring vData) {
  file_spec_ = std::move(vData);
}

bool cls_FileFind::Recursive() const {
  return recursive_;
}

void cls_FileFind::Recursive(bool vData) {
  recursive_ = vData;
}

bool cls_FileFind::FindAllEx(std::vector<std::wstring>& as_Files, bool ab_AddPath,
                             bool ab_InitArray) {
  return FindAllInDir(as_Files, ab_AddPath, ab_InitArray, std::wstring());
}

bool cls_FileFind::FindAllInDir(std::vector<std::wstring>& as_Files, bool ab_AddPath,
                                bool ab_InitArray, std::wstring as_Folder) {
  const bool descend = search_dir_ && recursive_;
  if (descend) {
    ab_AddPath = true;
  }
  // An array without elements becomes a list too: position 0, holding no entry, always stands.
  if (ab_InitArray || as_Files.empty()) {
    as_Files.assign(1, std::wstring());
  }
  std::size_t count = UpperBound(as_Files);
  const std::size_t first = count + 1;
  if (as_Folder.empty()) {
    as_Folder = path_;
  }
  // Folder mode lists folders too and takes every name without a period for one, unlooked at.
  const std::uint32_t mask = search_dir_ ? platform::attr::kFolder : 0;
  for (std::wstring name = platform::ListFirst(as_Folder + file_spec_, mask);
       !name.empty() && count < kMaxEntries; name = platform::ListNext()) {
    const bool accepted =
        search_dir_ ? name.find(L'.') == std::wstring::npos : name != L"." && name != L"..";
    if (!accepted) {
      continue;
    }
    if (search_dir_) {
      name += L'\\';
    }
    ++count;
    as_Files.resize(count + 1);
    as_Files[count] = ab_AddPath ? as_Folder + name : name;
  }
  if (descend) {
    // The listing above is finished before any folder found in it is listed. A folder link that
    // leads back up cannot recurse for ever: narrow listings fail past MAX_PATH, and nothing is
    // stored past the limit.
    const std::size_t last = UpperBound(as_Files);
    for (std::size_t p = first; p <= last; ++p) {
      FindAllInDir(as_Files, true, false, as_Files[p]);
    }
  }
  return false;
}
