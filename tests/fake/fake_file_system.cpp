#include "fake/fake_file_system.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "fake/ascii_case.h"

namespace fake {

using platform::FindData;
using platform::FindHandle;
namespace attr = platform::attr;
namespace file_error = platform::file_error;

namespace {

// '*' takes any run of characters, '?' exactly one; both upper-cased.
bool Matches(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) {
    return name.empty();
  }
  if (pattern[0] == '*') {
    return Matches(pattern.substr(1), name) || (!name.empty() && Matches(pattern, name.substr(1)));
  }
  return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
         Matches(pattern.substr(1), name.substr(1));
}

// The keys of `key` and of everything below it.
bool Below(const std::string& candidate, const std::string& key) {
  return candidate == key || candidate.rfind(key + "\\", 0) == 0;
}

std::uint32_t Deliver(const std::string& path, char* buffer, std::uint32_t size) {
  const auto length = static_cast<std::uint32_t>(path.size());
  if (length >= size) {
    return length + 1;
  }
  std::memcpy(buffer, path.c_str(), length + 1);
  return length;
}

}  // namespace

// A system drive is never empty: it holds at least the folders the system names.
FakeFileSystem::FakeFileSystem(FaultPlan& faults) : faults_(faults) {
  AddFolder(system_);
  AddFolder(temp_);
}

std::string FakeFileSystem::Full(const std::string& path) const {
  std::string rest = path;
  std::replace(rest.begin(), rest.end(), '/', '\\');
  if (rest.rfind("\\\\", 0) == 0) {
    return {};
  }
  std::string full = current_;
  if (rest.size() >= 2 && rest[1] == ':') {
    const char drive = AsciiUpper(rest.substr(0, 1))[0];
    if (drive != current_[0]) {
      full = {drive, ':'};
    }
    rest.erase(0, 2);
  }
  if (rest.rfind('\\', 0) == 0) {
    full.resize(2);
  }
  for (std::size_t start = 0; start <= rest.size();) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    const std::string part = rest.substr(start, end - start);
    if (part == "..") {
      full.resize(full.size() > 2 ? full.rfind('\\') : 2);
    } else if (!part.empty() && part != ".") {
      full += "\\" + part;
    }
    start = end + 1;
  }
  return full;
}

std::uint32_t FakeFileSystem::Resolve(const std::string& path, std::string& full) const {
  full = Full(path);
  const auto parent = tree_.find(AsciiUpper(full.substr(0, full.rfind('\\'))));
  const bool found =
      !full.empty() && parent != tree_.end() && (parent->second.attributes & attr::kFolder) != 0;
  return found ? 0 : file_error::kPathNotFound;
}

std::uint32_t FakeFileSystem::Existing(const std::string& path, Entry*& entry) {
  std::string full;
  if (const std::uint32_t code = Resolve(path, full); code != 0) {
    return code;
  }
  entry = Find(full);
  return entry == nullptr ? file_error::kFileNotFound : 0;
}

std::uint32_t FakeFileSystem::Begin(const char* op, const std::string& path, Entry*& entry) {
  if (const auto fault = faults_.Step(op)) {
    return *fault;
  }
  return Existing(path, entry);
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& full) {
  const auto found = tree_.find(AsciiUpper(full));
  return found == tree_.end() ? nullptr : &found->second;
}

FakeFileSystem::Entry& FakeFileSystem::Make(const std::string& path, std::uint32_t attributes) {
  const std::string full = Full(path);
  for (std::size_t cut = full.find('\\'); cut != std::string::npos;
       cut = full.find('\\', cut + 1)) {
    tree_.try_emplace(AsciiUpper(full.substr(0, cut)),
                      Entry{full.substr(0, cut), attr::kFolder, {}, false});
  }
  Entry& entry =
      tree_.try_emplace(AsciiUpper(full), Entry{full, attributes, {}, false}).first->second;
  entry.attributes = attributes;
  return entry;
}

