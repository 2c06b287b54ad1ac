#include "fake/fake_file_system.h"

#include <cstring>

#include "fake/ascii_case.h"

namespace fake {

using platform::FindData;
using platform::FindHandle;
namespace attr = platform::attr;
namespace file_error = platform::file_error;

namespace {

constexpr std::uint32_t kInvalidHandle = 6;

char Letter(char drive) {
  return drive >= 'a' && drive <= 'z' ? static_cast<char>(drive - 32) : drive;
}

bool HasWildcard(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

// '*' takes any run of characters, '?' exactly one; "*.*" is every name, dotted or not.
bool Matches(const std::string& pattern, const std::string& name) {
  const std::string p = pattern == "*.*" ? "*" : AsciiUpper(pattern);
  const std::string n = AsciiUpper(name);
  std::size_t pi = 0;
  std::size_t ni = 0;
  std::size_t star = std::string::npos;
  std::size_t resume = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == '*') {
      star = pi++;
      resume = ni;
    } else if (star != std::string::npos) {
      pi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') {
    ++pi;
  }
  return pi == p.size();
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

struct FakeFileSystem::Node {
  std::string name;
  std::uint32_t attributes = attr::kFolder;
  std::string contents;
  bool held = false;
  std::map<std::string, std::unique_ptr<Node>> children;  // keyed upper-cased: NTFS order

  bool IsFolder() const { return (attributes & attr::kFolder) != 0; }
  Node* Child(const std::string& wanted) const {
    const auto found = children.find(AsciiUpper(wanted));
    return found == children.end() ? nullptr : found->second.get();
  }
  Node* Add(const std::string& wanted, std::uint32_t bits) {
    auto& slot = children[AsciiUpper(wanted)];
    slot = std::make_unique<Node>(Node{wanted, bits, {}, false, {}});
    return slot.get();
  }
};

// Where a path leads: the folder holding its last part (null at a drive root), the entry there
// (null when missing), and the path made absolute, names in the case the caller wrote them.
struct FakeFileSystem::Spot {
  Node* folder = nullptr;
  Node* node = nullptr;
  char drive = 0;
  std::vector<std::string> parts;
};

// A system drive is never empty: it holds at least the folders the system names.
FakeFileSystem::FakeFileSystem(FaultPlan& faults) : faults_(faults) {
  AddFolder(system_);
  AddFolder(temp_);
}

FakeFileSystem::~FakeFileSystem() = default;

// Returns 3 for a folder above the last part that is missing, and for network paths, which
// never exist here.
std::uint32_t FakeFileSystem::Locate(const std::string& path, Spot& spot) const {
  std::string rest = path;
  for (char& c : rest) {
    c = c == '/' ? '\\' : c;
  }
  if (rest.rfind("\\\\", 0) == 0) {
    return file_error::kPathNotFound;
  }
  spot.drive = current_drive_;
  spot.parts = current_parts_;
  const bool has_drive = rest.size() >= 2 && rest[1] == ':';
  if (has_drive) {
    spot.drive = rest[0];
    if (Letter(rest[0]) != Letter(current_drive_)) {
      spot.parts.clear();
    }
    rest.erase(0, 2);
  }
  if (!rest.empty() && rest[0] == '\\') {
    spot.parts.clear();
  }
  std::string part;
  for (const char c : rest + '\\') {
    if (c != '\\') {
      part += c;
      continue;
    }
    if (part == ".." && !spot.parts.empty()) {
      spot.parts.pop_back();
    } else if (!part.empty() && part != "." && part != "..") {
      spot.parts.push_back(part);
    }
    part.clear();
  }
  const auto drive = drives_.find(Letter(spot.drive));
  if (drive == drives_.end()) {
    return file_error::kPathNotFound;
  }
  Node* at = drive->second.get();
  spot.folder = nullptr;
  for (std::size_t i = 0; i + 1 < spot.parts.size(); ++i) {
    at = at->Child(spot.parts[i]);
    if (at == nullptr || !at->IsFolder()) {
      return file_error::kPathNotFound;
    }
  }
  spot.folder = spot.parts.empty() ? nullptr : at;
  spot.node = spot.parts.empty() ? at : at->Child(spot.parts.back());
  return 0;
}

std::uint32_t FakeFileSystem::Existing(const std::string& path, Spot& spot) const {
  const std::uint32_t code = Locate(path, spot);
  if (code != 0) {
    return code;
  }
  return spot.node == nullptr ? file_error::kFileNotFound : 0;
}

FakeFileSystem::Node* FakeFileSystem::Make(const std::string& path, std::uint32_t attributes) {
  Spot spot;
  Locate(path, spot);
  auto& drive = drives_[Letter(spot.drive)];
  if (!drive) {
    drive = std::make_unique<Node>();
  }
  Node* at = drive.get();
  for (std::size_t i = 0; i < spot.parts.size(); ++i) {
    Node* next = at->Child(spot.parts[i]);
    const bool last = i + 1 == spot.parts.size();
    at = next != nullptr ? next : at->Add(spot.parts[i], last ? attributes : attr::kFolder);
  }
  return at;
}

std::uint32_t FakeFileSystem::FindFirst(const std::string& pattern, FindHandle& search,
                                        FindData& entry) {
  if (const auto fault = faults_.Step("FindFirstFileA")) {
    return *fault;
  }
  const std::size_t cut = pattern.find_last_of("\\/:");
  const std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (mask.empty()) {
    return file_error::kFileNotFound;
  }
  Spot spot;
  if (Existing(pattern.substr(0, pattern.size() - mask.size()), spot) != 0 ||
      !spot.node->IsFolder()) {
    return file_error::kPathNotFound;
  }
  Search found;
  if (spot.folder != nullptr) {
    for (const FindData& dots :
         {FindData{".", spot.node->attributes}, FindData{"..", spot.folder->attributes}}) {
      if (Matches(mask, dots.name)) {
        found.entries.push_back(dots);
      }
    }
  }
  for (const auto& [key, child] : spot.node->children) {
    if (Matches(mask, child->name)) {
      found.entries.push_back({child->name, child->attributes});
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
  const auto open = searches_.find(search);
  if (open == searches_.end()) {
    return kInvalidHandle;
  }
  Search& found = open->second;
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
  if (const auto fault = faults_.Step("GetFileAttributesA")) {
    return *fault;
  }
  Spot spot;
  const std::uint32_t code = Existing(path, spot);
  if (code == file_error::kFileNotFound && HasWildcard(spot.parts.back())) {
    return file_error::kInvalidName;
  }
  if (code == 0) {
    bits = spot.node->attributes;
  }
  return code;
}

std::uint32_t FakeFileSystem::FileLength(const std::string& path, std::uint64_t& length) {
  if (const auto fault = faults_.Step("GetFileAttributesExA")) {
    return *fault;
  }
  Spot spot;
  const std::uint32_t code = Existing(path, spot);
  if (code == 0) {
    length = spot.node->contents.size();
  }
  return code;
}

std::uint32_t FakeFileSystem::RemoveFile(const std::string& path) {
  if (const auto fault = faults_.Step("DeleteFileA")) {
    return *fault;
  }
  Spot spot;
  if (const std::uint32_t code = Existing(path, spot); code != 0) {
    return code;
  }
  if (spot.node->held) {
    return file_error::kSharingViolation;
  }
  if (spot.node->IsFolder() || (spot.node->attributes & attr::kReadOnly) != 0) {
    return file_error::kAccessDenied;
  }
  spot.folder->children.erase(AsciiUpper(spot.node->name));
  return 0;
}

std::uint32_t FakeFileSystem::CopyReplacing(const std::string& from, const std::string& to) {
  if (const auto fault = faults_.Step("CopyFileA")) {
    return *fault;
  }
  Spot source;
  if (const std::uint32_t code = Existing(from, source); code != 0) {
    return code;
  }
  Spot target;
  if (const std::uint32_t code = Locate(to, target); code != 0) {
    return code;
  }
  const Node* old = target.node;
  if (source.node->held || (old != nullptr && old->held)) {
    return file_error::kSharingViolation;
  }
  // Wine run as root lets a read-only destination be replaced; Windows refuses.
  if (source.node->IsFolder() ||
      (old != nullptr && (old->IsFolder() || (old->attributes & attr::kReadOnly) != 0))) {
    return file_error::kAccessDenied;
  }
  Node* copy = target.node != nullptr ? target.node : target.folder->Add(target.parts.back(), 0);
  copy->attributes = source.node->attributes;
  copy->contents = source.node->contents;
  return 0;
}

std::uint32_t FakeFileSystem::Move(const std::string& from, const std::string& to) {
  if (const auto fault = faults_.Step("MoveFileA")) {
    return *fault;
  }
  Spot source;
  if (const std::uint32_t code = Existing(from, source); code != 0) {
    return code;
  }
  if (source.node->held) {
    return file_error::kSharingViolation;
  }
  Spot target;
  if (const std::uint32_t code = Locate(to, target); code != 0) {
    return code;
  }
  if (source.folder == nullptr || target.folder == nullptr) {
    return file_error::kAccessDenied;
  }
  if (target.node != nullptr && target.node != source.node) {
    return file_error::kAlreadyExists;
  }
  auto moved = source.folder->children.extract(AsciiUpper(source.node->name));
  moved.mapped()->name = target.parts.back();
  moved.key() = AsciiUpper(target.parts.back());
  target.folder->children.insert(std::move(moved));
  return 0;
}

std::uint32_t FakeFileSystem::MakeFolder(const std::string& path) {
  if (const auto fault = faults_.Step("CreateDirectoryA")) {
    return *fault;
  }
  Spot spot;
  if (const std::uint32_t code = Locate(path, spot); code != 0) {
    return code;
  }
  if (spot.node != nullptr) {
    return file_error::kAlreadyExists;
  }
  spot.folder->Add(spot.parts.back(), attr::kFolder);
  return 0;
}

std::uint32_t FakeFileSystem::RemoveFolder(const std::string& path) {
  if (const auto fault = faults_.Step("RemoveDirectoryA")) {
    return *fault;
  }
  Spot spot;
  if (const std::uint32_t code = Existing(path, spot); code != 0) {
    return code;
  }
  if (!spot.node->IsFolder()) {
    return file_error::kDirectory;
  }
  if (spot.folder == nullptr) {
    return file_error::kAccessDenied;
  }
  if (!spot.node->children.empty()) {
    return file_error::kDirNotEmpty;
  }
  spot.folder->children.erase(AsciiUpper(spot.node->name));
  return 0;
}

std::uint32_t FakeFileSystem::CurrentFolder(std::string& path) {
  if (const auto fault = faults_.Step("GetCurrentDirectoryA")) {
    return *fault;
  }
  path = std::string(1, current_drive_) + ":";
  for (const std::string& part : current_parts_) {
    path += "\\" + part;
  }
  if (current_parts_.empty()) {
    path += "\\";
  }
  return 0;
}

std::uint32_t FakeFileSystem::SetCurrentFolder(const std::string& path) {
  if (const auto fault = faults_.Step("SetCurrentDirectoryA")) {
    return *fault;
  }
  Spot spot;
  if (const std::uint32_t code = Existing(path, spot); code != 0) {
    return code;
  }
  if (!spot.node->IsFolder()) {
    return file_error::kDirectory;
  }
  current_drive_ = spot.drive;
  current_parts_ = spot.parts;
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

std::string FakeFileSystem::ErrorText(std::uint32_t code) {
  switch (code) {
    case file_error::kFileNotFound:
      return "File not found.";
    case file_error::kPathNotFound:
      return "Path not found.";
    case file_error::kAccessDenied:
      return "Access denied.";
    case file_error::kSharingViolation:
      return "Sharing violation.";
    case file_error::kDiskFull:
      return "Disk full.";
    case file_error::kDirNotEmpty:
      return "Directory not empty.";
    case file_error::kAlreadyExists:
      return "File already exists.";
    default:
      return "Error " + std::to_string(code) + ".";
  }
}

void FakeFileSystem::AddDrive(char letter) {
  Make(std::string(1, letter) + ":\\", attr::kFolder);
}

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  Make(path, attributes | attr::kFolder)->attributes = attributes | attr::kFolder;
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& contents,
                             std::uint32_t attributes) {
  Node* file = Make(path, attributes);
  file->attributes = attributes;
  file->contents = contents;
}

void FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
  Node* node = Lookup(path);
  node->attributes = attributes | (node->attributes & attr::kFolder);
}

void FakeFileSystem::HoldOpen(const std::string& path, bool held) {
  Lookup(path)->held = held;
}

FakeFileSystem::Node* FakeFileSystem::Lookup(const std::string& path) const {
  Spot spot;
  return Locate(path, spot) == 0 ? spot.node : nullptr;
}

bool FakeFileSystem::Exists(const std::string& path) const {
  return Lookup(path) != nullptr;
}

bool FakeFileSystem::IsFolder(const std::string& path) const {
  const Node* node = Lookup(path);
  return node != nullptr && node->IsFolder();
}

std::optional<std::string> FakeFileSystem::Contents(const std::string& path) const {
  const Node* node = Lookup(path);
  if (node == nullptr || node->IsFolder()) {
    return std::nullopt;
  }
  return node->contents;
}

std::optional<std::uint32_t> FakeFileSystem::AttributesOf(const std::string& path) const {
  const Node* node = Lookup(path);
  if (node == nullptr) {
    return std::nullopt;
  }
  return node->attributes;
}

std::vector<std::string> FakeFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  const auto walk = [&paths](const auto& self, const Node& folder, const std::string& at) -> void {
    for (const auto& [key, child] : folder.children) {
      const std::string path = at + child->name;
      paths.push_back(child->IsFolder() ? path + "\\" : path);
      if (child->IsFolder()) {
        self(self, *child, path + "\\");
      }
    }
  };
  for (const auto& [letter, root] : drives_) {
    const std::string at = std::string(1, letter) + ":\\";
    paths.push_back(at);
    walk(walk, *root, at);
  }
  return paths;
}

}  // namespace fake
