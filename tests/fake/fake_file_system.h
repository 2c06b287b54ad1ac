#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fake/fault_plan.h"
#include "platform/file_system.h"

namespace fake {

/// A Windows file tree in memory: drive letters (C: by default, holding the Windows, system and
/// temporary folders), case-insensitive names kept in the case they were made with, attributes,
/// files held open by another party, listings in NTFS order, a current folder. Setup and
/// inspection paths resolve like the calls' paths.
class FakeFileSystem : public platform::FileSystem {
 public:
  explicit FakeFileSystem(FaultPlan& faults);
  ~FakeFileSystem() override;

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

  /// Adds the empty drive `letter`: (nothing when it exists).
  void AddDrive(char letter);
  /// Makes the folder and every missing folder above it; `attributes` adds hidden or system bits.
  void AddFolder(const std::string& path, std::uint32_t attributes = 0);
  /// Makes or replaces a file holding `contents`, making the folders above it.
  void AddFile(const std::string& path, const std::string& contents = {},
               std::uint32_t attributes = platform::attr::kArchive);
  /// Sets the attributes of an existing entry (the folder bit of a folder is kept).
  void SetAttributes(const std::string& path, std::uint32_t attributes);
  /// Marks an existing file as held open by another party with share mode 0, or releases it.
  void HoldOpen(const std::string& path, bool held = true);
  /// True when a file or folder exists at `path`.
  bool Exists(const std::string& path) const;
  /// True when a folder exists at `path`.
  bool IsFolder(const std::string& path) const;
  /// The bytes of the file at `path`, or nullopt when there is no file.
  std::optional<std::string> Contents(const std::string& path) const;
  /// The attributes of the entry at `path`, or nullopt when there is none.
  std::optional<std::uint32_t> AttributesOf(const std::string& path) const;
  /// Every entry of every drive as a full path (folders end in "\"), in listing order.
  std::vector<std::string> AllPaths() const;
  /// Number of searches started and not yet closed.
  std::size_t OpenSearches() const { return searches_.size(); }
  /// Sets what GetWindowsDirectoryA, GetSystemDirectoryA and GetTempPathA give.
  void SetWindowsFolder(const std::string& path) { windows_ = path; }
  void SetSystemFolder(const std::string& path) { system_ = path; }
  void SetTempFolder(const std::string& path) { temp_ = path; }

 private:
  struct Node;
  struct Spot;
  struct Search {
    std::vector<platform::FindData> entries;
    std::size_t next = 0;
  };

  std::uint32_t Locate(const std::string& path, Spot& spot) const;
  std::uint32_t Existing(const std::string& path, Spot& spot) const;
  Node* Lookup(const std::string& path) const;
  Node* Make(const std::string& path, std::uint32_t attributes);

  FaultPlan& faults_;
  std::map<char, std::unique_ptr<Node>> drives_;
  char current_drive_ = 'C';
  std::vector<std::string> current_parts_;
  std::map<platform::FindHandle, Search> searches_;
  platform::FindHandle next_search_ = 0x200;
  std::string windows_ = "C:\\windows";
  std::string system_ = "C:\\windows\\system32";
  std::string temp_ = "C:\\users\\root\\Temp\\";
};

}  // namespace fake