std::uint32_t FakeFileSystem::FindFirst(const std::string& pattern, FindHandle& search,
                                        FindData& entry) {
  if (const auto fault = faults_.Step("FindFirstFileA")) {
    return *fault;
  }
  const std::size_t cut = pattern.find_last_of("\\/:");
  const std::string given = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  // "*.*" is every name, dotted or not.
  const std::string mask = given == "*.*" ? "*" : AsciiUpper(given);
  if (mask.empty()) {
    return file_error::kFileNotFound;
  }
  Entry* folder = nullptr;
  if (Existing(pattern.substr(0, pattern.size() - given.size()), folder) != 0 ||
      (folder->attributes & attr::kFolder) == 0) {
    return file_error::kPathNotFound;
  }
  Search found;
  const std::size_t cut_parent = folder->path.rfind('\\');
  if (cut_parent != std::string::npos) {
    const Entry* parent = Find(folder->path.substr(0, cut_parent));
    for (const FindData& dots :
         {FindData{".", folder->attributes}, FindData{"..", parent->attributes}}) {
      if (Matches(mask, dots.name)) {
        found.entries.push_back(dots);
      }
    }
  }
  const std::string prefix = AsciiUpper(folder->path) + "\\";
  for (auto at = tree_.lower_bound(prefix); at != tree_.end() && at->first.rfind(prefix, 0) == 0;
       ++at) {
    const std::string name = at->second.path.substr(prefix.size());
    if (name.find('\\') == std::string::npos && Matches(mask, AsciiUpper(name))) {
      found.entries.push_back({name, at->second.attributes});
    }
  }
  if (found.entries.empty()) {
    return file_error::kFileNotFound;
  }
  entry = found.entries[0];
  found.next = 1;
  next_search_ += 4;
  searches_[next_search_] = std::move(found);
  search = next_search_;
  return 0;
}

std::uint32_t FakeFileSystem::FindNext(FindHandle search, FindData& entry) {
  if (const auto fault = faults_.Step("FindNextFileA")) {
    return *fault;
  }
  Search& found = searches_.at(search);
  if (found.next == found.entries.size()) {
    return file_error::kNoMoreFiles;
  }
  entry = found.entries[found.next++];
  return 0;
}

void FakeFileSystem::FindEnd(FindHandle search) {
  if (!faults_.Step("FindClose")) {
    searches_.erase(search);
  }
}

std::uint32_t FakeFileSystem::Attributes(const std::string& path, std::uint32_t& bits) {
  Entry* entry = nullptr;
  const std::uint32_t code = Begin("GetFileAttributesA", path, entry);
  if (code == 0) {
    bits = entry->attributes;
  }
  return code;
}

std::uint32_t FakeFileSystem::FileLength(const std::string& path, std::uint64_t& length) {
  Entry* entry = nullptr;
  const std::uint32_t code = Begin("GetFileAttributesExA", path, entry);
  if (code == 0) {
    length = entry->contents.size();
  }
  return code;
}

std::uint32_t FakeFileSystem::RemoveFile(const std::string& path) {
  Entry* entry = nullptr;
  if (const std::uint32_t code = Begin("DeleteFileA", path, entry); code != 0) {
    return code;
  }
  if (entry->held) {
    return file_error::kSharingViolation;
  }
  if ((entry->attributes & (attr::kFolder | attr::kReadOnly)) != 0) {
    return file_error::kAccessDenied;
  }
  tree_.erase(AsciiUpper(entry->path));
  return 0;
}

std::uint32_t FakeFileSystem::CopyReplacing(const std::string& from, const std::string& to) {
  Entry* source = nullptr;
  if (const std::uint32_t code = Begin("CopyFileA", from, source); code != 0) {
    return code;
  }
  std::string full;
  if (const std::uint32_t code = Resolve(to, full); code != 0) {
    return code;
  }
  const Entry* old = Find(full);
  if (source->held || (old != nullptr && old->held)) {
    return file_error::kSharingViolation;
  }
  // Wine run as root lets a read-only destination be replaced; Windows refuses.
  if ((source->attributes & attr::kFolder) != 0 ||
      (old != nullptr && (old->attributes & (attr::kFolder | attr::kReadOnly)) != 0)) {
    return file_error::kAccessDenied;
  }
  const Entry copy = *source;
  Make(old != nullptr ? old->path : full, copy.attributes).contents = copy.contents;
  return 0;
}

