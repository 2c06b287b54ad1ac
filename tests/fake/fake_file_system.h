#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/file_system.h"

namespace fake {

/// A Windows file tree in memory: drive letters (C: holds the Windows, system and temporary
/// folders), case-insensitive names kept in the case they were made with, attributes, files held
/// open by another party, listings in NTFS order, a current folder. Set-up and inspection paths
/// resolve like the calls' paths.
class FakeFileSystem : public platform::FileSystem {
 public:
  explicit FakeFileSystem(FaultPlan& faults);

  std::uint32_t FindFirst(const std::string& pattern, platform::FindHandle& search,
                          platform::FindData& entry) override;
  std::uint32_t FindNext(platform::FindHandle search, platform::FindData& entry) override;
  void FindEnd(platform::FindHandle search) override;
  std::uint32_t Attributes(const std::string& path, std::uint32_t& bits) override;
  std::uint32_t FileLength(const std::string& path, std::uint64_t& length) override;
  std::uint32_t RemoveFile(const std::string& path) override;
  std::uint32_t CopyReplacing(const std::string& from, const std::string& to) override;
  std::uint32_t Move(const std::string& from, const std::string& to) override;
  std::uint32_t MakeFolder(const std::string& path) override;
  std::uint32_t RemoveFolder(const std::string& path) override;
  std::uint32_t CurrentFolder(std::string& path) override;
  std::uint32_t SetCurrentFolder(const std::string& path) override;
  std::uint32_t WindowsFolder(char* buffer, std::uint32_t size) override;
  std::uint32_t SystemFolder(char* buffer, std::uint32_t size) override;
  std::uint32_t TempFolder(std::uint32_t size, char* buffer) override;
  std::string ErrorText(std::uint32_t code) override;

  /// Makes the folder (or drive root) and every missing folder above it, adding `attributes`.
  void AddFolder(const std::string& path, std::uint32_t attributes = 0);
  /// Makes or replaces a file holding `contents`, making the folders above it.
  void AddFile(const std::string& path, const std::string& contents = {},
               std::uint32_t attributes = platform::attr::kArchive);
  /// Marks an existing file as held open by another party with share mode 0, or releases it.
  void HoldOpen(const std::string& path, bool held = true) { Find(Full(path))->held = held; }
  /// Removes the entry at `path` and everything below it, whatever their attributes.
  void Erase(const std::string& path);
  bool Exists(const std::string& path) { return Find(Full(path)) != nullptr; }
  bool IsFolder(const std::string& path);
  /// The bytes of the file at `path`, or nullopt when there is no file.
  std::optional<std::string> Contents(const std::string& path);
  /// Every entry as a full path (folders end in "\"), each folder before its contents.
  std::vector<std::string> AllPaths() const;
  /// Number of searches started and not yet closed.
  std::size_t OpenSearches() const { return searches_.size(); }
  /// Sets what GetWindowsDirectoryA, GetSystemDirectoryA and GetTempPathA give.
  void SetWindowsFolder(const std::string& path) { windows_ = path; }
  void SetSystemFolder(const std::string& path) { system_ = path; }
  void SetTempFolder(const std::string& path) { temp_ = path; }

 private:
  struct Entry {
    std::string path;  ///< Full, without a trailing "\": "C:", "C:\Dir\name.txt".
    std::uint32_t attributes = platform::attr::kFolder;
    std::string contents;
    bool held = false;
  };
  struct Search {
    std::vector<platform::FindData> entries;
    std::size_t next = 0;
  };

  /// `path` made absolute against the current folder; empty for a network path.
  std::string Full(const std::string& path) const;
  /// Sets `full`; 3 when the folder that would hold it is missing.
  std::uint32_t Resolve(const std::string& path, std::string& full) const;
  /// As Resolve, and 2 when the entry itself is missing.
  std::uint32_t Existing(const std::string& path, Entry*& entry);
  /// Counts the call `op` and answers its planned fault, else as Existing.
  std::uint32_t Begin(const char* op, const std::string& path, Entry*& entry);
  Entry* Find(const std::string& full);
  Entry& Make(const std::string& path, std::uint32_t attributes);

  FaultPlan& faults_;
  std::map<std::string, Entry> tree_;  ///< Keyed by the upper-cased full path: NTFS order.
  std::string current_ = "C:";
  std::map<platform::FindHandle, Search> searches_;
  platform::FindHandle next_search_ = 0x200;
  std::string windows_ = "C:\\windows";
  std::string system_ = "C:\\windows\\system32";
  std::string temp_ = "C:\\users\\root\\Temp\\";
};

}  // namespace fake