std::uint32_t FakeFileSystem::Move(const std::string& from, const std::string& to) {
  Entry* source = nullptr;
  if (const std::uint32_t code = Begin("MoveFileA", from, source); code != 0) {
    return code;
  }
  if (source->held) {
    return file_error::kSharingViolation;
  }
  std::string full;
  if (const std::uint32_t code = Resolve(to, full); code != 0) {
    return code;
  }
  if (source->path.size() == 2 || full.size() == 2) {
    return file_error::kAccessDenied;
  }
  const Entry* target = Find(full);
  if (target != nullptr && target != source) {
    return file_error::kAlreadyExists;
  }
  const std::string old_path = source->path;
  std::vector<std::string> keys;
  for (const auto& [key, entry] : tree_) {
    if (Below(key, AsciiUpper(old_path))) {
      keys.push_back(key);
    }
  }
  for (const std::string& key : keys) {
    auto moved = tree_.extract(key);
    moved.mapped().path = full + moved.mapped().path.substr(old_path.size());
    moved.key() = AsciiUpper(moved.mapped().path);
    tree_.insert(std::move(moved));
  }
  return 0;
}

std::uint32_t FakeFileSystem::MakeFolder(const std::string& path) {
  if (const auto fault = faults_.Step("CreateDirectoryA")) {
    return *fault;
  }
  std::string full;
  if (const std::uint32_t code = Resolve(path, full); code != 0) {
    return code;
  }
  if (Find(full) != nullptr) {
    return file_error::kAlreadyExists;
  }
  Make(full, attr::kFolder);
  return 0;
}

std::uint32_t FakeFileSystem::RemoveFolder(const std::string& path) {
  Entry* entry = nullptr;
  if (const std::uint32_t code = Begin("RemoveDirectoryA", path, entry); code != 0) {
    return code;
  }
  if ((entry->attributes & attr::kFolder) == 0) {
    return file_error::kDirectory;
  }
  if (entry->path.size() == 2) {
    return file_error::kAccessDenied;
  }
  const std::string key = AsciiUpper(entry->path);
  const auto inside = tree_.lower_bound(key + "\\");
  if (inside != tree_.end() && Below(inside->first, key)) {
    return file_error::kDirNotEmpty;
  }
  tree_.erase(key);
  return 0;
}

std::uint32_t FakeFileSystem::CurrentFolder(std::string& path) {
  if (const auto fault = faults_.Step("GetCurrentDirectoryA")) {
    return *fault;
  }
  path = current_.size() == 2 ? current_ + "\\" : current_;
  return 0;
}

std::uint32_t FakeFileSystem::SetCurrentFolder(const std::string& path) {
  Entry* entry = nullptr;
  if (const std::uint32_t code = Begin("SetCurrentDirectoryA", path, entry); code != 0) {
    return code;
  }
  if ((entry->attributes & attr::kFolder) == 0) {
    return file_error::kDirectory;
  }
  current_ = Full(path);
  return 0;
}

std::uint32_t FakeFileSystem::WindowsFolder(char* buffer, std::uint32_t size) {
  return faults_.Step("GetWindowsDirectoryA") ? 0 : Deliver(windows_, buffer, size);
}

std::uint32_t FakeFileSystem::SystemFolder(char* buffer, std::uint32_t size) {
  return faults_.Step("GetSystemDirectoryA") ? 0 : Deliver(system_, buffer, size);
}

std::uint32_t FakeFileSystem::TempFolder(std::uint32_t size, char* buffer) {
  return faults_.Step("GetTempPathA") ? 0 : Deliver(temp_, buffer, size);
}

// Tests name no system wording: a distinct line per code is all they need.
std::string FakeFileSystem::ErrorText(std::uint32_t code) {
  return "Error " + std::to_string(code) + ".";
}

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  Make(path, attributes | attr::kFolder);
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& contents,
                             std::uint32_t attributes) {
  Make(path, attributes).contents = contents;
}

void FakeFileSystem::Erase(const std::string& path) {
  const std::string key = AsciiUpper(Full(path));
  std::erase_if(tree_, [&key](const auto& entry) { return Below(entry.first, key); });
}

bool FakeFileSystem::IsFolder(const std::string& path) {
  const Entry* entry = Find(Full(path));
  return entry != nullptr && (entry->attributes & attr::kFolder) != 0;
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) {
  const Entry* entry = Find(Full(path));
  if (entry == nullptr || (entry->attributes & attr::kFolder) != 0) {
    return std::nullopt;
  }
  return entry->contents;
}

std::vector<std::string> FakeFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, entry] : tree_) {
    paths.push_back(entry.path + ((entry.attributes & attr::kFolder) != 0 ? "\\" : ""));
  }
  return paths;
}

}  // namespace fake
